#pragma once

#include <sys/types.h>

#include <QByteArrayView>
#include <QString>
#include <optional>

// Replaces a file with new contents without ever leaving it half-written: the bytes go to a new
// file beside it, every write, the sync to disk and the close are checked, and only then does
// the new file take the old one's name. A symbolic link is followed (the link stays, its target
// is replaced). The new file keeps the old one's permissions, or gets `mode` when one is given.
// A target that exists but is not a regular file (a FIFO, a device, a folder) is refused. On any
// failure the old file is untouched, nothing is left beside it and a FileError naming the target
// is thrown.
void WriteFileReplacing(const QString& target, QByteArrayView bytes,
                        std::optional<mode_t> mode = std::nullopt);

// The same with the bytes of the regular file `source` (see ReadLocalFile).
void CopyFileReplacing(const QString& source, const QString& target);

// WriteFileReplacing for callers that only need to know whether it worked.
bool TryWriteFileReplacing(const QString& target, QByteArrayView bytes,
                           std::optional<mode_t> mode = std::nullopt);
