#pragma once

#include <QRect>
#include <QRectF>

// The arithmetic of showing the main picture in the 96 x 91 canvas: zoom in percent and pan
// offsets in source pixels, all in single precision as the window keeps them.
namespace canvas {

constexpr int kWidth = 96;
constexpr int kHeight = 91;
constexpr float kZoomStep = 5.0f;

struct View {
  float zoomPercent = 100.0f;
  float offsetX = 0.0f;
  float offsetY = 0.0f;
};

// The part of the picture shown in the canvas, in picture pixels.
QRectF SourceRect(const View& view);

// The view of a newly loaded picture of width x height: covering the canvas, centred; a
// picture narrower or lower than the canvas is shown at 100 % from its corner. Reset returns
// to this same view.
View ViewForPicture(int width, int height);

// Whether the picture, at the zoom, covers the canvas; the window fills the canvas white
// first when it does not. `strict` is the test of loading (>), the zoom buttons use >=.
bool CoversCanvas(int width, int height, float zoomPercent, bool strict);

// One pan step: the offsets after the mouse moved from `last` to `now` (control pixels) over
// a picture of width x height.
View PanStep(const View& view, QPoint last, QPoint now, int width, int height);

// Whether an overlay moved to `moved` (screen rectangle, right and bottom exclusive) still lies
// in the canvas: both its top-left and its bottom-right corner inside, right and bottom edges
// of the canvas excluded.
bool OverlayFits(const QRect& moved, const QRect& canvasOnScreen);

// Where a picture of width x height goes when placed on the canvas at most maxWidth x
// maxHeight: when too large, shrunk by whichever side overflows more so that it fits both
// ways, and centred on the canvas rectangle. Every side is at least one pixel.
QRect PlacementRect(int width, int height, int maxWidth, int maxHeight, const QRect& canvasRect);

// Where a picture of width x height shows in a thumbnail cell: fitted and centred, every side
// at least one pixel.
QRect ThumbnailRect(int width, int height, const QRect& cell);

}  // namespace canvas
