#pragma once

#include <cstddef>
#include <cstdint>

// Expands the run-length coded pixels of an RLE8 (8-bit) or RLE4 (4-bit) bitmap into one
// colour-table index per pixel: `indices` holds `height` rows of `width` bytes in the order the
// data codes them, bottom row first. Runs past the end of a row are cut at the row's end;
// pixels the data skips (deltas, early ends of line or of the bitmap) keep the value they had.
// Data that ends in the middle of a run, or without its end-of-bitmap code, ends the bitmap
// there; nothing is read outside `data`. Does nothing for another compression.
void ExpandRlePixels(const std::uint8_t* data, std::size_t size, std::uint32_t compression,
                     int width, int height, std::uint8_t* indices);
