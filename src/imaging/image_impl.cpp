#include "image_impl.h"

#include <algorithm>
#include <vector>

#include "imaging/dib.h"
#include "imaging/image_type.h"
#include "platform/device_context.h"
#include "platform/message_box.h"

CImageImpl::~CImageImpl() = default;

void CImageImpl::Clear() {
  dib_.reset();
  imagePalette_.reset();
  pixels_ = nullptr;
  pixelBytes_ = 0;
}

bool CImageImpl::AdoptDib(PackedDibPtr dib) {
  Clear();
  if (!dib) return false;
  const BitmapInfoHeader header = dib->Header();
  const std::int64_t stride = DibRowStride(header.width, header.bitCount);
  if (header.width <= 0 || header.height <= 0 || !dib->Pixels()) return false;
  width_ = header.width;
  height_ = header.height;
  depth_ = header.bitCount;
  stride_ = static_cast<int>(stride);
  dib_ = std::move(dib);
  pixels_ = dib_->Pixels();
  pixelBytes_ = dib_->PixelBytes();
  return true;
}

bool CImageImpl::Contains(int x, int y) const {
  return x >= 0 && x < width_ && y >= 0 && y < height_;
}

int CImageImpl::CreateBlank(int width, int height, int depth, int colorType) {
  width_ = width;
  height_ = height;
  depth_ = depth;
  colorType_ = colorType >= 0 ? colorType : (depth <= 8 ? kColorGrey : kColorBit);
  Clear();
  if (!AdoptDib(NewDib(depth, width, height))) return 0;
  return 1;
}

std::uint8_t* CImageImpl::PixelAddress(int x, int y, std::size_t bytes) const {
  if (!pixels_ || !Contains(x, y)) return nullptr;
  const std::size_t offset =
      static_cast<std::size_t>(y) * stride_ + static_cast<std::size_t>(x) * depth_ / 8;
  // Compressed bitmaps hold fewer bytes than their rows would need.
  if (offset + bytes > pixelBytes_) return nullptr;
  return pixels_ + offset;
}

int CImageImpl::PixelIndexAt(int x, int y) const {
  if (depth_ > 8) return -1;
  const std::uint8_t* pixel = PixelAddress(x, y, 1);
  return pixel ? *pixel : -1;
}

int CImageImpl::PutPixelIndex(int x, int y, int index) {
  if (depth_ > 8) return 0;
  std::uint8_t* pixel = PixelAddress(x, y, 1);
  if (!pixel) return 0;
  *pixel = static_cast<std::uint8_t>(index);
  return 1;
}

int CImageImpl::PixelColorAt(int x, int y, int& red, int& green, int& blue) const {
  if (!Contains(x, y)) return 0;
  if (imagePalette_) return imagePalette_->EntryAt(PixelIndexAt(x, y), red, green, blue);
  const std::uint8_t* pixel = PixelAddress(x, y, 3);
  if (!pixel) return 0;
  blue = pixel[0];
  green = pixel[1];
  red = pixel[2];
  return 1;
}

int CImageImpl::PutPixelColor(int x, int y, int red, int green, int blue) {
  if (!Contains(x, y)) return 0;
  if (colorType_ & kColorPaletteBit) {
    if (!imagePalette_) return 0;
    return PutPixelIndex(x, y, imagePalette_->NearestIndex(red, green, blue)) ? 1 : 0;
  }
  std::uint8_t* pixel = PixelAddress(x, y, 3);
  if (!pixel) return 0;
  pixel[0] = static_cast<std::uint8_t>(blue);
  pixel[1] = static_cast<std::uint8_t>(green);
  pixel[2] = static_cast<std::uint8_t>(red);
  return 1;
}

int CImageImpl::LoadFromFile(const QString&) { return 0; }
int CImageImpl::SaveToFile(const QString&) { return 0; }

void CImageImpl::AssignPalette(int count, const int* red, const int* green, const int* blue) {
  if (!green) green = red;
  if (!blue) blue = green;
  auto palette = std::make_unique<CImagePalette>();
  if (!palette->Create(count, red, green, blue)) return;
  AssignPalette(std::move(palette));
}

