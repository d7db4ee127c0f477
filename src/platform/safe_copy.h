#pragma once

#include <QString>

// Copies a file over another without ever leaving the target half-written: the copy goes to a
// temporary file beside the target and replaces it only once it is complete. On failure the
// old target is untouched and a FileError naming the file is thrown.
void CopyFileReplacing(const QString& source, const QString& target);
