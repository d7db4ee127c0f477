#pragma once

#include <QImage>
#include <optional>

#include "imaging/packed_dib.h"
#include "platform/palette.h"

// Creating packed bitmaps and moving colours between them and palettes.

// A zero-filled bitmap with room for a full colour table behind the header; 4- and 8-bit
// bitmaps get the 16 VGA colours, repeated to fill their table. Nothing for sizes that are
// empty, over 16384 pixels a side or over 256 MiB.
PackedDibPtr NewDib(int bitCount, int width, int height);

// Entries of the colour table: the colours-used field when set, else 2, 16 or 256 by bit
// count (0 above 8 bits).
int DibColorCount(const PackedDib& dib);
int DibColorTableBytes(const PackedDib& dib);

// Mode 1 writes the palette indices 0 ... n-1 into the colour table (the bitmap is then drawn
// with DIB_PAL_COLORS); any other mode writes the palette's colours (nullptr = the stock
// palette). Bit masks of bit-field bitmaps stay. Gives 1, or 0 without a bitmap.
int SetDibColorTable(PackedDib* dib, const Palette* palette, int mode);

// A palette of the colour table's colours with the given flags; nothing when the bitmap uses
// no colour table.
std::optional<Palette> PaletteFromDib(const PackedDib& dib, std::uint8_t flags);

// Captures a screen image into a new packed bitmap of the given bit count (0 = 32) and
// compression (only 0 is supported). Bitmaps of 8 bits or fewer take the palette's colours
// (nullptr = the stock palette) and each pixel the nearest of them.
PackedDibPtr DibFromScreenBitmap(const QImage& bitmap, std::uint32_t compression, int bitCount,
                                 const Palette* palette);

// The limits every bitmap of the program keeps to.
constexpr int kMaxDibDimension = 16384;
constexpr std::size_t kMaxDibBytes = 256u * 1024 * 1024;
