#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "imaging/gif_input.h"

class QIODevice;

// The first image of a GIF stream as its blocks describe it.
struct GifImageInfo {
  int width = 0;
  int height = 0;
  bool interlaced = false;
  // The local colour table, or else the global one.
  bool hasColorMap = false;
  int colorCount = 0;
  std::array<std::uint8_t, 256 * 3> colorMap{};  // red, green, blue
  // From the last graphic control extension before the image with its transparency bit.
  int transparentIndex = -1;
};

// Reads a GIF stream: the header and global colour table, the blocks up to the first image,
// and that image's pixels. Later images are not read: only the first one is the picture.
class GifReader {
 public:
  explicit GifReader(QIODevice& device);

  // Reads the 13-byte header and the global colour table. False when the stream does not
  // start with "GIF8".
  bool ReadHeader();
  // Reads blocks up to the first image descriptor and its local colour table. False when the
  // stream ends, holds an unknown block or a damaged graphic control extension first.
  bool FindImage(GifImageInfo& image);
  // Decodes the image into rows of image.width bytes: `topRow` is the top row of the picture,
  // `rowStep` the distance to the row below. Gives the decoder's result (0 at the end code or
  // when the data run out).
  int DecodeImage(const GifImageInfo& image, std::uint8_t* topRow, std::ptrdiff_t rowStep);

 private:
  bool ReadColorMap(int flags);
  void SkipSubBlocks();

  GifInput input_;
  bool hasColorMap_ = false;
  int colorCount_ = 0;
  std::array<std::uint8_t, 256 * 3> colorMap_{};
  int transparentIndex_ = -1;
};
