// Feeds arbitrary bytes to the PNG readers (image class, full-colour loader, size reader) and
// writes small pictures that loaded back through the PNG writer.
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <cstdint>
#include <cstring>

#include "fuzz_input.h"
#include "imaging/full_color_image.h"
#include "imaging/image_impl_png.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!WorthDecoding(data, size)) return 0;
  FuzzInput input(data, size);
  QBuffer& buffer = input.Device();
  CImageImplPng image;
  if (image.LoadFromDevice(buffer)) {
    int r = 0, g = 0, b = 0;
    image.PixelColorAt(0, 0, r, g, b);
    image.PixelColorAt(image.Width() - 1, image.Height() - 1, r, g, b);
    if (static_cast<long long>(image.Width()) * image.Height() <= 4096) {
      static const QString path =
          QDir::tempPath() +
          QStringLiteral("/fuzz_png_%1.png").arg(QCoreApplication::applicationPid());
      if (image.SaveToFile(path)) {
        CImageImplPng back;
        back.LoadFromFile(path);
      }
    }
  }
  // The full-colour loader picks its decoder by the first bytes: only this format's here.
  if (size >= 8 && std::memcmp(data, "\x89PNG\r\n\x1A\n", 8) == 0) DecodeFullColorImage(data, size);
  return 0;
}
