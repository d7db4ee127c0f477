#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole local file whose path came from the user or from another file. The open never
// blocks (a FIFO would wait for a writer), only a regular file is read (a device such as
// /dev/zero never ends) and a file above maxBytes is refused. The checks are made on the opened
// file, so the path cannot be swapped for another in between. The file is read to its end
// (a file that shrinks meanwhile gives what it still holds). Throws FileError naming the file:
// EISDIR for a folder, EINVAL for any other special file, EFBIG above the cap, the system's error
// otherwise.
QByteArray ReadLocalFile(const QString& path, qint64 maxBytes);
