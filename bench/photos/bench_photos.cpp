// Loading a phone's 12-megapixel HEIC photo as the main picture (what the composition window
// pays: LoadFullColorImage of the file, whose picture the canvas then shares), against libheif
// decoding the same bytes alone into the red-green-blue samples a viewer asks it for.
#include <libheif/heif.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <vector>

#include "imaging/full_color_image.h"
#include "support/bench_timing.h"
#include "support/test_photos.h"

namespace {

constexpr int kWidth = 4032;  // a phone camera's 12 megapixels
constexpr int kHeight = 3024;

heif_error AppendToArray(heif_context*, const void* data, size_t size, void* userdata) {
  static_cast<QByteArray*>(userdata)->append(static_cast<const char*>(data),
                                             static_cast<qsizetype>(size));
  return {heif_error_Ok, heif_suberror_Unspecified, ""};
}

// The photo as libheif's HEVC encoder writes it at a phone's quality.
QByteArray EncodeHeic(const QImage& photo) {
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  QByteArray bytes;
  if (heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code ==
      heif_error_Ok) {
    heif_encoder_set_lossy_quality(encoder, 80);
    heif_encoder_set_parameter(encoder, "preset", "veryfast");
    heif_image* image = nullptr;
    heif_image_create(photo.width(), photo.height(), heif_colorspace_RGB,
                      heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, photo.width(), photo.height(), 8);
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < photo.height(); ++y) {
      const auto* in = reinterpret_cast<const QRgb*>(photo.constScanLine(y));
      std::uint8_t* out = plane + static_cast<std::size_t>(y) * stride;
      for (int x = 0; x < photo.width(); ++x) {
        *out++ = static_cast<std::uint8_t>(qRed(in[x]));
        *out++ = static_cast<std::uint8_t>(qGreen(in[x]));
        *out++ = static_cast<std::uint8_t>(qBlue(in[x]));
      }
    }
    heif_writer writer{};
    writer.writer_api_version = 1;
    writer.write = AppendToArray;
    if (heif_context_encode_image(context, image, encoder, nullptr, nullptr).code !=
            heif_error_Ok ||
        heif_context_write(context, &writer, &bytes).code != heif_error_Ok)
      bytes.clear();
    heif_image_release(image);
    heif_encoder_release(encoder);
  }
  heif_context_free(context);
  return bytes;
}

// libheif alone: the file's bytes already in memory, decoded to interleaved red-green-blue.
int DecodeWithLibheif(const QByteArray& bytes) {
  heif_context* context = heif_context_alloc();
  heif_image_handle* handle = nullptr;
  heif_image* image = nullptr;
  int width = 0;
  if (heif_context_read_from_memory_without_copy(context, bytes.constData(),
                                                 static_cast<size_t>(bytes.size()), nullptr)
              .code == heif_error_Ok &&
      heif_context_get_primary_image_handle(context, &handle).code == heif_error_Ok &&
      heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr)
              .code == heif_error_Ok)
    width = heif_image_get_width(image, heif_channel_interleaved);
  heif_image_release(image);
  heif_image_handle_release(handle);
  heif_context_free(context);
  return width;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  heif_init(nullptr);
  QTemporaryDir folder;
  const QString path = folder.path() + "/photo.heic";
  const QByteArray heic = EncodeHeic(
      MakeLargePhoto(QStringLiteral(QUILLORA_PHOTOS96 "/kodim05.png"), kWidth, kHeight, 5));
  QFile file(path);
  if (heic.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(heic) != heic.size()) {
    std::fprintf(stderr, "the test photo could not be written\n");
    return 1;
  }
  file.close();

  auto ours = [&path] {
    if (LoadFullColorImage(path).width() != kWidth) std::abort();
  };
  auto anchor = [&heic] {
    if (DecodeWithLibheif(heic) != kWidth) std::abort();
  };
  // Alternately after one warm-up each, so that both see the same machine state.
  ours();
  anchor();
  std::vector<double> a, b;
  for (int i = 0; i < 7; ++i) {
    a.push_back(Milliseconds(ours));
    b.push_back(Milliseconds(anchor));
  }
  const double anchorMs = Median(b);
  std::printf("BENCH load_main_heic_12mp %.1f ms anchor=%.1f target=%.1f\n", Median(a), anchorMs,
              1.3 * anchorMs);
  heif_deinit();
  return 0;
}
