#pragma once

#include <QIcon>
#include <QImage>
#include <QPointF>

class QPainter;

// A bitmap resource by its numeric id, as a 32-bit image (QImage::Format_RGB32) at its own size.
// Geometry, window outlines and pixel work use this one. Gives a null image when there is no
// such resource.
QImage LoadBitmapResource(int id);

// The twice-size rendering of a bitmap resource (<id>@2x), with device pixel ratio 2 so that its
// logical size is the bitmap's. Null when there is none or it is not exactly twice the size.
QImage LoadTwiceSizeBitmap(int id);

// Whether windows draw twice-size bitmaps: some screen is scaled above 100 %.
bool ScreenUsesTwiceSize();

// The bitmap as windows draw it: its twice-size rendering on a scaled screen (sharp at 200 %,
// smoothed down at 150 %), otherwise the bitmap itself.
QImage LoadScreenBitmap(int id);
// What a scaled screen draws in place of the bitmap: its twice-size rendering. Null on an
// unscaled screen, where the bitmap itself (loaded once by the caller) is drawn.
QImage ScreenOnlyBitmap(int id);

// The size an image covers on screen, in logical pixels.
QSize LogicalSize(const QImage& image);

// Draws an image at its logical size. Where the device's scale does not map the image's pixels
// one to one (150 %), it is smoothed so that no rows or columns drop out.
void DrawScreenImage(QPainter& painter, const QPointF& topLeft, const QImage& image);

// An icon from a bitmap resource and its twice-size rendering.
QIcon LoadIconResource(int id);
