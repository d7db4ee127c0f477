#include "photo_files.h"

#include <libheif/heif.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <QPoint>
#include <cstdlib>
#include <memory>

namespace {

struct HeifLibrary {
  HeifLibrary() { heif_init(nullptr); }
  ~HeifLibrary() { heif_deinit(); }
};

heif_error AppendToArray(heif_context*, const void* data, size_t size, void* userdata) {
  static_cast<QByteArray*>(userdata)->append(static_cast<const char*>(data),
                                             static_cast<qsizetype>(size));
  return {heif_error_Ok, heif_suberror_Unspecified, ""};
}

// Unpremultiplied B, G, R, A bytes, the layout the encoders import.
QImage Argb(const QImage& picture) { return picture.convertToFormat(QImage::Format_ARGB32); }

void AppendBe16(QByteArray& out, int value) {
  out.append(static_cast<char>(value >> 8)).append(static_cast<char>(value));
}

}  // namespace

QImage QuadrantPicture(int width, int height) {
  const QRgb colours[4] = {qRgb(200, 40, 40), qRgb(40, 170, 60), qRgb(50, 60, 200),
                           qRgb(220, 200, 60)};
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const QRgb base = colours[(x >= width / 2) + 2 * (y >= height / 2)];
      const int grain = (x * 7 + y * 13) % 16;
      image.setPixel(x, y,
                     qRgb(qRed(base) + grain / 2, qGreen(base) + grain / 2, qBlue(base) - grain));
    }
  return image;
}

QImage StoredForOrientation(const QImage& upright, int orientation) {
  const int w = upright.width() - 1, h = upright.height() - 1;
  // Upright position of stored (0, 0), and the upright steps of stored x and y.
  struct Axes {
    QPoint origin, across, down;
  };
  const Axes table[9] = {{},
                         {{0, 0}, {1, 0}, {0, 1}},
                         {{w, 0}, {-1, 0}, {0, 1}},
                         {{w, h}, {-1, 0}, {0, -1}},
                         {{0, h}, {1, 0}, {0, -1}},
                         {{0, 0}, {0, 1}, {1, 0}},
                         {{w, 0}, {0, 1}, {-1, 0}},
                         {{w, h}, {0, -1}, {-1, 0}},
                         {{0, h}, {0, -1}, {1, 0}}};
  const Axes& axes = table[orientation];
  const bool swapped = orientation >= 5;
  QImage stored(swapped ? upright.height() : upright.width(),
                swapped ? upright.width() : upright.height(), QImage::Format_RGB32);
  for (int y = 0; y < stored.height(); ++y)
    for (int x = 0; x < stored.width(); ++x)
      stored.setPixel(x, y, upright.pixel(axes.origin + x * axes.across + y * axes.down));
  return stored;
}

double MeanDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return 255;
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (3.0 * a.width() * a.height());
}

QByteArray EncodeHeif(const QImage& picture, HeifCodec codec, int quality, int orientation,
                      const QByteArray& exif) {
  static HeifLibrary library;
  const bool alpha = picture.hasAlphaChannel();
  const QImage argb = Argb(picture);
  const int width = argb.width(), height = argb.height();
  std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(),
                                                                 heif_context_free);
  heif_encoder* encoder = nullptr;
  const auto format = codec == HeifCodec::kHevc ? heif_compression_HEVC : heif_compression_AV1;
  if (heif_context_get_encoder_for_format(context.get(), format, &encoder).code != heif_error_Ok)
    return {};
  std::unique_ptr<heif_encoder, void (*)(heif_encoder*)> encoderOwner(encoder,
                                                                      heif_encoder_release);
  heif_encoder_set_lossy_quality(encoder, quality);
  heif_image* raw = nullptr;
  heif_image_create(width, height, heif_colorspace_RGB,
                    alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, &raw);
  std::unique_ptr<heif_image, void (*)(const heif_image*)> image(raw, heif_image_release);
  heif_image_add_plane(raw, heif_channel_interleaved, width, height, 8);
  int stride = 0;
  std::uint8_t* plane = heif_image_get_plane(raw, heif_channel_interleaved, &stride);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* out = plane + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = argb.pixel(x, y);
      *out++ = static_cast<std::uint8_t>(qRed(pixel));
      *out++ = static_cast<std::uint8_t>(qGreen(pixel));
      *out++ = static_cast<std::uint8_t>(qBlue(pixel));
      if (alpha) *out++ = static_cast<std::uint8_t>(qAlpha(pixel));
    }
  }
  std::unique_ptr<heif_encoding_options, void (*)(heif_encoding_options*)> options(
      heif_encoding_options_alloc(), heif_encoding_options_free);
  options->image_orientation = static_cast<heif_orientation>(orientation);
  heif_image_handle* handle = nullptr;
  if (heif_context_encode_image(context.get(), raw, encoder, options.get(), &handle).code !=
      heif_error_Ok)
    return {};
  if (!exif.isEmpty())
    heif_context_add_exif_metadata(context.get(), handle, exif.constData(),
                                   static_cast<int>(exif.size()));
  heif_image_handle_release(handle);
  QByteArray bytes;
  heif_writer writer{};
  writer.writer_api_version = 1;
  writer.write = AppendToArray;
  if (heif_context_write(context.get(), &writer, &bytes).code != heif_error_Ok) return {};
  return bytes;
}

