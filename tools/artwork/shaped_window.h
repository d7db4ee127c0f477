// Shaped windows: everything outside the outline becomes the key colour,
// decided per pixel (no blending), so the cut edge shows no pink fringe.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QSize>

// A fresh opaque canvas pre-filled with the window edge colour: anti-aliased
// edges painted on it blend into that colour, never into the key.
QImage newWindowCanvas(QSize size);

// Keys every logical pixel the outline covers by less than half (all of its
// device pixels at scale 2); keeps the key colour out of the inside so no
// inner pixel is cut by accident.
void cutToShape(QImage& image, const QPainterPath& outline);

// At logical coordinates, whatever the image's scale.
bool isKeyPixel(const QImage& image, int x, int y);