void CImageImpl::AssignPalette(int count, const std::uint8_t* triples) {
  if (imagePalette_)
    ShowMessageBox(nullptr, QStringLiteral("CImageImpl::imagePalette already exists!"),
                   MessageIcon::None);
  count = triples ? std::clamp(count, 0, 256) : 0;
  std::vector<int> red(count), green(count), blue(count);
  for (int i = 0; i < count; ++i) {
    red[i] = triples[3 * i];
    green[i] = triples[3 * i + 1];
    blue[i] = triples[3 * i + 2];
  }
  AssignPalette(count, red.data(), green.data(), blue.data());
}

void CImageImpl::AssignPalette(std::unique_ptr<CImagePalette> palette) {
  if (!palette) return;
  imagePalette_ = std::move(palette);  // a palette the image had is released here
  colorType_ |= kColorPalette;
  SetDibColorTable(dib_.get(), imagePalette_->Get(), 1);
}

void CImageImpl::TakeImageFrom(CImageImpl& other) {
  Clear();
  dib_ = std::move(other.dib_);
  imagePalette_ = std::move(other.imagePalette_);
  transparentIndex_ = other.transparentIndex_;
  pixels_ = other.pixels_;
  pixelBytes_ = other.pixelBytes_;
  width_ = other.width_;
  height_ = other.height_;
  depth_ = other.depth_;
  colorType_ = other.colorType_;
  stride_ = other.stride_;
  other.pixels_ = nullptr;
  other.pixelBytes_ = 0;
}

int CImageImpl::DrawAt(DeviceContext* dc, int x, int y, int width, int height, int sourceX,
                       int sourceY) {
  if (!dib_) return 0;
  if (!dc) return 1;
  dc->RealizePalette();
  if (width == -1) width = width_;
  if (height == -1) height = height_;
  dc->SetDIBitsToDevice(x, y, width, height, sourceX, 0, sourceY, height, dib_->Bits(),
                        DIB_PAL_COLORS);
  return 1;
}

int CImageImpl::DrawStretched(DeviceContext* dc, int destX, int destY, int destWidth,
                              int destHeight, int sourceX, int sourceY, int sourceWidth,
                              int sourceHeight) {
  if (!dib_) return 0;
  if (!dc) return 1;
  if (destWidth == -1) destWidth = width_;
  if (destHeight == -1) destHeight = height_;
  if (sourceWidth == -1) sourceWidth = width_ - sourceX;
  if (sourceHeight == -1) sourceHeight = height_ - sourceY;
  dc->RealizePalette();
  dc->SetStretchBltMode(COLORONCOLOR);
  auto stretch = [&](std::uint32_t rop) {
    dc->StretchDIBits(destX, destY, destWidth, destHeight, sourceX, sourceY, sourceWidth,
                      sourceHeight, dib_->Bits(), DIB_PAL_COLORS, rop);
  };
  // Transparency needs the palette to find its black and white.
  if (transparentIndex_ == -1 || !imagePalette_) {
    stretch(SRCCOPY);
    return 1;
  }

  std::vector<int> saved(static_cast<std::size_t>(width_) * height_);
  auto forEachPixel = [&](auto&& action) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        action(x, y, saved[static_cast<std::size_t>(y) * width_ + x]);
  };
  forEachPixel([&](int x, int y, int& index) { index = PixelIndexAt(x, y); });
  const int black = imagePalette_->NearestIndex(0, 0, 0);
  const int white = imagePalette_->NearestIndex(255, 255, 255);

  // Mask: the destination stays under transparent pixels and turns black under the others.
  forEachPixel([&](int x, int y, int& index) {
    PutPixelIndex(x, y, index == transparentIndex_ ? white : black);
  });
  stretch(SRCAND);
  // Image, with black where it is transparent, or-ed onto the blackened area.
  forEachPixel([&](int x, int y, int& index) {
    PutPixelIndex(x, y, index == transparentIndex_ ? black : index);
  });
  stretch(SRCPAINT);
  forEachPixel([&](int x, int y, int& index) { PutPixelIndex(x, y, index); });
  return 1;
}
