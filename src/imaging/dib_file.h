#pragma once

#include <QString>

#include "imaging/packed_dib.h"

class QIODevice;

// Reads a BMP file (with or without its 14-byte file header; 12-, 40- and longer info headers;
// bottom-up or top-down rows) into a packed bitmap with a 40-byte header. Compressed pixel data
// (RLE, JPEG, PNG) is kept as it stands; bit-field bitmaps carry their three masks as the
// colour table (colours used = 3). Nothing when the file is damaged, truncated, or larger than
// 16384 pixels a side or 256 MiB.
PackedDibPtr LoadDibFile(const QString& fileName);
PackedDibPtr LoadDibFromDevice(QIODevice& device);

// Writes the bitmap as a BMP file. Gives 1 when every byte was written, 0 otherwise (a partly
// written file is removed).
int SaveDibFile(const QString& fileName, const PackedDib* dib);
