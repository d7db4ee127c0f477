#include "webp_decoder.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>
#include <optional>

#include "imaging/exif_orientation.h"
#include "imaging/image_orientation.h"
#include "imaging/rgb32_image.h"

namespace {

struct DeleteDemuxer {
  void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};
struct DeleteAnimDecoder {
  void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

std::optional<WebPBitstreamFeatures> Features(const std::uint8_t* data, std::size_t size) {
  WebPBitstreamFeatures features;
  if (!IsWebpFile(data, size) || WebPGetFeatures(data, size, &features) != VP8_STATUS_OK)
    return std::nullopt;
  return features;
}

// The orientation of the EXIF chunk, 1 without one. The demuxer reads chunk headers only.
int WebpOrientation(const std::uint8_t* data, std::size_t size) {
  const WebPData bytes = {data, size};
  const std::unique_ptr<WebPDemuxer, DeleteDemuxer> demuxer(WebPDemux(&bytes));
  if (!demuxer || !(WebPDemuxGetI(demuxer.get(), WEBP_FF_FORMAT_FLAGS) & EXIF_FLAG)) return 1;
  WebPChunkIterator chunk;
  int orientation = 1;
  if (WebPDemuxGetChunk(demuxer.get(), "EXIF", 1, &chunk))
    orientation = ExifOrientation(chunk.chunk.bytes, chunk.chunk.size);
  WebPDemuxReleaseChunkIterator(&chunk);
  return orientation;
}

// Straight alpha in the fourth byte of B, G, R, A pixels, composited away in place.
void CompositeOverBackground(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    std::uint8_t* p = image.scanLine(y);
    for (int x = 0; x < image.width(); ++x, p += 4) {
      const int alpha = p[3];
      for (int c = 0; c < 3; ++c)
        p[c] = static_cast<std::uint8_t>(
            OverBackground(p[c], alpha, kTransparentBackground[2 - c]));  // blue first
      p[3] = 0xFF;
    }
  }
}

QImage DecodeStill(const std::uint8_t* data, std::size_t size, const WebPBitstreamFeatures& f) {
  QImage image = NewRgb32(f.width, f.height);
  if (image.isNull()) return {};
  // B, G, R, A is the byte order of Format_RGB32 on little-endian machines.
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
  if (!WebPDecodeBGRAInto(data, size, image.bits(), static_cast<std::size_t>(image.sizeInBytes()),
                          static_cast<int>(image.bytesPerLine())))
    return {};
  if (f.has_alpha) CompositeOverBackground(image);
  return image;
}

QImage DecodeFirstFrame(const std::uint8_t* data, std::size_t size) {
  WebPAnimDecoderOptions options;
  if (!WebPAnimDecoderOptionsInit(&options)) return {};
  options.color_mode = MODE_BGRA;
  options.use_threads = 0;
  const WebPData bytes = {data, size};
  const std::unique_ptr<WebPAnimDecoder, DeleteAnimDecoder> decoder(
      WebPAnimDecoderNew(&bytes, &options));
  WebPAnimInfo info;
  if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) return {};
  QImage image =
      NewRgb32(static_cast<int>(info.canvas_width), static_cast<int>(info.canvas_height));
  std::uint8_t* canvas = nullptr;
  int timestamp = 0;
  if (image.isNull() || !WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) return {};
  const std::size_t rowBytes = static_cast<std::size_t>(info.canvas_width) * 4;
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(image.scanLine(y), canvas + y * rowBytes, rowBytes);
  CompositeOverBackground(image);
  return image;
}

}  // namespace

bool IsWebpFile(const std::uint8_t* data, std::size_t size) {
  return data && size >= 12 && std::memcmp(data, "RIFF", 4) == 0 &&
         std::memcmp(data + 8, "WEBP", 4) == 0;
}

QImage DecodeWebp(const std::uint8_t* data, std::size_t size) {
  const auto features = Features(data, size);
  // The size the headers declare bounds every buffer libwebp and this reader allocate.
  if (!features || !FitsRgb32(features->width, features->height)) return {};
  const QImage image =
      features->has_animation ? DecodeFirstFrame(data, size) : DecodeStill(data, size, *features);
  return OrientedImage(image, WebpOrientation(data, size));
}

QSize WebpSize(const std::uint8_t* data, std::size_t size) {
  const auto features = Features(data, size);
  if (!features || features->width <= 0 || features->height <= 0) return {};
  return OrientedSize(QSize(features->width, features->height), WebpOrientation(data, size));
}

bool IsLossyWebp(const std::uint8_t* data, std::size_t size) {
  const auto features = Features(data, size);
  return features && !features->has_animation && features->format == 1;
}
