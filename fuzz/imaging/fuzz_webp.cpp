// Feeds arbitrary bytes to the WebP reader (still, animated, with EXIF chunks) through the
// full-colour loader and the size reader.
#include <cstdint>

#include "fuzz_input.h"
#include "imaging/full_color_image.h"
#include "imaging/webp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The loader picks its decoder by the first bytes: only this format's here.
  if (!IsWebpFile(data, size) || !WorthDecoding(data, size)) return 0;
  IsLossyWebp(data, size);
  const QImage image = DecodeFullColorImage(data, size);
  if (!image.isNull()) {
    volatile QRgb corner = image.pixel(image.width() - 1, image.height() - 1);
    (void)corner;
  }
  return 0;
}
