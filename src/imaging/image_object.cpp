#include "image_object.h"

#include "imaging/image_impl_bmp.h"
#include "imaging/image_impl_gif.h"
#include "imaging/image_impl_jpeg.h"
#include "imaging/image_impl_png.h"

namespace {
// Quality of JPEG files written through an image object.
constexpr int kDefaultJpegQuality = 30;
}  // namespace

std::unique_ptr<CImageImpl> MakeImageImplementation(const QString& name, int type) {
  switch (type) {
    case kImageBmp:
      return std::make_unique<CImageImplBmp>(name);
    case kImageJpeg:
      return std::make_unique<CImageImplJpeg>(name, kDefaultJpegQuality);
    case kImageGif:
      return std::make_unique<CImageImplGif>(name);
    case kImagePng:
      return std::make_unique<CImageImplPng>(name);
    default:
      return nullptr;
  }
}

CImageObject::~CImageObject() = default;

int CImageObject::MakeImplementation(const QString& name, int type) {
  impl_ = MakeImageImplementation(name, type);
  return impl_ ? 1 : 0;
}

int CImageObject::LoadFromFile(const QString& name, int type) {
  const int previousType = type_;
  fileName_ = name;
  type_ = type == kImageNone ? ImageTypeOfName(name) : type;
  if (!impl_ || type_ != previousType) {
    if (!MakeImplementation(fileName_, type_)) return 0;
  }
  return impl_->LoadFromFile(fileName_);
}

int CImageObject::SaveToFile(const QString& name, int type) {
  if (!impl_) return 0;
  const int previousType = type_;
  fileName_ = name;
  type_ = type == kImageNone ? ImageTypeOfName(name) : type;
  if (type_ != previousType) {
    std::unique_ptr<CImageImpl> replacement = MakeImageImplementation(fileName_, type_);
    if (!replacement) return 0;  // the old implementation stays
    replacement->TakeImageFrom(*impl_);
    impl_ = std::move(replacement);
  }
  return impl_->SaveToFile(fileName_);
}

int CImageObject::CreateBlank(int width, int height, int depth, int colorType) {
  if (!impl_) {
    type_ = kImageBmp;
    fileName_.clear();
    impl_ = MakeImageImplementation(QString(), kImageBmp);
  }
  return impl_->CreateBlank(width, height, depth, colorType);
}

int CImageObject::RowStride() const { return impl_ ? impl_->RowStride() : 0; }
int CImageObject::Width() const { return impl_ ? impl_->Width() : 0; }
int CImageObject::Height() const { return impl_ ? impl_->Height() : 0; }
int CImageObject::BitsPerPixel() const { return impl_ ? impl_->Depth() : 0; }
int CImageObject::ColorType() const { return impl_ ? impl_->ColorType() : 0; }
bool CImageObject::Contains(int x, int y) const { return impl_ && impl_->Contains(x, y); }

int CImageObject::DrawAt(DeviceContext* dc, int x, int y, int width, int height, int sourceX,
                         int sourceY) {
  return impl_ ? impl_->DrawAt(dc, x, y, width, height, sourceX, sourceY) : 0;
}

int CImageObject::DrawStretched(DeviceContext* dc, int destX, int destY, int destWidth,
                                int destHeight, int sourceX, int sourceY, int sourceWidth,
                                int sourceHeight) {
  return impl_ ? impl_->DrawStretched(dc, destX, destY, destWidth, destHeight, sourceX, sourceY,
                                      sourceWidth, sourceHeight)
               : 0;
}

int CImageObject::PixelIndexAt(int x, int y) const {
  return impl_ ? impl_->PixelIndexAt(x, y) : -1;
}

int CImageObject::PixelColorAt(int x, int y, int& red, int& green, int& blue) const {
  return impl_ ? impl_->PixelColorAt(x, y, red, green, blue) : 0;
}

int CImageObject::PutPixelIndex(int x, int y, int index) {
  return impl_ ? impl_->PutPixelIndex(x, y, index) : 0;
}

int CImageObject::PutPixelColor(int x, int y, int red, int green, int blue) {
  return impl_ ? impl_->PutPixelColor(x, y, red, green, blue) : 0;
}

void CImageObject::AssignPalette(int count, const int* red, const int* green, const int* blue) {
  if (impl_) impl_->AssignPalette(count, red, green, blue);
}

void CImageObject::AssignPalette(int count, const std::uint8_t* triples) {
  if (impl_) impl_->AssignPalette(count, triples);
}

void CImageObject::AssignPalette(std::unique_ptr<CImagePalette> palette) {
  if (impl_) impl_->AssignPalette(std::move(palette));
}

CImagePalette* CImageObject::Palette() const { return impl_ ? impl_->Palette() : nullptr; }
bool CImageObject::HasBitmap() const { return impl_ && impl_->HasBitmap(); }
std::uint8_t* CImageObject::PixelBits() const { return impl_ ? impl_->PixelBits() : nullptr; }
