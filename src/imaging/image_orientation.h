#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

// Turning stored photos upright by the eight values of the EXIF/TIFF orientation tag:
// 1 as stored, 2 mirrored left to right, 3 turned half round, 4 mirrored top to bottom,
// 5 mirrored about the top-left to bottom-right diagonal, 6 turned a quarter clockwise,
// 7 mirrored about the other diagonal, 8 turned a quarter anticlockwise. Other values count as 1.

// The stored picture upright, as Format_RGB32; null when memory runs out.
QImage OrientedImage(const QImage& stored, int orientation);

// The upright size of a stored picture of size `stored`: 5 to 8 swap width and height.
QSize OrientedSize(QSize stored, int orientation);

// The stored pixel that becomes pixel (0, 0) of the upright picture.
QPoint StoredTopLeft(QSize stored, int orientation);
