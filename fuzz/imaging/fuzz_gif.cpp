// Feeds arbitrary bytes to the GIF reader (image class and full-colour loader), then draws and
// probes whatever loaded.
#include <QBuffer>
#include <QByteArray>
#include <cstdint>
#include <cstring>

#include "fuzz_input.h"
#include "imaging/full_color_image.h"
#include "imaging/image_impl_gif.h"
#include "platform/device_context.h"
#include "platform/dib_section.h"

namespace {

void Exercise(CImageImpl& image) {
  int r = 0, g = 0, b = 0;
  const int w = image.Width(), h = image.Height();
  for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w, h}}) {
    image.PixelIndexAt(x, y);
    image.PixelColorAt(x, y, r, g, b);
  }
  // Transparent drawing keeps a copy of every pixel: only for modest pictures.
  if (static_cast<long long>(w) * h > 1 << 16) return;
  DibSection target = DibSection::Create(24, 24);
  DeviceContext dc(target.Image());
  if (image.Palette()) dc.SelectPalette(image.Palette()->Get());
  image.DrawStretched(&dc, 0, 0, 24, 24, 0, 0, -1, -1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!WorthDecoding(data, size)) return 0;
  FuzzInput input(data, size);
  QBuffer& buffer = input.Device();
  CImageImplGif image;
  if (image.LoadFromDevice(buffer)) Exercise(image);
  // The full-colour loader picks its decoder by the first bytes: only this format's here.
  if (size >= 4 && std::memcmp(data, "GIF8", 4) == 0) DecodeFullColorImage(data, size);
  return 0;
}
