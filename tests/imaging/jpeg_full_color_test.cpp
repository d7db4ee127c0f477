#include <gtest/gtest.h>

#include <QFile>
#include <cmath>
#include <cstdio>

// clang-format off
#include <cstddef>
#include <jpeglib.h>
// clang-format on

#include "imaging/dib.h"
#include "imaging/jpeg_writer.h"
#include "test_environment.h"

// The export's and the save's full-quality JPEG keeps colour at full resolution: columns of
// alternating red and blue survive, which halved colour would blur into purple.
TEST(WriteJpegFromDib, FullQualityKeepsColourAtFullResolution) {
  const int width = 32, height = 16;
  PackedDibPtr dib = NewDib(32, width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = dib->Pixels() + (static_cast<std::size_t>(y) * width + x) * 4;
      p[0] = x % 2 ? 230 : 20;  // blue
      p[1] = 40;
      p[2] = x % 2 ? 20 : 230;  // red
    }
  const QString path = testenv::ProgramDir() + "/full.jpg";
  QString error;
  ASSERT_EQ(WriteJpegFromDib(dib.get(), 100, path, &error), 1) << error.toStdString();

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  jpeg_decompress_struct info;
  jpeg_error_mgr manager;
  info.err = jpeg_std_error(&manager);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
  EXPECT_FALSE(info.progressive_mode);
  for (int c = 0; c < info.num_components; ++c) {
    EXPECT_EQ(info.comp_info[c].h_samp_factor, 1) << c;
    EXPECT_EQ(info.comp_info[c].v_samp_factor, 1) << c;
  }
  jpeg_start_decompress(&info);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  double squared = 0;
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    for (int x = 0; x < width; ++x) {
      const int expected[3] = {x % 2 ? 20 : 230, 40, x % 2 ? 230 : 20};
      for (int k = 0; k < 3; ++k) squared += std::pow(row[3 * x + k] - expected[k], 2);
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  const double psnr = 10 * std::log10(255.0 * 255.0 * 3 * width * height / std::max(squared, 1.0));
  EXPECT_GT(psnr, 45.0);
}
