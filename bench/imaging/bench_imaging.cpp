// Decoding speed of the GIF reader against giflib, and of the full-colour loader against a
// plain libjpeg-turbo decode, on pictures made at run time.
#include <gif_lib.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

// clang-format off
#include <cstddef>
#include <jpeglib.h>
// clang-format on

#include "imaging/full_color_image.h"
#include "imaging/image_impl_gif.h"
#include "support/bench_timing.h"

namespace {

// Runs both alternately after one warm-up each, so that both see the same machine state.
std::pair<double, double> MedianPair(int runs, const std::function<void()>& ours,
                                     const std::function<void()>& anchor) {
  ours();
  anchor();
  std::vector<double> a, b;
  for (int i = 0; i < runs; ++i) {
    a.push_back(Milliseconds(ours));
    b.push_back(Milliseconds(anchor));
  }
  return {Median(a), Median(b)};
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// ---- GIF

int AppendToArray(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

// A 256-colour picture like a reduced photograph: smooth areas, edges and some noise.
QByteArray MakeGif(int width, int height) {
  std::mt19937 random(2001);
  std::vector<GifColorType> colors(256);
  for (int i = 0; i < 256; ++i)
    colors[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>((i * 3) % 256),
                 static_cast<GifByteType>(255 - i)};
  QByteArray out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendToArray, &error);
  ColorMapObject* map = GifMakeMapObject(256, colors.data());
  EGifPutScreenDesc(gif, width, height, 8, 0, map);
  EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
  std::vector<GifPixelType> line(static_cast<std::size_t>(width));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int smooth = (x / 9 + y / 13 + ((x * y) >> 14)) & 0xFF;
      const int noise = static_cast<int>(random() % 8) == 0 ? static_cast<int>(random() % 5) : 0;
      line[x] = static_cast<GifPixelType>((smooth + noise) & 0xFF);
    }
    EGifPutLine(gif, line.data(), width);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

// ---- JPEG

QByteArray MakeJpeg(int width, int height, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::mt19937 random(7);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x) {
      const int grain = static_cast<int>(random() % 24);
      row[3 * x] = static_cast<std::uint8_t>((x * 255 / width + grain) & 0xFF);
      row[3 * x + 1] = static_cast<std::uint8_t>((y * 255 / height + ((x / 40) % 2) * 60) & 0xFF);
      row[3 * x + 2] = static_cast<std::uint8_t>(((x ^ y) / 16 + grain) & 0xFF);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray out(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  std::free(buffer);
  return out;
}

// libjpeg-turbo with its defaults, from memory into one buffer of red-green-blue rows.
void PlainJpegDecode(const QByteArray& bytes, std::vector<std::uint8_t>& pixels) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * 3;
  pixels.resize(stride * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &pixels[cinfo.output_scanline * stride];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
}

}  // namespace

int main() {
  QTemporaryDir folder;
  if (!folder.isValid()) return 1;

  const QString gifPath = folder.filePath("large.gif");
  if (!WriteFile(gifPath, MakeGif(2000, 2000))) return 1;
  const QByteArray gifName = QFile::encodeName(gifPath);
  const auto [ours, giflib] = MedianPair(
      15,
      [&] {
        CImageImplGif image;
        if (image.LoadFromFile(gifPath) != 1 || image.Width() != 2000) std::abort();
      },
      [&] {
        int error = 0;
        GifFileType* gif = DGifOpenFileName(gifName.constData(), &error);
        if (!gif || DGifSlurp(gif) != GIF_OK) std::abort();
        DGifCloseFile(gif, &error);
      });
  std::printf("BENCH gif_decode_2000 %.2f ms anchor=%.2f target=%.2f\n", ours, giflib, giflib);

  const QByteArray jpeg = MakeJpeg(6000, 4000, 90);
  const QString jpegPath = folder.filePath("photo.jpg");
  if (!WriteFile(jpegPath, jpeg)) return 1;
  std::vector<std::uint8_t> pixels;
  const auto [load, plain] = MedianPair(
      7,
      [&] {
        if (LoadFullColorImage(jpegPath).width() != 6000) std::abort();
      },
      [&] { PlainJpegDecode(jpeg, pixels); });
  std::printf("BENCH full_color_load_24mp %.1f ms anchor=%.1f target=%.1f\n", load, plain,
              1.3 * plain);
  return 0;
}
