// Colour reduction for the 8-bit material files.
#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

// Up to `maxColours` colours for the pixels of `image` (RGB32) other than
// `skip`, chosen by median cut so large flat areas keep their exact colour.
QList<QRgb> medianCutPalette(const QImage& image, int maxColours, QRgb skip);

// The index of the entry of `palette` nearest to `colour`, from `first` on.
int nearestIndex(const QList<QRgb>& palette, QRgb colour, int first);
