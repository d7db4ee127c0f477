#pragma once

#include <QImage>
#include <QRegion>
#include <optional>

// The outline of a background bitmap as a window region: every pixel except those of the key
// colour. The key colour is the bitmap's bottom-left pixel; a pixel counts as key colour when
// each channel c lies in [k, min(255, 2k)] of the key's channel k.
// Gives nothing for a null bitmap.
std::optional<QRegion> RegionFromBitmap(const QImage& bitmap);
