#pragma once

// Large test photos for the benchmarks, and the plain libjpeg-turbo decode they are compared
// with.
#include <cstddef>
#include <cstdio>
// libjpeg's header uses size_t and FILE without including their headers.
#include <jpeglib.h>

#include <QFile>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <vector>

// A photo of width x height: one of the small test photos enlarged smoothly, with a fine grain
// of +-4 levels on top so that it compresses like a camera's picture rather than a drawing.
inline QImage MakeLargePhoto(const QString& smallPhoto, int width, int height, std::uint32_t seed) {
  QImage image = QImage(smallPhoto)
                     .convertToFormat(QImage::Format_RGB32)
                     .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  std::uint32_t noise = seed;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      noise = noise * 1103515245u + 12345u;
      const int n = static_cast<int>((noise >> 16) % 9) - 4;
      auto grain = [n](int c) { return std::clamp(c + n, 0, 255); };
      line[x] = qRgb(grain(qRed(line[x])), grain(qGreen(line[x])), grain(qBlue(line[x])));
    }
  }
  return image;
}

// libjpeg-turbo with its defaults decoding a whole file at full size, from memory into a
// buffer kept between calls. Returns the decoded width, 0 on failure.
inline unsigned DecodeJpegFully(const QString& path) {
  static std::vector<unsigned char> pixels;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  const QByteArray bytes = file.readAll();
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  const std::size_t stride = static_cast<std::size_t>(info.output_width) * 4;
  pixels.resize(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  const unsigned width = info.output_width;
  jpeg_destroy_decompress(&info);
  return width;
}
