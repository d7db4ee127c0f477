// Feeds arbitrary bytes to the JPEG readers (image class with colour quantisation, full-colour
// loader, size reader) and writes back small pictures that loaded.
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <cstdint>
#include <cstring>

#include "fuzz_input.h"
#include "imaging/full_color_image.h"
#include "imaging/image_impl_jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!WorthDecoding(data, size)) return 0;
  FuzzInput input(data, size);
  QBuffer& buffer = input.Device();
  CImageImplJpeg image;
  if (image.LoadFromDevice(buffer)) {
    int r = 0, g = 0, b = 0;
    image.PixelColorAt(image.Width() - 1, image.Height() - 1, r, g, b);
    if (static_cast<long long>(image.Width()) * image.Height() <= 4096) {
      static const QString path =
          QDir::tempPath() +
          QStringLiteral("/fuzz_jpeg_%1.jpg").arg(QCoreApplication::applicationPid());
      image.SaveToFile(path);
    }
  }
  // The full-colour loader picks its decoder by the first bytes: only this format's here.
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) DecodeFullColorImage(data, size);
  return 0;
}
