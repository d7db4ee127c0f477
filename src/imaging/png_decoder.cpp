#include "png_decoder.h"

#include <png.h>

#include <QIODevice>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/dib.h"

namespace {

void ReadFromDevice(png_structp png, png_bytep data, png_size_t length) {
  auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
  if (device->read(reinterpret_cast<char*>(data), static_cast<qint64>(length)) !=
      static_cast<qint64>(length))
    png_error(png, "Read Error");
}

struct PngReadJob {
  png_structp png = nullptr;
  png_infop info = nullptr;
};

// One libpng row as 8 bits per sample.
void Unpack(const std::uint8_t* in, const PngLayout& layout, int bitDepth, std::uint8_t* out) {
  const int width = layout.width;
  if (layout.color) {
    std::memcpy(out, in, static_cast<std::size_t>(width) * 3);
    return;
  }
  if (bitDepth == 8) {
    std::memcpy(out, in, static_cast<std::size_t>(width));
    return;
  }
  const int mask = (1 << bitDepth) - 1;
  const int perByte = 8 / bitDepth;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bitDepth * (x % perByte + 1);
    const int value = (in[x / perByte] >> shift) & mask;
    out[x] = static_cast<std::uint8_t>(layout.palette ? value : value * 255 / mask);
  }
}

// Kept free of objects with destructors: libpng leaves it by a long jump on errors. The
// buffers belong to the caller.
bool ReadRows(PngReadJob& job, QIODevice* device, PngRowSink& sink, std::vector<std::uint8_t>& rows,
              std::vector<std::uint8_t>& unpacked) {
  png_structp png = job.png;
  png_infop info = job.info;
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, device, ReadFromDevice);
  png_set_user_limits(png, kMaxDibDimension, kMaxDibDimension);
  png_read_info(png, info);

  PngLayout layout;
  layout.width = static_cast<int>(png_get_image_width(png, info));
  layout.height = static_cast<int>(png_get_image_height(png, info));
  layout.fileColorType = png_get_color_type(png, info);
  png_color_16 background{};
  background.index = 0;
  background.red = 31;
  background.green = 127;
  background.blue = 255;
  background.gray = 0;
  png_set_background(png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  if (png_get_bit_depth(png, info) == 16) png_set_strip_16(png);
  const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  const int passes = interlaced ? png_set_interlace_handling(png) : 1;
  png_read_update_info(png, info);

  const int channels = png_get_channels(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  if ((channels != 1 && channels != 3) || bitDepth > 8) return false;
  layout.color = channels == 3;
  if (png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE) {
    // Taken after the update, so that transparent entries are already composited.
    png_colorp entries = nullptr;
    int count = 0;
    if (!png_get_PLTE(png, info, &entries, &count)) return false;
    layout.palette = true;
    layout.paletteCount = std::min(count, 256);
    for (int i = 0; i < layout.paletteCount; ++i) {
      layout.paletteRgb[3 * i] = entries[i].red;
      layout.paletteRgb[3 * i + 1] = entries[i].green;
      layout.paletteRgb[3 * i + 2] = entries[i].blue;
    }
  }
  if (!sink.Begin(layout)) return false;

  const auto height = static_cast<std::size_t>(layout.height);
  unpacked.resize(static_cast<std::size_t>(layout.width) * channels);
  if (passes == 1) {
    rows.resize(rowBytes);
    for (std::size_t y = 0; y < height; ++y) {
      png_read_row(png, rows.data(), nullptr);
      Unpack(rows.data(), layout, bitDepth, unpacked.data());
      sink.Row(static_cast<int>(y), unpacked.data());
    }
  } else {
    // Later passes fill in pixels between those of earlier ones, so libpng needs every row
    // as it left it; the rows go to the sink once complete.
    if (rowBytes * height > kMaxDibBytes) return false;
    rows.resize(rowBytes * height);
    for (int pass = 0; pass < passes; ++pass)
      for (std::size_t y = 0; y < height; ++y) png_read_row(png, &rows[y * rowBytes], nullptr);
    for (std::size_t y = 0; y < height; ++y) {
      Unpack(&rows[y * rowBytes], layout, bitDepth, unpacked.data());
      sink.Row(static_cast<int>(y), unpacked.data());
    }
  }
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

bool DecodePng(QIODevice& device, PngRowSink& sink) {
  PngReadJob job;
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!job.png) return false;
  job.info = png_create_info_struct(job.png);
  if (!job.info) {
    png_destroy_read_struct(&job.png, nullptr, nullptr);
    return false;
  }
  std::vector<std::uint8_t> rows;
  std::vector<std::uint8_t> unpacked;
  bool done = false;
  try {
    done = ReadRows(job, &device, sink, rows, unpacked);
  } catch (const std::bad_alloc&) {
    done = false;
  }
  png_destroy_read_struct(&job.png, &job.info, nullptr);
  return done;
}