QByteArray EncodeWebp(const QImage& picture, bool lossless, int quality, const QByteArray& exif) {
  const QImage argb = Argb(picture);
  WebPConfig config;
  WebPConfigInit(&config);
  config.lossless = lossless ? 1 : 0;
  config.quality = static_cast<float>(quality);
  config.exact = 1;  // keep the colour under transparent pixels as it is
  WebPPicture webp;
  WebPPictureInit(&webp);
  webp.use_argb = lossless ? 1 : 0;
  webp.width = argb.width();
  webp.height = argb.height();
  const int stride = static_cast<int>(argb.bytesPerLine());
  if (picture.hasAlphaChannel())
    WebPPictureImportBGRA(&webp, argb.constBits(), stride);
  else
    WebPPictureImportBGRX(&webp, argb.constBits(), stride);
  WebPMemoryWriter memory;
  WebPMemoryWriterInit(&memory);
  webp.writer = WebPMemoryWrite;
  webp.custom_ptr = &memory;
  const bool encoded = WebPEncode(&config, &webp) != 0;
  QByteArray bytes(reinterpret_cast<const char*>(memory.mem), static_cast<qsizetype>(memory.size));
  WebPMemoryWriterClear(&memory);
  WebPPictureFree(&webp);
  if (!encoded) return {};
  if (exif.isEmpty()) return bytes;

  const WebPData image = {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size())};
  const WebPData chunk = {reinterpret_cast<const std::uint8_t*>(exif.constData()),
                          static_cast<std::size_t>(exif.size())};
  std::unique_ptr<WebPMux, void (*)(WebPMux*)> mux(WebPMuxCreate(&image, 1), WebPMuxDelete);
  WebPData assembled = {nullptr, 0};
  if (!mux || WebPMuxSetChunk(mux.get(), "EXIF", &chunk, 1) != WEBP_MUX_OK ||
      WebPMuxAssemble(mux.get(), &assembled) != WEBP_MUX_OK)
    return {};
  QByteArray withExif(reinterpret_cast<const char*>(assembled.bytes),
                      static_cast<qsizetype>(assembled.size));
  WebPDataClear(&assembled);
  return withExif;
}

QByteArray EncodeAnimatedWebp(const std::vector<QImage>& frames) {
  if (frames.empty()) return {};
  const int width = frames.front().width(), height = frames.front().height();
  WebPAnimEncoderOptions options;
  WebPAnimEncoderOptionsInit(&options);
  std::unique_ptr<WebPAnimEncoder, void (*)(WebPAnimEncoder*)> encoder(
      WebPAnimEncoderNew(width, height, &options), WebPAnimEncoderDelete);
  WebPConfig config;
  WebPConfigInit(&config);
  config.lossless = 1;
  int timestamp = 0;
  for (const QImage& frame : frames) {
    const QImage argb = Argb(frame);
    WebPPicture webp;
    WebPPictureInit(&webp);
    webp.use_argb = 1;
    webp.width = width;
    webp.height = height;
    WebPPictureImportBGRA(&webp, argb.constBits(), static_cast<int>(argb.bytesPerLine()));
    const bool added = WebPAnimEncoderAdd(encoder.get(), &webp, timestamp, &config) != 0;
    WebPPictureFree(&webp);
    if (!added) return {};
    timestamp += 100;
  }
  WebPAnimEncoderAdd(encoder.get(), nullptr, timestamp, nullptr);
  WebPData assembled = {nullptr, 0};
  if (!WebPAnimEncoderAssemble(encoder.get(), &assembled)) return {};
  QByteArray bytes(reinterpret_cast<const char*>(assembled.bytes),
                   static_cast<qsizetype>(assembled.size));
  WebPDataClear(&assembled);
  return bytes;
}

QByteArray ExifTiff(int orientation, bool bigEndian) {
  // Header, then a directory of two 12-byte entries at offset 8, then the Make text.
  QByteArray be;
  be.append("MM", 2);
  AppendBe16(be, 42);
  be.append("\0\0\0\x08", 4);
  AppendBe16(be, 2);
  AppendBe16(be, 0x010F);  // Make: ASCII, 6 bytes at offset 38
  AppendBe16(be, 2);
  be.append("\0\0\0\x06", 4).append("\0\0\0\x26", 4);
  AppendBe16(be, 0x0112);  // Orientation: SHORT, 1, value in the first two bytes
  AppendBe16(be, 3);
  be.append("\0\0\0\x01", 4);
  AppendBe16(be, orientation);
  be.append("\0\0", 2);
  be.append("\0\0\0\0", 4);  // no next directory
  be.append("Phone\0", 6);
  if (bigEndian) return be;
  // The same structure in Intel order: every number's bytes reversed in place.
  QByteArray le = be;
  le[0] = le[1] = 'I';
  auto swap = [&le](int at, int length) {
    for (int i = 0; i < length / 2; ++i) std::swap(le[at + i], le[at + length - 1 - i]);
  };
  swap(2, 2);
  swap(4, 4);
  swap(8, 2);
  for (int entry = 10; entry < 34; entry += 12) {
    swap(entry, 2);
    swap(entry + 2, 2);
    swap(entry + 4, 4);
    swap(entry + 8, entry == 10 ? 4 : 2);
  }
  return le;
}

QByteArray WithExifSegment(const QByteArray& jpeg, const QByteArray& tiff) {
  QByteArray segment("\xFF\xE1", 2);
  AppendBe16(segment, static_cast<int>(2 + 6 + tiff.size()));
  segment.append("Exif\0\0", 6).append(tiff);
  int at = 2;
  if (jpeg.size() > 6 && static_cast<std::uint8_t>(jpeg[3]) == 0xE0)
    at = 4 + ((static_cast<std::uint8_t>(jpeg[4]) << 8) | static_cast<std::uint8_t>(jpeg[5]));
  return jpeg.left(at) + segment + jpeg.mid(at);
}
