// Feeds arbitrary bytes to the BMP reader, directly, through the full-colour loader and through
// an image object reading a file, then draws and probes whatever loaded.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>

#include "fuzz_input.h"
#include "imaging/dib_file.h"
#include "imaging/full_color_image.h"
#include "imaging/image_object.h"
#include "platform/device_context.h"
#include "platform/dib_section.h"

namespace {

void Exercise(CImageObject& image) {
  int r = 0, g = 0, b = 0;
  const int w = image.Width(), h = image.Height();
  for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w, h}}) {
    image.PixelIndexAt(x, y);
    image.PixelColorAt(x, y, r, g, b);
  }
  DibSection target = DibSection::Create(24, 24);
  DeviceContext dc(target.Image());
  if (image.Palette()) dc.SelectPalette(image.Palette()->Get());
  image.Implementation()->SetTransparentIndex(0);
  image.DrawStretched(&dc, 0, 0, 24, 24, 0, 0, -1, -1);
  image.DrawAt(&dc, 2, 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  if (const PackedDibPtr dib = LoadDibFromDevice(buffer)) {
    QImage target(16, 16, QImage::Format_RGB32);
    DeviceContext dc(target);
    const BitmapInfoHeader h = dib->Header();
    dc.StretchDIBits(0, 0, 16, 16, 0, 0, h.width, h.height, dib->Bits(), DIB_RGB_COLORS, SRCCOPY);
  }

  // The full-colour loader picks its decoder by the first bytes: only this format's here.
  if (size >= 2 && data[0] == 'B' && data[1] == 'M' && WorthDecoding(data, size))
    DecodeFullColorImage(data, size);

  static const QString path =
      QDir::tempPath() + QStringLiteral("/fuzz_bmp_%1.bmp").arg(QCoreApplication::applicationPid());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(bytes);
  file.close();
  CImageObject image;
  if (image.LoadFromFile(path) && image.HasBitmap()) Exercise(image);
  return 0;
}
