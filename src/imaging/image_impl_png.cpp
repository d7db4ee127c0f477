#include "image_impl_png.h"

#include <png.h>

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/dib.h"
#include "imaging/image_type.h"
#include "imaging/png_decoder.h"

namespace {

// Builds the picture in an image implementation; the bitmap rows run bottom-up.
class ImageSink : public PngRowSink {
 public:
  explicit ImageSink(CImageImpl& image) : image_(image) {}

  bool Begin(const PngLayout& layout) override {
    const int depth = layout.color ? 24 : 8;
    if (layout.width <= 0 || layout.height <= 0 ||
        static_cast<std::size_t>(DibRowStride(layout.width, depth)) * layout.height > kMaxDibBytes)
      return false;
    // The alpha channel is composited away, so the picture has none.
    if (!image_.CreateBlank(layout.width, layout.height, depth,
                            layout.fileColorType & ~kColorAlphaBit))
      return false;
    if (layout.palette) {
      image_.AssignPalette(layout.paletteCount, layout.paletteRgb.data());
    } else if (!layout.color) {
      // Grey levels draw and convert through a grey palette, like grey JPEG files.
      int levels[256];
      for (int i = 0; i < 256; ++i) levels[i] = i;
      image_.AssignPalette(256, levels, levels, levels);
    }
    color_ = layout.color;
    return true;
  }

  void Row(int y, const std::uint8_t* pixels) override {
    std::uint8_t* out =
        image_.PixelBits() + static_cast<std::size_t>(image_.Height() - 1 - y) * image_.RowStride();
    const int width = image_.Width();
    if (!color_) {
      std::memcpy(out, pixels, static_cast<std::size_t>(width));
      return;
    }
    for (int x = 0; x < width; ++x, pixels += 3, out += 3) {
      out[0] = pixels[2];
      out[1] = pixels[1];
      out[2] = pixels[0];
    }
  }

 private:
  CImageImpl& image_;
  bool color_ = false;
};

void WriteToDevice(png_structp png, png_bytep data, png_size_t length) {
  auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
  if (device->write(reinterpret_cast<const char*>(data), static_cast<qint64>(length)) !=
      static_cast<qint64>(length))
    png_error(png, "Write Error");
}

void FlushDevice(png_structp png) {
  auto* file = static_cast<QFile*>(png_get_io_ptr(png));
  if (!file->flush()) png_error(png, "Write Error");
}

// Samples per pixel of the PNG colour types the writer can fill from a bitmap.
int ChannelsOf(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
      return 1;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    default:
      return 0;  // alpha channels: the bitmap has none
  }
}

struct PngWriteJob {
  png_structp png = nullptr;
  png_infop info = nullptr;
};

struct PngHeader {
  int bitDepth = 0;
  int colorType = 0;
  std::size_t rowBytes = 0;
  int paletteCount = 0;  // 0: no PLTE chunk
  png_color palette[256] = {};
};

// Kept free of objects with destructors: libpng leaves it by a long jump on errors. The row
// buffer belongs to the caller.
bool WriteRows(PngWriteJob& job, QFile* file, const CImageImpl& image, const PngHeader& header,
               std::uint8_t* row) {
  png_structp png = job.png;
  png_infop info = job.info;
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, file, WriteToDevice, FlushDevice);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.Width()),
               static_cast<png_uint_32>(image.Height()), header.bitDepth, header.colorType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (header.paletteCount > 0) {
    std::printf("writig paleta[%d %d %x]\n", header.colorType, 1,
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(image.Palette())));
    png_set_PLTE(png, info, header.palette, header.paletteCount);
  }
  png_write_info(png, info);
  const auto stride = static_cast<std::size_t>(image.RowStride());
  const bool color = image.Depth() == 24;
  for (int i = 0; i < image.Height(); ++i) {
    const std::uint8_t* in =
        image.PixelBits() + static_cast<std::size_t>(image.Height() - 1 - i) * stride;
    if (color) {
      for (std::size_t x = 0; x < header.rowBytes; x += 3) {
        row[x] = in[x + 2];
        row[x + 1] = in[x + 1];
        row[x + 2] = in[x];
      }
    } else {
      std::memcpy(row, in, header.rowBytes);
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

int CImageImplPng::LoadFromFile(const QString& name) {
  QFile file(UseName(name));
  if (!file.open(QIODevice::ReadOnly)) return 0;
  return LoadFromDevice(file);
}

int CImageImplPng::LoadFromDevice(QIODevice& device) {
  // Decoded aside, so that a damaged file leaves this image as it was.
  CImageImplPng decoded;
  ImageSink sink(decoded);
  if (!DecodePng(device, sink)) return 0;
  const int transparentIndex = TransparentIndex();
  TakeImageFrom(decoded);
  SetTransparentIndex(transparentIndex);
  return 1;
}

int CImageImplPng::SaveToFile(const QString& name) {
  const QString& fileName = UseName(name);
  if (!HasBitmap() || !PixelBits() || Width() <= 0 || Height() <= 0) return 0;

  // A bitmap of up to 8 bits is one sample per pixel, a deeper one three.
  PngHeader header;
  const int channels = Depth() <= 8 ? 1 : 3;
  header.bitDepth = Depth() / channels;
  header.colorType = ColorType();
  const bool knownDepth = Depth() == 1 || Depth() == 4 || Depth() == 8 || Depth() == 24;
  if (!knownDepth || ChannelsOf(header.colorType) != channels) return 0;
  if ((header.colorType & kColorPaletteBit) && !Palette()) return 0;
  header.rowBytes = (static_cast<std::size_t>(Width()) * Depth() + 7) / 8;
  if (header.colorType & kColorPaletteBit) {
    // A palette picture may not name more entries than its pixels can address.
    header.paletteCount = std::min(256, 1 << header.bitDepth);
    for (int i = 0; i < header.paletteCount; ++i) {
      int red = 0, green = 0, blue = 0;
      Palette()->EntryAt(i, red, green, blue);
      header.palette[i] = {static_cast<png_byte>(red), static_cast<png_byte>(green),
                           static_cast<png_byte>(blue)};
    }
  }

  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  PngWriteJob job;
  job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  job.info = job.png ? png_create_info_struct(job.png) : nullptr;
  bool done = false;
  if (job.info) {
    std::vector<std::uint8_t> row(header.rowBytes);
    done = WriteRows(job, &file, *this, header, row.data());
  }
  png_destroy_write_struct(&job.png, &job.info);
  done = done && file.flush();
  file.close();
  if (done && file.error() == QFileDevice::NoError) return 1;
  if (QFileInfo(fileName).isFile()) file.remove();
  return 0;
}
