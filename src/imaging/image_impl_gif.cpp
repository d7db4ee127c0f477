#include "image_impl_gif.h"

#include <QFile>

#include "imaging/dib.h"
#include "imaging/gif_reader.h"

namespace {

bool FitsABitmap(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxDibDimension && height <= kMaxDibDimension &&
         static_cast<std::size_t>(DibRowStride(width, 8)) * height <= kMaxDibBytes;
}

bool IsWhite(const std::uint8_t* rgb) { return rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255; }

}  // namespace

int CImageImplGif::LoadFromFile(const QString& name) {
  QFile file(UseName(name));
  if (!file.open(QIODevice::ReadOnly)) return 0;
  return LoadFromDevice(file);
}

int CImageImplGif::LoadFromDevice(QIODevice& device) {
  GifReader reader(device);
  GifImageInfo info;
  if (!reader.ReadHeader() || !reader.FindImage(info)) return 0;
  if (!FitsABitmap(info.width, info.height)) return 0;
  if (!CreateBlank(info.width, info.height, 8, -1)) return 0;
  // A file without transparency must not keep the index of an earlier one.
  SetTransparentIndex(info.transparentIndex);

  if (info.hasColorMap) {
    int red[256] = {}, green[256] = {}, blue[256] = {};
    const int t = info.transparentIndex;
    bool hasWhite = false;
    for (int i = 0; i < info.colorCount; ++i) {
      const std::uint8_t* rgb = &info.colorMap[3 * static_cast<std::size_t>(i)];
      red[i] = rgb[0];
      green[i] = rgb[1];
      blue[i] = rgb[2];
      // The transparent entry turns black below, so it cannot be the white one.
      if (i != t && IsWhite(rgb)) hasWhite = true;
    }
    // Transparent drawing needs a black entry for the transparent index and a white one.
    if (t >= 0) {
      for (int i = info.colorCount; i < 256; ++i) {
        red[i] = green[i] = blue[i] = 255;
        if (i != t) hasWhite = true;
      }
      if (!hasWhite) {
        const int white = t == 255 ? 254 : 255;
        red[white] = green[white] = blue[white] = 255;
      }
      // Last, so that an index beyond the file's colours is black as well.
      red[t] = green[t] = blue[t] = 0;
    }
    AssignPalette(t >= 0 ? 256 : info.colorCount, red, green, blue);
  }

  std::uint8_t* topRow = PixelBits() + static_cast<std::ptrdiff_t>(Height() - 1) * RowStride();
  // The decoder's result does not matter: whatever it wrote is the picture.
  reader.DecodeImage(info, topRow, -static_cast<std::ptrdiff_t>(RowStride()));
  return 1;
}
