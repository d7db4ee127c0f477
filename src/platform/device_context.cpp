#include "device_context.h"

#include <cstdlib>

#include "platform/dib_reader.h"

namespace {

QRgb Combine(QRgb destination, QRgb source, std::uint32_t rop) {
  switch (rop) {
    case SRCAND:
      return (destination & source) | 0xFF000000u;
    case SRCPAINT:
      return (destination | source) | 0xFF000000u;
    default:
      return source | 0xFF000000u;
  }
}

bool KnownRop(std::uint32_t rop) { return rop == SRCCOPY || rop == SRCAND || rop == SRCPAINT; }

}  // namespace

DeviceContext::DeviceContext(QImage& target) : target_(target) {
  if (target_.format() != QImage::Format_RGB32 && target_.format() != QImage::Format_ARGB32)
    target_ = target_.convertToFormat(QImage::Format_RGB32);
}

const Palette* DeviceContext::SelectPalette(const Palette* palette, bool) {
  const Palette* previous = palette_;
  palette_ = palette;
  return previous;
}

const Palette& DeviceContext::SelectedPalette() const {
  return palette_ ? *palette_ : Palette::Default();
}

int DeviceContext::RealizePalette() { return SelectedPalette().Size(); }

int DeviceContext::SetStretchBltMode(int mode) {
  const int previous = stretchMode_;
  stretchMode_ = mode;
  return previous;
}

int DeviceContext::SetDIBitsToDevice(int xDest, int yDest, int width, int height, int xSrc,
                                     int ySrc, int startScan, int scanLines, const DibBits& dib,
                                     int colorUse) {
  if (width <= 0 || height <= 0 || scanLines <= 0 || startScan < 0) return 0;
  const auto reader = DibReader::Make(dib, colorUse, SelectedPalette(), scanLines);
  if (!reader) return 0;
  const bool bottomUp = dib.header.height > 0;
  for (int j = 0; j < height; ++j) {
    const int y = yDest + j;
    if (y < 0 || y >= target_.height()) continue;
    // The scan line of the DIB that lands on destination row j, then its row in the buffer.
    const long long scan =
        bottomUp ? static_cast<long long>(ySrc) + height - 1 - j : static_cast<long long>(ySrc) + j;
    const long long row = scan - startScan;
    if (row < 0 || row >= scanLines) continue;
    auto* line = reinterpret_cast<QRgb*>(target_.scanLine(y));
    for (int i = 0; i < width; ++i) {
      const int x = xDest + i;
      const long long sx = static_cast<long long>(xSrc) + i;
      if (x < 0 || x >= target_.width() || sx < 0 || sx >= reader->Width()) continue;
      line[x] =
          Combine(line[x], reader->PixelAt(static_cast<int>(sx), static_cast<int>(row)), SRCCOPY);
    }
  }
  return scanLines;
}

int DeviceContext::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                                 int ySrc, int srcWidth, int srcHeight, const DibBits& dib,
                                 int colorUse, std::uint32_t rop) {
  if (destWidth <= 0 || destHeight <= 0 || srcWidth <= 0 || srcHeight <= 0) return 0;
  if (!KnownRop(rop)) return 0;
  const int rows = std::abs(dib.header.height);
  const auto reader = DibReader::Make(dib, colorUse, SelectedPalette(), rows);
  if (!reader) return 0;
  const bool bottomUp = dib.header.height > 0;
  for (int j = 0; j < destHeight; ++j) {
    const int y = yDest + j;
    if (y < 0 || y >= target_.height()) continue;
    const long long step = static_cast<long long>(j) * srcHeight / destHeight;
    // Rows of a bottom-up DIB are counted from the bottom, and so is the source rectangle.
    const long long row = bottomUp ? static_cast<long long>(ySrc) + srcHeight - 1 - step
                                   : static_cast<long long>(ySrc) + step;
    if (row < 0 || row >= rows) continue;
    const int bufferRow = static_cast<int>(row);  // buffer rows run in the same direction
    auto* line = reinterpret_cast<QRgb*>(target_.scanLine(y));
    for (int i = 0; i < destWidth; ++i) {
      const int x = xDest + i;
      if (x < 0 || x >= target_.width()) continue;
      const long long sx =
          static_cast<long long>(xSrc) + static_cast<long long>(i) * srcWidth / destWidth;
      if (sx < 0 || sx >= reader->Width()) continue;
      line[x] = Combine(line[x], reader->PixelAt(static_cast<int>(sx), bufferRow), rop);
    }
  }
  return srcHeight;
}
