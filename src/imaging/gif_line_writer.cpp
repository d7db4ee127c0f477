#include "gif_line_writer.h"

#include <algorithm>
#include <cstring>

GifLineWriter::GifLineWriter(std::uint8_t* topRow, std::ptrdiff_t rowStep, int width, int height,
                             bool interlaced)
    : topRow_(topRow),
      rowStep_(rowStep),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      interlaced_(interlaced) {}

int GifLineWriter::Write(const std::uint8_t* line, int length) {
  // Without rows the pass loop below could never find a row to stop at.
  if (!topRow_ || height_ == 0 || width_ == 0) return kNoRowLeft;
  if (!interlaced_ && row_ >= height_) return kNoRowLeft;
  const int bytes = length < 0 ? width_ : std::min(length, width_);
  std::memcpy(RowAddress(row_), line, static_cast<std::size_t>(bytes));
  if (!interlaced_) {
    ++row_;
    return 0;
  }
  row_ += step_;
  if (row_ >= height_) NextPassRow();
  return 0;
}

void GifLineWriter::NextPassRow() {
  // Passes whose first row lies beyond the picture are skipped. After the fourth pass the
  // step is 1 and then 0, so row 0 always stops the loop.
  do {
    if (pass_ > 0) step_ /= 2;
    row_ = step_ / 2;
    ++pass_;
  } while (row_ >= height_);
}
