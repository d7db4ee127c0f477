#pragma once

#include <QString>
#include <memory>

#include "imaging/image_impl.h"
#include "imaging/image_type.h"

class DeviceContext;

// An image that is read from a file, drawn, changed and written to a file; the file type
// (from the name's extension) chooses the implementation behind it. Operations other than
// loading and creating need an implementation: without one they do nothing and give 0
// (-1 for PixelIndexAt).
class CImageObject {
 public:
  CImageObject() = default;
  ~CImageObject();
  CImageObject(const CImageObject&) = delete;
  CImageObject& operator=(const CImageObject&) = delete;

  // Reads the file; type -1 means the type of the name. Gives 1 on success.
  int LoadFromFile(const QString& name, int type = kImageNone);
  // Writes the file; a new type moves the image into an implementation of that type first.
  // Gives 1 on success; on failure to make the new implementation the old one stays.
  int SaveToFile(const QString& name, int type = kImageNone);
  // Replaces the implementation by an empty one of the type; 0 for types without one.
  int MakeImplementation(const QString& name, int type);
  // A new blank bitmap; makes a BMP implementation when there is none.
  int CreateBlank(int width, int height, int depth, int colorType);

  int RowStride() const;
  int Width() const;
  int Height() const;
  int BitsPerPixel() const;
  int ColorType() const;
  bool Contains(int x, int y) const;
  int DrawAt(DeviceContext* dc, int x, int y, int width = -1, int height = -1, int sourceX = 0,
             int sourceY = 0);
  int DrawStretched(DeviceContext* dc, int destX, int destY, int destWidth, int destHeight,
                    int sourceX, int sourceY, int sourceWidth, int sourceHeight);
  int PixelIndexAt(int x, int y) const;
  int PixelColorAt(int x, int y, int& red, int& green, int& blue) const;
  int PutPixelIndex(int x, int y, int index);
  int PutPixelColor(int x, int y, int red, int green, int blue);
  void AssignPalette(int count, const int* red, const int* green, const int* blue);
  void AssignPalette(int count, const std::uint8_t* triples);
  void AssignPalette(std::unique_ptr<CImagePalette> palette);
  CImagePalette* Palette() const;
  bool HasBitmap() const;
  CImageImpl* Implementation() const { return impl_.get(); }
  std::uint8_t* PixelBits() const;

  int Type() const { return type_; }
  const QString& FileName() const { return fileName_; }

 private:
  int type_ = kImageNone;
  QString fileName_;
  std::unique_ptr<CImageImpl> impl_;
};

// A new, empty implementation for a file type, or nullptr for types without one.
std::unique_ptr<CImageImpl> MakeImageImplementation(const QString& name, int type);
