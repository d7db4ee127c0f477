#include "attachment_path.h"

namespace {
QString& Path() {
  static QString path;
  return path;
}
}  // namespace

QString AttachmentPath() { return Path(); }
void SetAttachmentPath(const QString& path) { Path() = path; }
