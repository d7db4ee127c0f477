#include "jpeg_full_color.h"

#include <algorithm>
#include <vector>

#include "imaging/jpeg_support.h"
#include "imaging/rgb32_image.h"

namespace {

bool IsCmyk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

// Kept free of objects with destructors: libjpeg leaves it by a long jump on errors.
bool StartJpeg(JpegDecompressJob& job, const std::uint8_t* data, std::size_t size,
               int denominator) {
  j_decompress_ptr cinfo = &job.cinfo;
  if (setjmp(job.error.jump)) return false;
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(cinfo, TRUE);
  if (!FitsRgb32(cinfo->image_width, cinfo->image_height)) return false;
  cinfo->scale_num = 1;
  cinfo->scale_denom = static_cast<unsigned>(denominator);
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

// Kept free of objects with destructors: libjpeg leaves it by a long jump on errors.
bool ReadRow(JpegDecompressJob& job, JDIMENSION y, JSAMPROW row) {
  if (setjmp(job.error.jump)) return false;
  if (y > 0 && jpeg_skip_scanlines(&job.cinfo, y) != y) return false;
  if (jpeg_read_scanlines(&job.cinfo, &row, 1) != 1) return false;
  jpeg_abort_decompress(&job.cinfo);
  return true;
}

// Kept free of objects with destructors: libjpeg leaves it by a long jump on errors.
bool ReadJpegHeader(JpegDecompressJob& job, const std::uint8_t* data, std::size_t size) {
  if (setjmp(job.error.jump)) return false;
  jpeg_mem_src(&job.cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&job.cinfo, TRUE);
  return true;
}

// A decompressor with the program's error manager and memory limit, destroyed with it.
struct Decompressor {
  Decompressor() {
    job.cinfo.err = UseJpegErrorManager(job.error);
    jpeg_create_decompress(&job.cinfo);
    job.cinfo.mem->max_memory_to_use = kJpegMaxMemory;
  }
  ~Decompressor() { jpeg_destroy_decompress(&job.cinfo); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
  JpegDecompressJob job;
};

}  // namespace

QImage DecodeJpegFullColor(const std::uint8_t* data, std::size_t decodable, int denominator) {
  if (!data || (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8))
    return {};
  Decompressor decompressor;
  JpegDecompressJob& job = decompressor.job;
  QImage image;
  if (StartJpeg(job, data, decodable, denominator)) {
    image = NewRgb32(static_cast<int>(job.cinfo.output_width),
                     static_cast<int>(job.cinfo.output_height));
    if (!image.isNull() &&
        !ReadJpegRows(job, image.bits(), static_cast<std::size_t>(image.bytesPerLine())))
      image = QImage();
  }
  return image;
}

int JpegScaleDenominator(QSize picture, QSize atLeast) {
  for (int denominator : {8, 4, 2}) {
    const int width = (picture.width() + denominator - 1) / denominator;
    const int height = (picture.height() + denominator - 1) / denominator;
    if (width >= atLeast.width() && height >= atLeast.height()) return denominator;
  }
  return 1;
}

std::optional<QRgb> JpegPixel(const std::uint8_t* data, std::size_t decodable, QPoint at) {
  if (!data || at.x() < 0 || at.y() < 0) return std::nullopt;
  Decompressor decompressor;
  JpegDecompressJob& job = decompressor.job;
  if (!StartJpeg(job, data, decodable, 1)) return std::nullopt;
  const auto x = static_cast<JDIMENSION>(at.x());
  const auto y = static_cast<JDIMENSION>(at.y());
  if (x >= job.cinfo.output_width || y >= job.cinfo.output_height) return std::nullopt;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(job.cinfo.output_width) * 4);
  if (!ReadRow(job, y, row.data())) return std::nullopt;
  const std::uint8_t* p = row.data() + static_cast<std::size_t>(x) * 4;
  if (job.cinfo.out_color_space == JCS_CMYK) {
    const JpegRgb rgb = CmykToRgb(p[0], p[1], p[2], p[3], job.cinfo.saw_Adobe_marker);
    return qRgb(rgb.red, rgb.green, rgb.blue);
  }
  return qRgb(p[2], p[1], p[0]);  // B, G, R, X
}

QSize JpegSize(const std::uint8_t* data, std::size_t size) {
  if (!data) return {};
  Decompressor decompressor;
  if (!ReadJpegHeader(decompressor.job, data, size)) return {};
  return QSize(static_cast<int>(decompressor.job.cinfo.image_width),
               static_cast<int>(decompressor.job.cinfo.image_height));
}
