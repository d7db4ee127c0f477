#pragma once

#include <QImage>
#include <QRegion>
#include <optional>

// The outline of a background bitmap as a window region: every pixel except those of the key
// colour. The key colour is the bitmap's bottom-left pixel; a pixel counts as key colour when
// each channel c lies in [k, min(255, 2k)] of the key's channel k.
// Gives nothing for a null bitmap.
std::optional<QRegion> RegionFromBitmap(const QImage& bitmap);

// `screen` (the bitmap itself, or its rendering at a higher device pixel ratio) with every pixel
// outside the bitmap's outline made fully transparent: where a compositor draws the whole
// window, whatever its region, the key colour never shows. The outline is the bitmap's, pixel
// for logical pixel. A null bitmap gives `screen` unchanged.
QImage TransparentOutsideOutline(const QImage& screen, const QImage& bitmap);
