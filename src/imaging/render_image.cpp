#include "render_image.h"

#include "imaging/image_object.h"
#include "platform/device_context.h"

namespace {

// Draws the image through its own palette (selected as a background palette).
void DrawImage(CImageObject& image, DibSection& section, int x, int y, int width, int height) {
  DeviceContext dc(section.Image());
  if (const CImagePalette* palette = image.Palette()) {
    dc.SelectPalette(palette->Get(), true);
    dc.RealizePalette();
  }
  image.DrawStretched(&dc, x, y, width, height, 0, 0, image.Width(), image.Height());
  dc.SelectPalette(nullptr, true);
}

}  // namespace

DibSection RenderImageFile(const QString& fileName, int x, int y) {
  CImageObject image;
  if (!image.LoadFromFile(fileName)) return {};
  DibSection section = DibSection::Create(image.Width() + 1, image.Height() + 1);
  if (section.IsNull()) return section;
  DrawImage(image, section, x, y, image.Width() + 1, image.Height() + 1);
  return section;
}

DibSection RenderImageFileScaled(const QString& fileName, int percent) {
  CImageObject image;
  if (!image.LoadFromFile(fileName) || percent <= 0) return {};
  const int width = static_cast<int>(static_cast<long long>(percent) * image.Width() / 100);
  const int height = static_cast<int>(static_cast<long long>(percent) * image.Height() / 100);
  DibSection section = DibSection::Create(width, height);
  if (section.IsNull()) return section;
  DrawImage(image, section, 0, 0, width, height);
  return section;
}
