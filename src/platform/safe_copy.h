#pragma once

#include <QByteArrayView>
#include <QString>

// Copies a file over another without ever leaving the target half-written: the copy goes to a
// temporary file beside the target and replaces it only once it is complete. On failure the
// old target is untouched and a FileError naming the file is thrown.
void CopyFileReplacing(const QString& source, const QString& target);

// Writes bytes to a file the same way: the target is replaced only by a complete file, and on
// failure the old one is untouched and a FileError naming the file is thrown.
void WriteFileReplacing(const QString& target, QByteArrayView bytes);
