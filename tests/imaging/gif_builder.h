#pragma once

#include <QByteArray>
#include <QColor>
#include <cstdint>
#include <utility>
#include <vector>

// Hand-made GIF streams for tests: a container builder and an LZW code packer, so that files
// can hold exactly the blocks and codes a case needs.

// Packs (code, bit width) pairs lowest bit first and splits the bytes into data sub-blocks
// (without the terminating zero-length block).
QByteArray PackGifCodes(const std::vector<std::pair<int, int>>& codes, int blockBytes = 255);

struct GifImageBlock {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  std::vector<QRgb> localTable;  // written when not empty (size rounded up to a power of 2)
  int codeSize = 8;
  QByteArray data;         // data sub-blocks, as PackGifCodes gives them
  bool terminator = true;  // the zero-length block after the data
};

struct GifBuilder {
  QByteArray signature = "GIF89a";
  int screenWidth = 0;
  int screenHeight = 0;
  std::vector<QRgb> globalTable;  // written when not empty (size rounded up to a power of 2)
  // A graphic control extension before the first image: flags and transparent index.
  bool graphicControl = false;
  int controlFlags = 0;
  int transparentIndex = 0;
  int controlBlockSize = 4;
  std::vector<GifImageBlock> images;
  bool trailer = true;

  QByteArray Build() const;
};

// A GIF written by giflib: one image of the given palette indices (row by row, top first).
QByteArray WriteGifWithGiflib(int width, int height, const std::vector<std::uint8_t>& indices,
                              const std::vector<QRgb>& colors, bool interlaced = false,
                              int transparentIndex = -1);
