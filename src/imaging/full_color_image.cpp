#include "full_color_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "imaging/dib.h"
#include "imaging/dib_file.h"
#include "imaging/exif_orientation.h"
#include "imaging/gif_reader.h"
#include "imaging/heif_decoder.h"
#include "imaging/image_orientation.h"
#include "imaging/jpeg_extent.h"
#include "imaging/jpeg_full_color.h"
#include "imaging/png_decoder.h"
#include "imaging/rgb32_image.h"
#include "imaging/rle_decoder.h"
#include "imaging/webp_decoder.h"
#include "platform/dib_reader.h"

namespace {

enum class Format { kUnknown, kBmp, kGif, kJpeg, kPng, kHeif, kWebp };

Format FormatOf(const std::uint8_t* data, std::size_t size) {
  static constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::memcmp(data, kPngSignature, 8) == 0) return Format::kPng;
  if (size >= 4 && std::memcmp(data, "GIF8", 4) == 0) return Format::kGif;
  // Only the start-of-image marker: libjpeg passes over junk in front of the next marker.
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return Format::kJpeg;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return Format::kBmp;
  if (IsHeifFile(data, size)) return Format::kHeif;
  if (IsWebpFile(data, size)) return Format::kWebp;
  return Format::kUnknown;
}

// A device over bytes the caller keeps.
struct MemoryDevice {
  MemoryDevice(const std::uint8_t* data, std::size_t size)
      : bytes(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                      static_cast<qsizetype>(size))),
        buffer(&bytes) {
    buffer.open(QIODevice::ReadOnly);
  }
  QByteArray bytes;
  QBuffer buffer;
};

// ---- BMP

// Skipped pixels keep index 0, so they show the table's first colour.
QImage DecodeRleBmp(const PackedDib& dib) {
  const BitmapInfoHeader header = dib.Header();
  if (!dib.Pixels()) return {};
  QImage image = NewRgb32(header.width, header.height);
  if (image.isNull()) return {};
  const int width = header.width;
  const int height = header.height;
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height, 0);
  ExpandRlePixels(dib.Pixels(), dib.PixelBytes(), header.compression, width, height,
                  indices.data());

  std::array<QRgb, 256> colors;
  colors.fill(qRgb(0, 0, 0));
  const std::size_t entries = std::min<std::size_t>(header.clrUsed, colors.size());
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint8_t* q = dib.ColorTable() + 4 * i;
    colors[i] = qRgb(q[2], q[1], q[0]);
  }
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const std::uint8_t* in = indices.data() + static_cast<std::size_t>(height - 1 - y) * width;
    for (int x = 0; x < width; ++x) line[x] = colors[in[x]];
  }
  return image;
}

QImage DecodeBmp(const std::uint8_t* data, std::size_t size) {
  MemoryDevice device(data, size);
  const PackedDibPtr dib = LoadDibFromDevice(device.buffer);
  if (!dib) return {};
  const BitmapInfoHeader header = dib->Header();
  if (header.compression == BI_RLE8 || header.compression == BI_RLE4) return DecodeRleBmp(*dib);
  const auto reader =
      DibReader::Make(dib->Bits(), DIB_RGB_COLORS, Palette::Default(), header.height);
  if (!reader) return {};
  QImage image = NewRgb32(header.width, header.height);
  if (image.isNull()) return {};
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const int row = image.height() - 1 - y;  // bottom-up
    for (int x = 0; x < image.width(); ++x) line[x] = reader->PixelAt(x, row) | 0xFF000000u;
  }
  return image;
}

// ---- GIF

