#include "heif_decoder.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "imaging/dib.h"
#include "imaging/rgb32_image.h"

namespace {

// libheif registers its decoders once per process.
void InitLibheif() {
  struct Library {
    Library() { heif_init(nullptr); }
    ~Library() { heif_deinit(); }
  };
  static Library library;
}

struct FreeContext {
  void operator()(heif_context* context) const { heif_context_free(context); }
};
struct ReleaseHandle {
  void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ReleaseImage {
  void operator()(heif_image* image) const { heif_image_release(image); }
};
struct FreeOptions {
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};
using HandlePtr = std::unique_ptr<heif_image_handle, ReleaseHandle>;

// The primary image of the file. The bytes must outlive the handle: libheif reads them in place.
HandlePtr PrimaryImage(const std::uint8_t* data, std::size_t size) {
  InitLibheif();
  std::unique_ptr<heif_context, FreeContext> context(heif_context_alloc());
  if (!context) return nullptr;
  heif_context_set_maximum_image_size_limit(context.get(), kMaxDibDimension);
  if (heif_context_read_from_memory_without_copy(context.get(), data, size, nullptr).code !=
      heif_error_Ok)
    return nullptr;
  heif_image_handle* handle = nullptr;
  if (heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok)
    return nullptr;
  return HandlePtr(handle);  // the handle keeps what it needs of the context
}

bool DeclaredSizeFits(const heif_image_handle* handle) {
  return FitsRgb32(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle)) &&
         FitsRgb32(heif_image_handle_get_ispe_width(handle),
                   heif_image_handle_get_ispe_height(handle));
}

QImage ToRgb32(const heif_image* decoded, bool alpha, bool premultiplied) {
  const int width = heif_image_get_width(decoded, heif_channel_interleaved);
  const int height = heif_image_get_height(decoded, heif_channel_interleaved);
  const int channels = alpha ? 4 : 3;
  if (heif_image_get_bits_per_pixel(decoded, heif_channel_interleaved) != 8 * channels) return {};
  int stride = 0;
  const std::uint8_t* pixels =
      heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
  QImage image = NewRgb32(width, height);
  if (!pixels || image.isNull() || stride < width * channels) return {};
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = pixels + static_cast<std::size_t>(y) * stride;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    if (!alpha) {
      for (int x = 0; x < width; ++x, in += 3) line[x] = qRgb(in[0], in[1], in[2]);
      continue;
    }
    for (int x = 0; x < width; ++x, in += 4) {
      const int a = in[3];
      line[x] = qRgb(OverBackground(in[0], a, kTransparentBackground[0], premultiplied),
                     OverBackground(in[1], a, kTransparentBackground[1], premultiplied),
                     OverBackground(in[2], a, kTransparentBackground[2], premultiplied));
    }
  }
  return image;
}

}  // namespace

bool IsHeifFile(const std::uint8_t* data, std::size_t size) {
  if (!data || size < 16 || std::memcmp(data + 4, "ftyp", 4) != 0) return false;
  const std::size_t boxSize = std::min<std::size_t>(
      size, std::uint32_t{data[0]} << 24 | data[1] << 16 | data[2] << 8 | std::uint32_t{data[3]});
  static constexpr const char* kBrands[] = {"heic", "heix", "heim", "heis", "mif1", "avif"};
  // The major brand at 8, a minor version, then compatible brands to the end of the box.
  for (std::size_t at = 8; at + 4 <= boxSize; at += at == 8 ? 8 : 4) {
    for (const char* brand : kBrands)
      if (std::memcmp(data + at, brand, 4) == 0) return true;
  }
  return false;
}

QImage DecodeHeif(const std::uint8_t* data, std::size_t size) {
  if (!data) return {};
  const HandlePtr handle = PrimaryImage(data, size);
  if (!handle || !DeclaredSizeFits(handle.get())) return {};
  const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
  const bool premultiplied = alpha && heif_image_handle_is_premultiplied_alpha(handle.get()) != 0;
  const std::unique_ptr<heif_decoding_options, FreeOptions> options(heif_decoding_options_alloc());
  if (!options) return {};
  options->convert_hdr_to_8bit = 1;  // 10-bit photos too come out as 8-bit samples
  heif_image* decoded = nullptr;
  const heif_error error = heif_decode_image(
      handle.get(), &decoded, heif_colorspace_RGB,
      alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
  const std::unique_ptr<heif_image, ReleaseImage> image(decoded);
  if (error.code != heif_error_Ok || !image) return {};
  return ToRgb32(image.get(), alpha, premultiplied);
}

QSize HeifSize(const std::uint8_t* data, std::size_t size) {
  if (!data) return {};
  const HandlePtr handle = PrimaryImage(data, size);
  if (!handle) return {};
  const int width = heif_image_handle_get_width(handle.get());
  const int height = heif_image_handle_get_height(handle.get());
  if (width <= 0 || height <= 0) return {};
  return QSize(width, height);
}
