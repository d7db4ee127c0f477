#pragma once

#include <QString>

// The picture file the next upload attaches; set by the export of the composed picture, read by
// the upload. Defined here in full so that both sides share it without a link between them.
inline QString& AttachmentPathStore() {
  static QString path;
  return path;
}
inline QString AttachmentPath() { return AttachmentPathStore(); }
inline void SetAttachmentPath(const QString& path) { AttachmentPathStore() = path; }
