// Finishing touches on drawn material art, before it is keyed: no flecks of
// photo inside the shape, and an outline around it.
#pragma once

#include <QColor>
#include <QImage>

// A fresh transparent canvas to draw one picture on.
QImage newMaterialCanvas(int width, int height);

// Fills every gap that an outline of `outlineRadius` would enclose, up to
// `maxArea` px (letter counters, slits between strokes), with the colour
// around it, so no fleck of photo shows through; larger holes, like a
// donut's, stay open.
QImage withSmallHolesFilled(const QImage& art, int maxArea, qreal outlineRadius);

// Paints `colour` `radius` px around the drawn silhouette, under the art, so
// the picture reads over light and dark photos alike.
QImage withOutline(const QImage& art, const QColor& colour, qreal radius);
