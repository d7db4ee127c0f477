#include "image_impl_jpeg.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "imaging/dib.h"
#include "imaging/jpeg_support.h"
#include "imaging/jpeg_writer.h"

namespace {

constexpr int kQuantizedColors = 128;

bool FitsAn8BitBitmap(JDIMENSION width, JDIMENSION height) {
  return width > 0 && height > 0 && width <= kMaxDibDimension && height <= kMaxDibDimension &&
         static_cast<std::size_t>(DibRowStride(width, 8)) * height <= kMaxDibBytes;
}

// Kept free of objects with destructors: libjpeg leaves it by a long jump on errors.
bool DecodeQuantized(JpegDecompressJob& job, QIODevice* device, CImageImpl& image) {
  j_decompress_ptr cinfo = &job.cinfo;
  if (setjmp(job.error.jump)) return false;
  UseJpegDeviceSource(cinfo, device);
  jpeg_read_header(cinfo, TRUE);
  if (!FitsAn8BitBitmap(cinfo->image_width, cinfo->image_height)) return false;
  if (cinfo->jpeg_color_space != JCS_GRAYSCALE) {
    // libjpeg's defaults otherwise: two-pass quantiser, Floyd-Steinberg dithering.
    cinfo->quantize_colors = TRUE;
    cinfo->desired_number_of_colors = kQuantizedColors;
  }
  jpeg_start_decompress(cinfo);
  const int width = static_cast<int>(cinfo->output_width);
  const int height = static_cast<int>(cinfo->output_height);
  const int components = cinfo->output_components;
  if (!image.CreateBlank(width, height, 8 * components, -1)) return false;

  int red[256], green[256], blue[256];
  int count = 256;
  if (cinfo->quantize_colors) {
    count = std::min(cinfo->actual_number_of_colors, 256);
    // CMYK files are quantised in their inks (libjpeg's one-pass quantiser then).
    const bool inks = cinfo->out_color_components == 4;
    for (int i = 0; i < count; ++i) {
      if (inks) {
        const JpegRgb rgb =
            CmykToRgb(cinfo->colormap[0][i], cinfo->colormap[1][i], cinfo->colormap[2][i],
                      cinfo->colormap[3][i], cinfo->saw_Adobe_marker);
        red[i] = rgb.red;
        green[i] = rgb.green;
        blue[i] = rgb.blue;
        continue;
      }
      red[i] = cinfo->colormap[0][i];
      green[i] = cinfo->colormap[1][i];
      blue[i] = cinfo->colormap[2][i];
    }
  } else {
    for (int i = 0; i < count; ++i) red[i] = green[i] = blue[i] = i * 256 / count;
  }
  image.AssignPalette(count, red, green, blue);

  const std::size_t rowBytes = static_cast<std::size_t>(width) * components;
  JSAMPARRAY buffer = (*cinfo->mem->alloc_sarray)(
      reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, static_cast<JDIMENSION>(rowBytes), 1);
  std::uint8_t* const bits = image.PixelBits();
  const std::size_t stride = static_cast<std::size_t>(image.RowStride());
  while (cinfo->output_scanline < cinfo->output_height) {
    const int row = static_cast<int>(cinfo->output_scanline);
    if (jpeg_read_scanlines(cinfo, buffer, 1) != 1) return false;
    std::memcpy(bits + static_cast<std::size_t>(height - 1 - row) * stride, buffer[0], rowBytes);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

// Kept free of objects with destructors: libjpeg leaves it by a long jump on errors.
bool CompressImage(JpegCompressJob& job, std::FILE* file, const CImageImpl& image, int quality,
                   const RgbTable& table) {
  j_compress_ptr cinfo = &job.cinfo;
  if (setjmp(job.error.jump)) return false;
  jpeg_stdio_dest(cinfo, file);
  cinfo->image_width = static_cast<JDIMENSION>(image.Width());
  cinfo->image_height = static_cast<JDIMENSION>(image.Height());
  cinfo->input_components = 3;
  cinfo->in_color_space = JCS_RGB;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, quality, TRUE);
  jpeg_start_compress(cinfo, TRUE);
  JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                               cinfo->image_width * 3, 1);
  const std::size_t stride = static_cast<std::size_t>(image.RowStride());
  for (int i = 0; i < image.Height(); ++i) {
    DibRowToRgb(image.PixelBits() + static_cast<std::size_t>(image.Height() - 1 - i) * stride,
                image.Width(), image.Depth(), table, row[0]);
    jpeg_write_scanlines(cinfo, row, 1);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

bool WritableDepth(int depth) {
  return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

}  // namespace

int CImageImplJpeg::LoadFromFile(const QString& name) {
  QFile file(UseName(name));
  if (!file.open(QIODevice::ReadOnly)) return 0;
  return LoadFromDevice(file);
}

int CImageImplJpeg::LoadFromDevice(QIODevice& device) {
  // Decoded aside, so that a damaged file leaves this image as it was.
  CImageImplJpeg decoded;
  JpegDecompressJob job;
  job.cinfo.err = UseJpegErrorManager(job.error);
  jpeg_create_decompress(&job.cinfo);
  job.cinfo.mem->max_memory_to_use = kJpegMaxMemory;
  const bool done = DecodeQuantized(job, &device, decoded);
  jpeg_destroy_decompress(&job.cinfo);
  if (!done) return 0;
  const int transparentIndex = TransparentIndex();
  TakeImageFrom(decoded);
  SetTransparentIndex(transparentIndex);
  return 1;
}

int CImageImplJpeg::SaveToFile(const QString& name) {
  const QString& fileName = UseName(name);
  if (!HasBitmap() || !PixelBits() || !WritableDepth(Depth())) return 0;
  // Pixel values of palette images name palette entries; without a palette they are grey
  // levels.
  RgbTable table{};
  const int levels = Depth() <= 8 ? (1 << Depth()) - 1 : 255;
  for (int i = 0; i < 256; ++i) {
    int red = 0, green = 0, blue = 0;
    if (Palette()) {
      Palette()->EntryAt(i, red, green, blue);
    } else {
      red = green = blue = std::min(i, levels) * 255 / levels;
    }
    table[i] = {static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                static_cast<std::uint8_t>(blue)};
  }

  std::FILE* file = std::fopen(QFile::encodeName(fileName).constData(), "wb");
  if (!file) return 0;
  JpegCompressJob job;
  job.cinfo.err = UseJpegErrorManager(job.error);
  jpeg_create_compress(&job.cinfo);
  job.cinfo.mem->max_memory_to_use = kJpegMaxMemory;
  const bool done = CompressImage(job, file, *this, quality_, table);
  jpeg_destroy_compress(&job.cinfo);
  const bool closed = std::fclose(file) == 0;
  if (done && closed) return 1;
  if (QFileInfo(fileName).isFile()) QFile::remove(fileName);
  return 0;
}
