#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <cstdint>
#include <vector>

// Builds BMP files byte by byte for tests: any header size, depth, table and row order.
struct BmpBuilder {
  int width = 7;
  int height = 5;
  int bitCount = 24;
  std::uint32_t headerSize = 40;  // 12 (core), 40, 56, 108, 124
  std::uint32_t compression = 0;
  std::uint32_t clrUsed = 0;  // written as is
  bool fileHeader = true;
  bool topDown = false;
  std::vector<QRgb> table;              // colour table entries
  std::uint32_t masks[3] = {0, 0, 0};   // written for bit fields
  std::vector<std::uint8_t> rawPixels;  // when set, written instead of the rows
  // Pixel values by (x, y) with y = 0 the top row: palette indices up to 8 bits, else colours.
  std::vector<std::uint32_t> values;

  // Fills `values` with a pattern that uses every table entry, or varied colours.
  void FillPattern();
  QByteArray Build() const;
  // The colour the file means at (x, y), y = 0 the top row.
  QRgb ColorAt(int x, int y) const;
};

// An image's pixels as 32-bit colours for comparisons.
QImage AsRgb32(const QImage& image);
