#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

// libjpeg and libpng called directly: second opinions on the program's decoders, and writers
// of test files.

// Samples top row first; 1 (grey), 3 (red, green, blue) or 4 (CMYK) per pixel.
struct RawImage {
  int width = 0;
  int height = 0;
  int components = 0;
  std::vector<std::uint8_t> samples;
};

// Decodes with libjpeg's defaults into grey or red-green-blue samples.
RawImage DecodeJpegWithLibjpeg(const QByteArray& bytes);
// Encodes grey, red-green-blue or CMYK samples (libjpeg writes an Adobe marker for CMYK),
// baseline or in libjpeg's standard progression of scans.
QByteArray EncodeJpegWithLibjpeg(const RawImage& image, int quality, bool progressive = false);

// libpng's decoding expanded to red-green-blue-alpha, composited by the background rule:
// over (31, 127, 255) for colour and palette files and black for grey files, at the file's
// own precision, then cut to 8 bits by dropping the low byte. Null when libpng fails.
QImage DecodePngReference(const QString& path);

struct PngFileInfo {
  bool ok = false;
  int width = 0;
  int height = 0;
  int bitDepth = 0;
  int colorType = 0;
  int interlace = 0;
  std::vector<QRgb> palette;  // the PLTE chunk
};
PngFileInfo ReadPngInfo(const QString& path);

QByteArray ReadFileBytes(const QString& path);
// Writes the bytes into the test's program folder; gives the path.
QString WriteTestFile(const QString& name, const QByteArray& bytes);
