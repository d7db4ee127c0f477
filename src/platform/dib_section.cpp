#include "dib_section.h"

namespace {
// Sections larger than this are refused rather than attempted.
constexpr qint64 kMaxSectionBytes = 256ll * 1024 * 1024;
}  // namespace

DibSection DibSection::Create(int width, int height) {
  DibSection section;
  if (width <= 0 || height <= 0 || qint64(width) * height * 4 > kMaxSectionBytes) return section;
  section.image_ = QImage(width, height, QImage::Format_RGB32);
  if (!section.image_.isNull()) section.image_.fill(0xFFFFFFFFu);
  return section;
}
