#pragma once

#include <QString>

// The folder of the executable, without a trailing slash. Every file the program keeps beside
// itself (temp/, materials, the phone frame, the manual) is found from here.
QString ProgramFolder();
// Points the program folder elsewhere (tests use a temporary folder); an empty path restores
// the executable's folder.
void SetProgramFolder(const QString& folder);
