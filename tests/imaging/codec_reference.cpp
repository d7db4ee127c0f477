#include "codec_reference.h"

#include <png.h>

#include <QFile>
#include <csetjmp>
#include <stdexcept>

// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "test_environment.h"

namespace {

struct JpegFailure {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegFailure*>(cinfo->err)->jump, 1);
}

bool DecodeJpeg(jpeg_decompress_struct& cinfo, JpegFailure& failure, const QByteArray& bytes,
                RawImage& out) {
  if (setjmp(failure.jump)) return false;
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  out.width = static_cast<int>(cinfo.output_width);
  out.height = static_cast<int>(cinfo.output_height);
  out.components = cinfo.output_components;
  out.samples.resize(static_cast<std::size_t>(out.width) * out.height * out.components);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row =
        &out.samples[static_cast<std::size_t>(cinfo.output_scanline) * out.width * out.components];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

bool EncodeJpeg(jpeg_compress_struct& cinfo, JpegFailure& failure, const RawImage& image,
                int quality, bool progressive, unsigned char** buffer, unsigned long* size) {
  if (setjmp(failure.jump)) return false;
  jpeg_mem_dest(&cinfo, buffer, size);
  cinfo.image_width = static_cast<JDIMENSION>(image.width);
  cinfo.image_height = static_cast<JDIMENSION>(image.height);
  cinfo.input_components = image.components;
  cinfo.in_color_space = image.components == 1   ? JCS_GRAYSCALE
                         : image.components == 4 ? JCS_CMYK
                                                 : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    auto* row = const_cast<JSAMPROW>(&image.samples[static_cast<std::size_t>(cinfo.next_scanline) *
                                                    image.width * image.components]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

struct PngRead {
  png_structp png = nullptr;
  png_infop info = nullptr;
};

bool ReadExpanded(PngRead& read, std::FILE* file, std::vector<std::uint8_t>& pixels,
                  PngFileInfo& info) {
  if (setjmp(png_jmpbuf(read.png))) return false;
  png_init_io(read.png, file);
  png_read_info(read.png, read.info);
  info.width = static_cast<int>(png_get_image_width(read.png, read.info));
  info.height = static_cast<int>(png_get_image_height(read.png, read.info));
  info.bitDepth = png_get_bit_depth(read.png, read.info);
  info.colorType = png_get_color_type(read.png, read.info);
  info.interlace = png_get_interlace_type(read.png, read.info);
  png_set_expand(read.png);
  png_set_gray_to_rgb(read.png);
  png_set_add_alpha(read.png, 0xFFFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(read.png);
  png_read_update_info(read.png, read.info);
  const std::size_t rowBytes = png_get_rowbytes(read.png, read.info);
  pixels.resize(rowBytes * info.height);
  std::vector<png_bytep> rows(static_cast<std::size_t>(info.height));
  for (int y = 0; y < info.height; ++y) rows[y] = &pixels[y * rowBytes];
  png_read_image(read.png, rows.data());
  png_read_end(read.png, nullptr);
  return true;
}

}  // namespace

RawImage DecodeJpegWithLibjpeg(const QByteArray& bytes) {
  jpeg_decompress_struct cinfo;
  JpegFailure failure;
  cinfo.err = jpeg_std_error(&failure.pub);
  failure.pub.error_exit = JumpOut;
  jpeg_create_decompress(&cinfo);
  RawImage out;
  if (!DecodeJpeg(cinfo, failure, bytes, out)) out = RawImage();
  jpeg_destroy_decompress(&cinfo);
  return out;
}

QByteArray EncodeJpegWithLibjpeg(const RawImage& image, int quality, bool progressive) {
  jpeg_compress_struct cinfo;
  JpegFailure failure;
  cinfo.err = jpeg_std_error(&failure.pub);
  failure.pub.error_exit = JumpOut;
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = EncodeJpeg(cinfo, failure, image, quality, progressive, &buffer, &size);
  jpeg_destroy_compress(&cinfo);
  QByteArray out =
      ok ? QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size))
         : QByteArray();
  std::free(buffer);
  if (!ok) throw std::runtime_error("libjpeg could not write the test picture");
  return out;
}

QImage DecodePngReference(const QString& path) {
  std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
  if (!file) return {};
  PngRead read;
  read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  read.info = png_create_info_struct(read.png);
  std::vector<std::uint8_t> pixels;
  PngFileInfo info;
  const bool ok = ReadExpanded(read, file, pixels, info);
  png_destroy_read_struct(&read.png, &read.info, nullptr);
  std::fclose(file);
  if (!ok) return {};

  const bool grey = (info.colorType & PNG_COLOR_MASK_COLOR) == 0;
  const int background[3] = {grey ? 0 : 31, grey ? 0 : 127, grey ? 0 : 255};
  QImage image(info.width, info.height, QImage::Format_RGB32);
  const bool wide = info.bitDepth == 16;
  const std::size_t pixelBytes = wide ? 8 : 4;
  for (int y = 0; y < info.height; ++y) {
    const std::uint8_t* row = &pixels[static_cast<std::size_t>(y) * info.width * pixelBytes];
    for (int x = 0; x < info.width; ++x) {
      const std::uint8_t* p = row + x * pixelBytes;
      int rgb[3];
      if (wide) {
        const long alpha = p[6] * 256 + p[7];
        for (int c = 0; c < 3; ++c) {
          const long value = p[2 * c] * 256 + p[2 * c + 1];
          const long mixed =
              (value * alpha + background[c] * 257L * (65535 - alpha) + 32767) / 65535;
          rgb[c] = static_cast<int>(mixed >> 8);
        }
      } else {
        const int alpha = p[3];
        for (int c = 0; c < 3; ++c)
          rgb[c] = (p[c] * alpha + background[c] * (255 - alpha) + 127) / 255;
      }
      image.setPixel(x, y, qRgb(rgb[0], rgb[1], rgb[2]));
    }
  }
  return image;
}

PngFileInfo ReadPngInfo(const QString& path) {
  PngFileInfo info;
  std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
  if (!file) return info;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop pngInfo = png_create_info_struct(png);
  if (!setjmp(png_jmpbuf(png))) {
    png_init_io(png, file);
    png_read_info(png, pngInfo);
    info.width = static_cast<int>(png_get_image_width(png, pngInfo));
    info.height = static_cast<int>(png_get_image_height(png, pngInfo));
    info.bitDepth = png_get_bit_depth(png, pngInfo);
    info.colorType = png_get_color_type(png, pngInfo);
    info.interlace = png_get_interlace_type(png, pngInfo);
    png_colorp entries = nullptr;
    int count = 0;
    if (png_get_PLTE(png, pngInfo, &entries, &count))
      for (int i = 0; i < count; ++i)
        info.palette.push_back(qRgb(entries[i].red, entries[i].green, entries[i].blue));
    info.ok = true;
  }
  png_destroy_read_struct(&png, &pngInfo, nullptr);
  std::fclose(file);
  return info;
}

QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QString WriteTestFile(const QString& name, const QByteArray& bytes) {
  const QString path = testenv::ProgramDir() + "/" + name;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
  file.write(bytes);
  return path;
}
