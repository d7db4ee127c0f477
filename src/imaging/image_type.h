#pragma once

#include <QString>

// File type codes of images.
enum ImageType : int {
  kImageNone = -1,
  kImageBmp = 0,
  kImageJpeg = 1,
  kImageGif = 2,
  kImageXpm = 3,
  kImagePng = 4,
};

// Colour type bits, with the values of PNG colour types.
enum ImageColorType : int {
  kColorGrey = 0,
  kColorPaletteBit = 1,
  kColorBit = 2,
  kColorAlphaBit = 4,
  kColorPalette = kColorPaletteBit | kColorBit,
};

// The type of a file name by its extension, the text after the last "." (BMP, GIF, JPG, PNG,
// XPM, any case); kImageNone for other extensions ("jpeg" included), no dot, or a final dot.
int ImageTypeOfName(const QString& name);
