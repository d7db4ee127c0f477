#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "imaging/packed_dib.h"

// Writes the bitmap as a JPEG file of the given quality (0 ... 100), baseline, red-green-blue
// input, colour kept at full resolution (no chroma subsampling). Gives 1 on success; 0 with the
// reason in `errorText`: "Invalid input data", "Cannot open " + the file name, the bitmap's own
// reason (DibToRgbRows), or libjpeg's message. A file that could not be written completely is
// removed. The bitmap stays with the caller.
int WriteJpegFromDib(const PackedDib* dib, int quality, const QString& fileName,
                     QString* errorText);

// Fills `rows` (one per bitmap row, the top row of the picture first, `rowBytes` bytes each)
// with red, green, blue bytes of the bitmap's pixels. Gives 1, or 0 with "Invalid input data"
// or "Invalid bitmap bit count" in `errorText`.
int DibToRgbRows(const PackedDib* dib, int rowBytes, std::uint8_t* const* rows, QString* errorText);

// Colours for the pixel values of 1-, 4- and 8-bit rows, as red, green, blue.
using RgbTable = std::array<std::array<std::uint8_t, 3>, 256>;

// Converts one bitmap row (uncompressed, 1/4/8 bits through `table`, 16-bit 5-5-5, 24-bit
// blue-green-red, 32-bit blue-green-red-unused) into `width` red-green-blue triples.
void DibRowToRgb(const std::uint8_t* row, int width, int bitCount, const RgbTable& table,
                 std::uint8_t* out);
