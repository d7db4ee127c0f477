#include "compose/canvas_view.h"

#include <gtest/gtest.h>

#include "compose/tone.h"

namespace {

const QRect kCanvas(51, 143, 96, 91);

TEST(CanvasView, NewPictureCoversTheCanvasCentred) {
  const canvas::View wide = canvas::ViewForPicture(200, 100);
  EXPECT_FLOAT_EQ(wide.zoomPercent, 91.0f);
  EXPECT_FLOAT_EQ(wide.offsetX, 52.0f);
  EXPECT_FLOAT_EQ(wide.offsetY, 4.5f);
  const canvas::View tall = canvas::ViewForPicture(100, 300);
  EXPECT_FLOAT_EQ(tall.zoomPercent, 96.0f);
  // Smaller than the canvas: 100 % from the corner.
  const canvas::View small = canvas::ViewForPicture(50, 40);
  EXPECT_FLOAT_EQ(small.zoomPercent, 100.0f);
  EXPECT_FLOAT_EQ(small.offsetX, 0.0f);
  EXPECT_FLOAT_EQ(small.offsetY, 0.0f);
}

TEST(CanvasView, SourceRectFollowsZoomAndOffsets) {
  const QRectF whole = canvas::SourceRect({100, 0, 0});
  EXPECT_EQ(whole, QRectF(0, 0, 96, 91));
  const QRectF zoomed = canvas::SourceRect({200, 40, 20});
  EXPECT_FLOAT_EQ(zoomed.x(), 20 + 48.0f);
  EXPECT_FLOAT_EQ(zoomed.y(), 10 + 45.5f);
  EXPECT_FLOAT_EQ(zoomed.width(), 48.0f);
  EXPECT_FLOAT_EQ(zoomed.height(), 45.5f);
  // Zoomed out past the offsets: clamped to the picture's corner.
  const QRectF out = canvas::SourceRect({50, 10, 10});
  EXPECT_EQ(out.topLeft(), QPointF(0, 0));
  EXPECT_FLOAT_EQ(out.width(), 192.0f);
}

TEST(CanvasView, CoverTestIsStrictOnLoadingAndInclusiveOnZooming) {
  EXPECT_FALSE(canvas::CoversCanvas(200, 100, 91, true));  // 91 rows exactly
  EXPECT_TRUE(canvas::CoversCanvas(200, 100, 91, false));
  EXPECT_FALSE(canvas::CoversCanvas(50, 40, 400, false));  // the picture itself is small
  EXPECT_TRUE(canvas::CoversCanvas(6000, 4000, 2.275f, false));
}

TEST(CanvasView, PanMovesByTheScaledDistanceAndClamps) {
  const canvas::View start{100, 20, 20};
  const canvas::View moved = canvas::PanStep(start, {50, 50}, {40, 45}, 300, 200);
  EXPECT_FLOAT_EQ(moved.offsetX, 30.0f);
  EXPECT_FLOAT_EQ(moved.offsetY, 25.0f);
  // Past the left or top edge: 0.
  const canvas::View left = canvas::PanStep(start, {10, 10}, {60, 60}, 300, 200);
  EXPECT_FLOAT_EQ(left.offsetX, 0.0f);
  EXPECT_FLOAT_EQ(left.offsetY, 0.0f);
  // Past the right or bottom edge: the offset stays.
  const canvas::View right = canvas::PanStep({100, 400, 210}, {100, 100}, {0, 0}, 300, 200);
  EXPECT_FLOAT_EQ(right.offsetX, 400.0f);
  EXPECT_FLOAT_EQ(right.offsetY, 210.0f);
  // Zoomed to 200 %, a pixel of mouse is a quarter pixel of offset.
  EXPECT_FLOAT_EQ(canvas::PanStep({200, 10, 10}, {8, 0}, {0, 0}, 300, 200).offsetX, 12.0f);
}

TEST(CanvasView, OverlayMustKeepBothCornersInsideTheCanvas) {
  const QRect canvasOnScreen(151, 243, 96, 91);
  EXPECT_TRUE(canvas::OverlayFits(QRect(151, 243, 50, 40), canvasOnScreen));
  EXPECT_TRUE(canvas::OverlayFits(QRect(196, 293, 50, 40), canvasOnScreen));   // right edge 246
  EXPECT_FALSE(canvas::OverlayFits(QRect(197, 293, 50, 40), canvasOnScreen));  // right edge 247
  EXPECT_FALSE(canvas::OverlayFits(QRect(150, 243, 50, 40), canvasOnScreen));
  EXPECT_FALSE(canvas::OverlayFits(QRect(151, 295, 50, 40), canvasOnScreen));
  EXPECT_FALSE(canvas::OverlayFits(QRect(151, 243, 96, 40), canvasOnScreen));  // full width
}

TEST(CanvasView, PlacementFitsBothWaysAndCentres) {
  EXPECT_EQ(canvas::PlacementRect(300, 100, 94, 89, kCanvas), QRect(52, 173, 94, 31));
  EXPECT_EQ(canvas::PlacementRect(50, 40, 94, 89, kCanvas), QRect(74, 168, 50, 40));
  EXPECT_EQ(canvas::PlacementRect(100, 300, 94, 89, kCanvas).size(), QSize(29, 89));
  EXPECT_EQ(canvas::PlacementRect(200, 100, 96, 91, kCanvas), QRect(51, 164, 96, 48));
  // Nearly square but wider: the height overflows more and decides.
  EXPECT_EQ(canvas::PlacementRect(100, 99, 94, 89, kCanvas), QRect(54, 144, 89, 89));
}

TEST(CanvasView, ThumbnailsFitTheirCellRoundingTheMarginUp) {
  const QRect cell(207, 171, 70, 54);
  EXPECT_EQ(canvas::ThumbnailRect(100, 100, cell), QRect(215, 171, 54, 54));
  EXPECT_EQ(canvas::ThumbnailRect(140, 54, cell), QRect(207, 185, 70, 27));
  EXPECT_EQ(canvas::ThumbnailRect(31, 20, cell), QRect(207 + 20, 171 + 17, 31, 20));
}

// A picture far wider than high (or the other way) still shows as a line of one pixel.
TEST(CanvasView, FittedSizesOfExtremePicturesAreAtLeastOnePixel) {
  const QRect cell(207, 171, 70, 54);
  EXPECT_EQ(canvas::ThumbnailRect(2000, 20, cell), QRect(207, 171 + 27, 70, 1));
  EXPECT_EQ(canvas::ThumbnailRect(20, 2000, cell), QRect(207 + 35, 171, 1, 54));
  EXPECT_EQ(canvas::PlacementRect(2000, 20, 94, 89, kCanvas), QRect(52, 188, 94, 1));
  EXPECT_EQ(canvas::PlacementRect(20, 2000, 96, 91, kCanvas), QRect(98, 143, 1, 91));
}

TEST(Tone, BrightnessIsMonotonicClampedAndChains) {
  const ToneCurve up = BrightnessTone(300);
  const ToneCurve down = BrightnessTone(-300);
  EXPECT_EQ(up[0], 77);
  EXPECT_EQ(up[255], 255);
  EXPECT_EQ(down[255], 178);
  EXPECT_EQ(down[10], 0);
  EXPECT_EQ(BrightnessTone(1000), up);  // clamped to 300
  for (int level = 1; level < 256; ++level) {
    ASSERT_GE(up[level], up[level - 1]);
    ASSERT_GE(down[level], down[level - 1]);
  }
  for (int amount = -295; amount <= 300; amount += 5)
    ASSERT_GE(BrightnessTone(amount)[128], BrightnessTone(amount - 5)[128]);
  EXPECT_TRUE(IsIdentity(BrightnessTone(0)));
  // Two changes chain as applied one after the other, clamping included.
  const ToneCurve chained = ChainTones(up, down);
  EXPECT_EQ(chained[255], 178);
  EXPECT_EQ(chained[0], 0);
}

}  // namespace
