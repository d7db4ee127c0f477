#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A picture made small for a thumbnail or a preview: decoded no larger than needed (JPEG
// files through libjpeg's scaled decoding) and brought to exactly `size`. Photos (JPEG) are
// area-averaged; other pictures, which carry a key colour at pixel (0, 0), are sampled at
// pixel centres so that their key colour stays exact.
struct ReducedImage {
  QImage image;      // Format_RGB32 of `size`; null when the file cannot be read
  QRgb topLeft = 0;  // pixel (0, 0) of the picture at its own size
};

ReducedImage LoadReducedImage(const QString& path, QSize size);

// Each output pixel the input pixel under its centre, as a picture is shown unsmoothed.
QImage CentreSampledScaled(const QImage& image, QSize size);
