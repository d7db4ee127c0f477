#pragma once

#include <cstddef>
#include <cstdint>

// Takes the decoded lines of one GIF image and copies each into its picture row, top row
// first, or in the four passes of an interlaced image (rows 0, 8, 16, ...; 4, 12, ...;
// 2, 6, ...; 1, 3, ...).
class GifLineWriter {
 public:
  static constexpr int kNoRowLeft = -1;

  // `topRow` addresses picture row 0; `rowStep` is the distance in bytes from one picture row
  // to the next one down (negative for a bottom-up bitmap). A writer for an empty picture
  // refuses every line.
  GifLineWriter(std::uint8_t* topRow, std::ptrdiff_t rowStep, int width, int height,
                bool interlaced);

  // Copies `length` bytes (negative = the width; never more than the width) into the next
  // row. Gives 0, or kNoRowLeft when a non-interlaced picture has no row left.
  int Write(const std::uint8_t* line, int length);

  // The picture row the next line goes to.
  int CurrentRow() const { return row_; }

 private:
  std::uint8_t* RowAddress(int row) const { return topRow_ + row * rowStep_; }
  void NextPassRow();

  std::uint8_t* topRow_;
  std::ptrdiff_t rowStep_;
  int width_;
  int height_;
  bool interlaced_;
  int row_ = 0;
  int step_ = 8;
  int pass_ = 0;
};