QImage DecodeGif(const std::uint8_t* data, std::size_t size) {
  MemoryDevice device(data, size);
  GifReader reader(device.buffer);
  GifImageInfo info;
  if (!reader.ReadHeader() || !reader.FindImage(info)) return {};
  QImage image = NewRgb32(info.width, info.height);
  if (image.isNull()) return {};
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(info.width) * info.height, 0);
  reader.DecodeImage(info, indices.data(), info.width);

  std::array<QRgb, 256> colors;
  for (int i = 0; i < 256; ++i) {
    if (!info.hasColorMap) {
      colors[i] = qRgb(i, i, i);
    } else if (i < info.colorCount) {
      const std::uint8_t* rgb = &info.colorMap[3 * static_cast<std::size_t>(i)];
      colors[i] = qRgb(rgb[0], rgb[1], rgb[2]);
    } else {
      colors[i] = qRgb(0, 0, 0);
    }
  }
  const std::uint8_t* in = indices.data();
  for (int y = 0; y < info.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < info.width; ++x) line[x] = colors[*in++];
  }
  return image;
}

// ---- JPEG

QImage DecodeUprightJpeg(const std::uint8_t* data, std::size_t size) {
  return OrientedImage(DecodeJpegFullColor(data, JpegDecodableLength(data, size)),
                       JpegOrientation(data, size));
}

// A JPEG photo decoded at 1/2, 1/4 or 1/8 of its size when that still covers `atLeast`; an
// unset optional when it is to be read at full size.
std::optional<SmallPicture> SmallJpeg(const std::uint8_t* data, std::size_t size, QSize atLeast) {
  const QSize stored = JpegSize(data, size);
  if (!stored.isValid()) return std::nullopt;
  const int orientation = JpegOrientation(data, size);
  const int denominator = JpegScaleDenominator(OrientedSize(stored, orientation), atLeast);
  if (denominator == 1) return std::nullopt;
  SmallPicture picture;
  picture.photo = true;
  // One scan of the file for both decodes.
  const std::size_t decodable = JpegDecodableLength(data, size);
  // The key colour is the full-size picture's, exactly: the reduced one averages it away.
  const std::optional<QRgb> corner = JpegPixel(data, decodable, StoredTopLeft(stored, orientation));
  if (!corner) return picture;
  picture.image = OrientedImage(DecodeJpegFullColor(data, decodable, denominator), orientation);
  picture.topLeft = *corner;
  return picture;
}

// ---- PNG

class Rgb32Sink : public PngRowSink {
 public:
  explicit Rgb32Sink(QImage& image) : image_(image) {}

  bool Begin(const PngLayout& layout) override {
    image_ = NewRgb32(layout.width, layout.height);
    if (image_.isNull()) return false;
    layout_ = layout;
    for (int i = 0; i < 256; ++i) {
      if (!layout.palette) {
        colors_[i] = qRgb(i, i, i);
      } else if (i < layout.paletteCount) {
        const std::uint8_t* rgb = &layout.paletteRgb[3 * static_cast<std::size_t>(i)];
        colors_[i] = qRgb(rgb[0], rgb[1], rgb[2]);
      } else {
        colors_[i] = qRgb(0, 0, 0);
      }
    }
    return true;
  }

  void Row(int y, const std::uint8_t* pixels) override {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    const int width = layout_.width;
    if (layout_.color) {
      for (int x = 0; x < width; ++x, pixels += 3) line[x] = qRgb(pixels[0], pixels[1], pixels[2]);
    } else {
      for (int x = 0; x < width; ++x) line[x] = colors_[pixels[x]];
    }
  }

 private:
  QImage& image_;
  PngLayout layout_;
  std::array<QRgb, 256> colors_{};
};

QImage DecodePngImage(const std::uint8_t* data, std::size_t size) {
  MemoryDevice device(data, size);
  QImage image;
  Rgb32Sink sink(image);
  if (!DecodePng(device.buffer, sink)) return {};
  return image;
}

// ---- sizes

std::uint32_t ReadBe32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}

QSize ValidSize(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return {};
  return QSize(static_cast<int>(width), static_cast<int>(height));
}

QSize BmpSize(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kInfo = 14;
  if (size < kInfo + 4) return {};
  const std::uint32_t headerBytes = ReadLe32(data + kInfo);
  if (headerBytes == 12 && size >= kInfo + 12)
    return ValidSize(ReadLe16(data + kInfo + 4), ReadLe16(data + kInfo + 6));
  if (headerBytes < 40 || size < kInfo + 12) return {};
  const auto width = static_cast<std::int32_t>(ReadLe32(data + kInfo + 4));
  const auto height = static_cast<std::int32_t>(ReadLe32(data + kInfo + 8));
  return ValidSize(width, std::abs(static_cast<std::int64_t>(height)));  // negative: top-down
}

