// The scale the renderers draw at: 1 for the bitmaps the program uses, 2 for their twice-size
// companions (<id>@2x.png) on scaled screens. Renderers work in logical pixels throughout; only
// the images they create and crop know the scale, as their device pixel ratio.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

void setRenderScale(int scale);
int renderScale();

// A new image of a logical size at the render scale.
QImage newImage(QSize logicalSize, QImage::Format format = QImage::Format_RGB32);

// The logical size of an image made at any scale.
QSize logicalSize(const QImage& image);

// The part of an image under a logical rectangle, at the image's scale.
QImage cropLogical(const QImage& image, const QRect& logical);
