#pragma once

#include <QString>
#include <memory>

#include "imaging/image_palette.h"
#include "imaging/packed_dib.h"

class DeviceContext;

// The pixels and colours behind an image object: a packed bitmap, its palette, and pixel
// access in bottom-up coordinates (y = 0 is the bottom row). Reading and writing files is
// left to the per-format classes.
class CImageImpl {
 public:
  CImageImpl() = default;
  virtual ~CImageImpl();
  CImageImpl(const CImageImpl&) = delete;
  CImageImpl& operator=(const CImageImpl&) = delete;

  virtual bool Contains(int x, int y) const;
  // A new zero-filled bitmap (4- and 8-bit ones get the VGA colour table). colorType < 0 means
  // grey up to 8 bits, colour above. The transparent index stays. Gives 1 on success.
  virtual int CreateBlank(int width, int height, int depth, int colorType);
  // The byte that holds the pixel for depths up to 8 bits, else -1.
  virtual int PixelIndexAt(int x, int y) const;
  virtual int PixelColorAt(int x, int y, int& red, int& green, int& blue) const;
  virtual int PutPixelIndex(int x, int y, int index);
  virtual int PutPixelColor(int x, int y, int red, int green, int blue);
  virtual int LoadFromFile(const QString& name);
  virtual int SaveToFile(const QString& name);

  // Palettes. The image draws through its palette (its colour table then holds palette
  // indices), so a new palette also rewrites the table.
  void AssignPalette(int count, const int* red, const int* green, const int* blue);
  void AssignPalette(int count, const std::uint8_t* triples);
  void AssignPalette(std::unique_ptr<CImagePalette> palette);
  CImagePalette* Palette() const { return imagePalette_.get(); }

  // Takes over the other's bitmap, palette and geometry, leaving it empty.
  void TakeImageFrom(CImageImpl& other);

  // Draws through the palette selected into the DC. Give 0 without a bitmap, 1 otherwise.
  int DrawAt(DeviceContext* dc, int x, int y, int width, int height, int sourceX, int sourceY);
  int DrawStretched(DeviceContext* dc, int destX, int destY, int destWidth, int destHeight,
                    int sourceX, int sourceY, int sourceWidth, int sourceHeight);

  bool HasBitmap() const { return dib_ != nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Depth() const { return depth_; }
  int ColorType() const { return colorType_; }
  void SetColorType(int colorType) { colorType_ = colorType; }
  int RowStride() const { return stride_; }
  std::uint8_t* PixelBits() const { return pixels_; }
  const PackedDib* Dib() const { return dib_.get(); }
  int TransparentIndex() const { return transparentIndex_; }
  void SetTransparentIndex(int index) { transparentIndex_ = index; }

 protected:
  // Adopts a bitmap: geometry from its header, pixels behind its colour table. Any palette
  // goes. Gives false (keeping nothing) when the block cannot hold its declared rows.
  bool AdoptDib(PackedDibPtr dib);
  void SetPalette(std::unique_ptr<CImagePalette> palette) { imagePalette_ = std::move(palette); }
  PackedDib* MutableDib() { return dib_.get(); }

 private:
  void Clear();
  // Address of the pixel's first byte, or nullptr when `bytes` from there leave the bitmap.
  std::uint8_t* PixelAddress(int x, int y, std::size_t bytes) const;

  std::uint8_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int depth_ = 0;
  int colorType_ = 0;
  int stride_ = 0;
  PackedDibPtr dib_;
  std::size_t pixelBytes_ = 0;
  int transparentIndex_ = -1;
  std::unique_ptr<CImagePalette> imagePalette_;
};
