#pragma once

#include <array>
#include <cstdint>

class QIODevice;

// How PNG pictures come out of libpng for the program.
//
// Background rule: transparency (an alpha channel or a tRNS chunk) is composited away by
// libpng's png_set_background in screen-gamma mode with gamma 1.0, without expansion, over
// red 31, green 127, blue 255 for colour and palette files and over black for grey files.
// That is straight alpha compositing of the stored values (no gamma conversion) at the file's
// own precision; 16-bit samples are then cut to 8 bits by dropping their low byte. Palette
// files with a tRNS chunk get their palette entries composited, so their pixels stay indices.
//
// Rows are then delivered with 8 bits per sample: palette indices (1, 2 and 4 bits unpacked
// to one byte per pixel), grey levels scaled to 0 ... 255 (1 bit: 0, 255; 2 bits: 0, 85,
// 170, 255; 4 bits: multiples of 17), or red-green-blue triples.
struct PngLayout {
  int width = 0;
  int height = 0;
  int fileColorType = 0;  // the PNG colour type of the file
  bool color = false;     // rows of red-green-blue triples; otherwise one byte per pixel
  bool palette = false;   // the bytes are palette indices, not grey levels
  int paletteCount = 0;
  std::array<std::uint8_t, 256 * 3> paletteRgb{};  // red, green, blue; after compositing
};

// Receives the picture row by row, top row first.
class PngRowSink {
 public:
  virtual ~PngRowSink() = default;
  // Called once before the rows; false refuses the picture and ends reading with failure.
  virtual bool Begin(const PngLayout& layout) = 0;
  virtual void Row(int y, const std::uint8_t* pixels) = 0;
};

// Reads a PNG stream (interlaced or not, pictures up to 16384 pixels a side). Gives false when
// libpng reports an error (printed by libpng), the sink refuses, or memory runs out.
bool DecodePng(QIODevice& device, PngRowSink& sink);
