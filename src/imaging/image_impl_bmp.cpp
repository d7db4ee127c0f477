#include "image_impl_bmp.h"

#include "imaging/dib.h"
#include "imaging/dib_file.h"
#include "imaging/image_type.h"

int CImageImplBmp::LoadFromFile(const QString& name) {
  if (!AdoptDib(LoadDibFile(UseName(name)))) return 0;
  auto palette = PaletteFromDib(*Dib(), 0);
  if (!palette) {
    // A deeper bitmap without a colour table is a colour image.
    if (Depth() > 8) SetColorType(kColorBit);
    return 1;
  }
  SetPalette(std::make_unique<CImagePalette>(std::move(*palette)));
  SetDibColorTable(MutableDib(), Palette()->Get(), 1);
  SetColorType(kColorPalette);
  return 1;
}

int CImageImplBmp::SaveToFile(const QString& name) {
  const QString& fileName = UseName(name);
  const ::Palette* colors = Palette() ? Palette()->Get() : nullptr;
  SetDibColorTable(MutableDib(), colors, 0);
  const int saved = SaveDibFile(fileName, Dib());
  // Back to palette indices, so the image still draws through its palette.
  if (colors) SetDibColorTable(MutableDib(), colors, 1);
  return saved;
}
