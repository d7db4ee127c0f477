#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>

#include "platform/bitmap_info.h"
#include "platform/palette.h"

// Raster operations: how a source pixel combines with the destination.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;   // destination = source
constexpr std::uint32_t SRCAND = 0x008800C6;    // destination = destination AND source
constexpr std::uint32_t SRCPAINT = 0x00EE0086;  // destination = destination OR source

// How a DIB's colour table is read: colours, or 16-bit indices into the selected palette.
constexpr int DIB_RGB_COLORS = 0;
constexpr int DIB_PAL_COLORS = 1;

// Stretch modes; every mode draws nearest-neighbour here, which is what COLORONCOLOR means.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;

// A device-independent bitmap as drawing calls read it: the header, the colour table that
// follows it, and the pixel rows. Sizes bound every read.
struct DibBits {
  BitmapInfoHeader header;
  const std::uint8_t* colorTable = nullptr;
  std::size_t colorTableBytes = 0;
  const std::uint8_t* bits = nullptr;
  std::size_t bitsBytes = 0;
};

// Draws device-independent bitmaps into a 32-bit image, with a selected palette for bitmaps
// whose colour table holds palette indices.
class DeviceContext {
 public:
  // The target must stay alive while the context is used; it is converted to 32 bits.
  explicit DeviceContext(QImage& target);

  // Selects a palette (nullptr = the stock default palette); gives the previous one.
  const Palette* SelectPalette(const Palette* palette, bool forceBackground = false);
  const Palette& SelectedPalette() const;
  // Gives the number of palette entries mapped.
  int RealizePalette();
  int SetStretchBltMode(int mode);
  int StretchBltMode() const { return stretchMode_; }

  // Copies a rectangle of the DIB unscaled. Only the scan lines startScan ... startScan +
  // scanLines - 1 are present in dib.bits (counted from the bottom of a bottom-up DIB); the
  // source rectangle's y is measured from the bottom as well. Gives the number of scan lines
  // drawn, 0 on failure.
  int SetDIBitsToDevice(int xDest, int yDest, int width, int height, int xSrc, int ySrc,
                        int startScan, int scanLines, const DibBits& dib, int colorUse);
  // Stretches a source rectangle of the DIB (y measured from the bottom of a bottom-up DIB)
  // onto a destination rectangle, nearest-neighbour, combining with the raster operation.
  // Gives the number of scan lines of the source, 0 on failure.
  int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, const DibBits& dib, int colorUse,
                    std::uint32_t rop);

 private:
  QImage& target_;
  const Palette* palette_ = nullptr;
  int stretchMode_ = BLACKONWHITE;
};
