#pragma once

#include <QColor>
#include <array>
#include <optional>

#include "platform/device_context.h"

// Reads the colours of a DIB's pixels, with every read bounded by the buffers it was given.
class DibReader {
 public:
  // Nothing when the DIB cannot be read: unknown bit count or compression, empty or oversized
  // dimensions, or fewer pixel bytes than `rows` rows need.
  static std::optional<DibReader> Make(const DibBits& dib, int colorUse, const Palette& palette,
                                       int rows);

  int Width() const { return width_; }
  int Rows() const { return rows_; }
  // The colour of pixel x in buffer row `row` (row 0 = first row in the buffer).
  QRgb PixelAt(int x, int row) const;

 private:
  void ReadMasks(const DibBits& dib);

  const std::uint8_t* bits_ = nullptr;
  int width_ = 0;
  int rows_ = 0;
  int bitCount_ = 0;
  std::size_t stride_ = 0;
  std::array<QRgb, 256> colors_{};
  // Bit fields of 16- and 32-bit pixels.
  std::uint32_t masks_[3] = {0, 0, 0};
  int shifts_[3] = {0, 0, 0};
  int widths_[3] = {0, 0, 0};
};
