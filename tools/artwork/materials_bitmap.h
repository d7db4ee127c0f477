// Turns drawn material art into the keyed 8-bit BMP files the program reads:
// pixel (0, 0) holds the key colour, and every pixel of exactly that colour
// shows the photo below.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Crops to the silhouette plus a 1 px key border, keys what is less than half
// covered and lays the rest over `edge` (no blending into the key), then
// reduces to 256 colours with the key as entry 0, used nowhere else.
QImage keyedIndexed(const QImage& art, const QColor& edge);

// Saves as an 8-bit BMP and reads it back to check depth and key; warns and
// returns false on any problem.
bool saveKeyedBmp(const QImage& indexed, const QString& path);
