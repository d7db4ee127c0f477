#include "rgb32_image.h"

#include <sys/mman.h>

#include <cstdlib>

#include "imaging/dib.h"

namespace {
void FreeBuffer(void* buffer) { std::free(buffer); }
}  // namespace

bool FitsRgb32(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxDibDimension && height <= kMaxDibDimension &&
         width * height * 4 <= static_cast<std::int64_t>(kMaxDibBytes);
}

QImage NewRgb32(int width, int height) {
  if (!FitsRgb32(width, height)) return {};
  constexpr std::size_t kHugePage = 2u << 20;
  const auto bytesPerLine = static_cast<std::size_t>(width) * 4;
  const std::size_t bytes = bytesPerLine * static_cast<std::size_t>(height);
  if (bytes < 4 * kHugePage) return QImage(width, height, QImage::Format_RGB32);
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* buffer = std::aligned_alloc(kHugePage, rounded);
  if (!buffer) return {};
  madvise(buffer, rounded, MADV_HUGEPAGE);  // only advice: without it the pages are small
  return QImage(static_cast<uchar*>(buffer), width, height, static_cast<qsizetype>(bytesPerLine),
                QImage::Format_RGB32, FreeBuffer, buffer);
}
