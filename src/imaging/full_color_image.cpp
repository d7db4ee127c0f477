#include "full_color_image.h"

#include <sys/mman.h>

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
#include "imaging/gif_reader.h"
#include "imaging/jpeg_support.h"
#include "imaging/png_decoder.h"
#include "platform/dib_reader.h"

namespace {

enum class Format { kUnknown, kBmp, kGif, kJpeg, kPng };

Format FormatOf(const std::uint8_t* data, std::size_t size) {
  static constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::memcmp(data, kPngSignature, 8) == 0) return Format::kPng;
  if (size >= 4 && std::memcmp(data, "GIF8", 4) == 0) return Format::kGif;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return Format::kJpeg;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return Format::kBmp;
  return Format::kUnknown;
}

bool FitsRgb32(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxDibDimension && height <= kMaxDibDimension &&
         width * height * 4 <= static_cast<std::int64_t>(kMaxDibBytes);
}

void FreeBuffer(void* buffer) { std::free(buffer); }

// A picture of its own buffer. Large ones ask for transparent huge pages: faulting in a
// photograph 4 KiB at a time otherwise costs more than decoding it.
QImage NewRgb32(int width, int height) {
  if (!FitsRgb32(width, height)) return {};
  constexpr std::size_t kHugePage = 2u << 20;
  const auto bytesPerLine = static_cast<std::size_t>(width) * 4;
  const std::size_t bytes = bytesPerLine * static_cast<std::size_t>(height);
  if (bytes < 4 * kHugePage) return QImage(width, height, QImage::Format_RGB32);
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* buffer = std::aligned_alloc(kHugePage, rounded);
  if (!buffer) return {};
  madvise(buffer, rounded, MADV_HUGEPAGE);  // only advice: without it the pages are small
  return QImage(static_cast<uchar*>(buffer), width, height, static_cast<qsizetype>(bytesPerLine),
                QImage::Format_RGB32, FreeBuffer, buffer);
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

QImage DecodeBmp(const std::uint8_t* data, std::size_t size) {
  MemoryDevice device(data, size);
  const PackedDibPtr dib = LoadDibFromDevice(device.buffer);
  if (!dib) return {};
  const BitmapInfoHeader header = dib->Header();
  const auto reader =
      DibReader::Make(dib->Bits(), DIB_RGB_COLORS, Palette::Default(), header.height);
  if (!reader) return {};  // compressed rows
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

bool IsCmyk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

// Kept free of objects with destructors: libjpeg leaves it by a long jump on errors.
bool StartJpeg(JpegDecompressJob& job, const std::uint8_t* data, std::size_t size) {
  j_decompress_ptr cinfo = &job.cinfo;
  if (setjmp(job.error.jump)) return false;
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(cinfo, TRUE);
  if (!FitsRgb32(cinfo->image_width, cinfo->image_height)) return false;
  // Straight into the rows of a Format_RGB32 image; libjpeg sets the fourth byte to 0xFF.
  cinfo->out_color_space = IsCmyk(cinfo->jpeg_color_space) ? JCS_CMYK : JCS_EXT_BGRX;
  cinfo->dct_method = JDCT_ISLOW;
  jpeg_start_decompress(cinfo);
  return true;
}

// Kept free of objects with destructors: libjpeg leaves it by a long jump on errors.
bool ReadJpegRows(JpegDecompressJob& job, std::uint8_t* bits, std::size_t bytesPerLine) {
  j_decompress_ptr cinfo = &job.cinfo;
  if (setjmp(job.error.jump)) return false;
  const JDIMENSION height = cinfo->output_height;
  if (cinfo->out_color_space != JCS_CMYK) {
    constexpr int kBatch = 16;
    JSAMPROW rows[kBatch];
    while (cinfo->output_scanline < height) {
      const JDIMENSION first = cinfo->output_scanline;
      const JDIMENSION count = std::min<JDIMENSION>(kBatch, height - first);
      for (JDIMENSION i = 0; i < count; ++i) rows[i] = bits + (first + i) * bytesPerLine;
      if (jpeg_read_scanlines(cinfo, rows, count) == 0) return false;
    }
  } else {
    const JDIMENSION width = cinfo->output_width;
    JSAMPARRAY buffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                    JPOOL_IMAGE, width * 4, 1);
    const bool inverted = cinfo->saw_Adobe_marker;
    while (cinfo->output_scanline < height) {
      auto* line = reinterpret_cast<QRgb*>(bits + cinfo->output_scanline * bytesPerLine);
      if (jpeg_read_scanlines(cinfo, buffer, 1) != 1) return false;
      const JSAMPLE* in = buffer[0];
      for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        const JpegRgb rgb = CmykToRgb(in[0], in[1], in[2], in[3], inverted);
        line[x] = qRgb(rgb.red, rgb.green, rgb.blue);
      }
    }
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

QImage DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  JpegDecompressJob job;
  job.cinfo.err = UseJpegErrorManager(job.error);
  jpeg_create_decompress(&job.cinfo);
  job.cinfo.mem->max_memory_to_use = kJpegMaxMemory;
  QImage image;
  if (StartJpeg(job, data, size)) {
    image = NewRgb32(static_cast<int>(job.cinfo.output_width),
                     static_cast<int>(job.cinfo.output_height));
    if (!image.isNull() &&
        !ReadJpegRows(job, image.bits(), static_cast<std::size_t>(image.bytesPerLine())))
      image = QImage();
  }
  jpeg_destroy_decompress(&job.cinfo);
  return image;
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

// Kept free of objects with destructors: libjpeg leaves it by a long jump on errors.
bool ReadJpegHeader(JpegDecompressJob& job, const std::uint8_t* data, std::size_t size) {
  if (setjmp(job.error.jump)) return false;
  jpeg_mem_src(&job.cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&job.cinfo, TRUE);
  return true;
}

QSize JpegSize(const std::uint8_t* data, std::size_t size) {
  JpegDecompressJob job;
  job.cinfo.err = UseJpegErrorManager(job.error);
  jpeg_create_decompress(&job.cinfo);
  QSize result;
  if (ReadJpegHeader(job, data, size))
    result = ValidSize(job.cinfo.image_width, job.cinfo.image_height);
  jpeg_destroy_decompress(&job.cinfo);
  return result;
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
      return DecodeJpeg(data, size);
    case Format::kPng:
      return DecodePngImage(data, size);
    case Format::kUnknown:
      break;
  }
  return {};
}

QImage LoadFullColorImage(const QString& path) {
  const FileBytes bytes(path);
  return DecodeFullColorImage(bytes.Data(), bytes.Size());
}

QSize ReadImageSize(const std::uint8_t* data, std::size_t size) {
  if (!data) return {};
  switch (FormatOf(data, size)) {
    case Format::kBmp:
      return BmpSize(data, size);
    case Format::kGif:
      return GifSize(data, size);
    case Format::kJpeg:
      return JpegSize(data, size);
    case Format::kPng:
      return PngSize(data, size);
    case Format::kUnknown:
      break;
  }
  return {};
}

QSize ReadImageFileSize(const QString& path) {
  const FileBytes bytes(path);
  return ReadImageSize(bytes.Data(), bytes.Size());
}
