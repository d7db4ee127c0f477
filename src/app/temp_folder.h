#pragma once

#include <QString>

// The folder of temporary pictures beside the executable.
QString TempFolder();
// Deletes every file in the temporary folder; subfolders and their contents stay.
// Nothing is reported when the folder cannot be listed or a file cannot be deleted.
void EmptyTempFolder();