QSize GifSize(const std::uint8_t* data, std::size_t size) {
  MemoryDevice device(data, size);
  GifReader reader(device.buffer);
  GifImageInfo info;
  if (!reader.ReadHeader() || !reader.FindImage(info)) return {};
  return ValidSize(info.width, info.height);
}

QSize PngSize(const std::uint8_t* data, std::size_t size) {
  // The signature, then the IHDR chunk: length, type, width, height.
  if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return {};
  return ValidSize(ReadBe32(data + 16), ReadBe32(data + 20));
}

// The file's bytes, mapped when possible.
class FileBytes {
 public:
  explicit FileBytes(const QString& path) : file_(path) {
    if (!file_.open(QIODevice::ReadOnly)) return;
    const qint64 size = file_.size();
    if (size > 0) {
      if (uchar* mapped = file_.map(0, size)) {
        data_ = mapped;
        size_ = static_cast<std::size_t>(size);
        return;
      }
    }
    copy_ = file_.readAll();  // devices that cannot be mapped
    data_ = reinterpret_cast<const std::uint8_t*>(copy_.constData());
    size_ = static_cast<std::size_t>(copy_.size());
  }
  const std::uint8_t* Data() const { return data_; }
  std::size_t Size() const { return size_; }

 private:
  QFile file_;
  QByteArray copy_;
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace

QImage DecodeFullColorImage(const std::uint8_t* data, std::size_t size) {
  if (!data) return {};
  switch (FormatOf(data, size)) {
    case Format::kBmp:
      return DecodeBmp(data, size);
    case Format::kGif:
      return DecodeGif(data, size);
    case Format::kJpeg:
      return DecodeUprightJpeg(data, size);
    case Format::kPng:
      return DecodePngImage(data, size);
    case Format::kHeif:
      return DecodeHeif(data, size);
    case Format::kWebp:
      return DecodeWebp(data, size);
    case Format::kUnknown:
      break;
  }
  return {};
}

QImage LoadFullColorImage(const QString& path) {
  const FileBytes bytes(path);
  return DecodeFullColorImage(bytes.Data(), bytes.Size());
}

SmallPicture LoadSmallPicture(const QString& path, QSize atLeast) {
  const FileBytes bytes(path);
  const std::uint8_t* data = bytes.Data();
  const std::size_t size = bytes.Size();
  SmallPicture picture;
  if (!data) return picture;
  const Format format = FormatOf(data, size);
  if (format == Format::kJpeg) {
    if (std::optional<SmallPicture> small = SmallJpeg(data, size, atLeast)) return *small;
  }
  picture.photo = format == Format::kJpeg || format == Format::kHeif ||
                  (format == Format::kWebp && IsLossyWebp(data, size));
  picture.image = DecodeFullColorImage(data, size);
  if (!picture.image.isNull()) picture.topLeft = picture.image.pixel(0, 0);
  return picture;
}

QSize ReadImageSize(const std::uint8_t* data, std::size_t size) {
  if (!data) return {};
  switch (FormatOf(data, size)) {
    case Format::kBmp:
      return BmpSize(data, size);
    case Format::kGif:
      return GifSize(data, size);
    case Format::kJpeg: {
      const QSize declared = JpegSize(data, size);
      return OrientedSize(ValidSize(declared.width(), declared.height()),
                          JpegOrientation(data, size));
    }
    case Format::kPng:
      return PngSize(data, size);
    case Format::kHeif:
      return HeifSize(data, size);
    case Format::kWebp:
      return WebpSize(data, size);
    case Format::kUnknown:
      break;
  }
  return {};
}

QSize ReadImageFileSize(const QString& path) {
  const FileBytes bytes(path);
  return ReadImageSize(bytes.Data(), bytes.Size());
}
