#include "compose/compose_canvas.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "app/settings_store.h"
#include "compose/compose_dlg.h"
#include "compose/lead.h"
#include "compose/tone_knob.h"
#include "compose_window_test.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "window_input.h"

namespace {

// A picture whose pixel (x, y) is (x, y, 128), so every shown pixel tells where it came from.
QString WritePicture(const QString& name, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, 128));
  const QString path = testenv::ProgramDir() + "/" + name;
  EXPECT_TRUE(image.save(path, "BMP"));
  return path;
}

// A character: a green square on a magenta background (the key colour).
QString WriteCharacter(const QString& name, int width = 30, int height = 20) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(qRgb(255, 0, 255));
  for (int y = height / 2 - 5; y < height / 2 + 5; ++y)
    for (int x = width / 2 - 5; x < width / 2 + 5; ++x) image.setPixel(x, y, qRgb(0, 200, 0));
  const QString path = testenv::ProgramDir() + "/" + name;
  EXPECT_TRUE(image.save(path, "BMP"));
  return path;
}

bool Contains(const QImage& image, QRgb color) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == color) return true;
  return false;
}

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at,
               Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void Drag(QWidget* widget, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(widget, QEvent::MouseButtonPress, button, from, button);
  SendMouse(widget, QEvent::MouseMove, Qt::NoButton, to, button);
  SendMouse(widget, QEvent::MouseButtonRelease, button, to, Qt::NoButton);
}

// Counts the pop-up menus that open while it lives, closing each at once.
class MenuWatcher {
 public:
  MenuWatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        ++opened_;
        popup->close();
      }
    });
    timer_.start(10);
  }
  int Opened() const { return opened_; }

 private:
  QTimer timer_;
  int opened_ = 0;
};

using ComposeCanvasTest = ComposeWindowTest;

TEST_F(ComposeCanvasTest, WidePictureOpensCoveringTheCanvas) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("wide.bmp", 200, 100)));
  EXPECT_FLOAT_EQ(Canvas().ZoomPercent(), 91.0f);
  EXPECT_FLOAT_EQ(Canvas().OffsetX(), 52.0f);
  EXPECT_FLOAT_EQ(Canvas().OffsetY(), 4.5f);
  const QImage shot = Canvas().CaptureImage();
  ASSERT_EQ(shot.size(), QSize(96, 91));
  EXPECT_EQ(shot.pixel(0, 0), qRgb(17, 0, 128));      // source x starts at 16.5
  EXPECT_EQ(shot.pixel(95, 90), qRgb(121, 99, 128));  // and spans 105.5 x 100 pixels
}

TEST_F(ComposeCanvasTest, SmallPictureShowsAtFullSizeOnWhite) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("small.bmp", 50, 40)));
  EXPECT_FLOAT_EQ(Canvas().ZoomPercent(), 100.0f);
  EXPECT_FLOAT_EQ(Canvas().OffsetX(), 0.0f);
  EXPECT_FLOAT_EQ(Canvas().OffsetY(), 0.0f);
  const QImage shot = Canvas().CaptureImage();
  EXPECT_EQ(shot.pixel(10, 12), qRgb(10, 12, 128));
  EXPECT_EQ(shot.pixel(70, 60), qRgb(255, 255, 255));
  EXPECT_EQ(Canvas().MainPicturePath(), testenv::ProgramDir() + "/small.bmp");
}

TEST_F(ComposeCanvasTest, ResetGivesBackTheViewOfLoading) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("small.bmp", 50, 40)));
  const QImage loaded = Canvas().CaptureImage();
  window->Button(CComposeDlg::kZoomInButton)->click();
  window->Button(CComposeDlg::kZoomInButton)->click();
  window->Button(CComposeDlg::kResetButton)->click();
  EXPECT_FLOAT_EQ(Canvas().ZoomPercent(), 100.0f);
  EXPECT_FLOAT_EQ(Canvas().OffsetX(), 0.0f);
  EXPECT_FLOAT_EQ(Canvas().OffsetY(), 0.0f);
  EXPECT_EQ(Canvas().CaptureImage(), loaded);
}

TEST_F(ComposeCanvasTest, ZoomOutStopsAtFiveAndZoomInHasNoLimit) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("wide.bmp", 200, 100)));
  int steps = 0;
  for (float before = -1; before != Canvas().ZoomPercent(); ++steps) {
    before = Canvas().ZoomPercent();
    window->Button(CComposeDlg::kZoomOutButton)->click();
  }
  EXPECT_EQ(steps - 1, 18);  // 91, 86, ... 6, 1
  EXPECT_NEAR(Canvas().ZoomPercent(), 1.0f, 1e-4);
  for (int i = 0; i < 200; ++i) window->Button(CComposeDlg::kZoomInButton)->click();
  EXPECT_NEAR(Canvas().ZoomPercent(), 1001.0f, 1e-2);
}

TEST_F(ComposeCanvasTest, ZoomAndPanNeedAPicture) {
  window->Button(CComposeDlg::kZoomInButton)->click();
  Drag(Canvas().Canvas(), {50, 50}, {10, 10});
  window->Button(CComposeDlg::kResetButton)->click();
  EXPECT_FLOAT_EQ(Canvas().ZoomPercent(), 100.0f);
  EXPECT_FLOAT_EQ(Canvas().OffsetX(), 0.0f);
}

TEST_F(ComposeCanvasTest, KnobAndPanLeaveAClearedCanvasWhite) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("wide.bmp", 200, 100)));
  window->Button(CComposeDlg::kClearButton)->click();
  CToneKnob* knob = Canvas().Knob();
  testenv::WindowDrag(window.get(), testenv::InWindow(knob, {5, 5}),
                      testenv::InWindow(knob, {35, 5}));
  EXPECT_EQ(knob->Offset(), 0);
  EXPECT_EQ(Canvas().AdjustAmount(), 0);
  const QPoint canvas = testenv::InWindow(Canvas().Canvas(), {50, 50});
  testenv::WindowDrag(window.get(), canvas, canvas - QPoint(30, 10));
  EXPECT_EQ(Canvas().Canvas()->MousePointer(), CLead::kPointerDefault);
  const QImage shot = Canvas().CaptureImage();
  EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(shot.pixel(95, 90), qRgb(255, 255, 255));
}

TEST_F(ComposeCanvasTest, PanningMovesThePictureAndClampsAtItsEdges) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("big.bmp", 400, 300)));
  // Zoomed to 100 % a mouse pixel moves the offset by one picture pixel.
  while (Canvas().ZoomPercent() < 100) window->Button(CComposeDlg::kZoomInButton)->click();
  const float zoom = Canvas().ZoomPercent();
  const float startX = Canvas().OffsetX();
  Drag(Canvas().Canvas(), {50, 50}, {40, 50});
  EXPECT_NEAR(Canvas().OffsetX(), startX + 10 * (100 / zoom) * (100 / zoom), 1e-3);
  EXPECT_EQ(Canvas().Canvas()->MousePointer(), CLead::kPointerDefault);
  Drag(Canvas().Canvas(), {0, 0}, {95, 90});  // far left and up, twice
  Drag(Canvas().Canvas(), {0, 0}, {95, 90});
  EXPECT_FLOAT_EQ(Canvas().OffsetX(), 0.0f);
  EXPECT_FLOAT_EQ(Canvas().OffsetY(), 0.0f);
  EXPECT_EQ(Canvas().CaptureImage().pixel(0, 0), qRgb(0, 0, 128));
}

TEST_F(ComposeCanvasTest, KnobOffsetBecomesTheToneAdjustment) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("wide.bmp", 200, 100)));
  CToneKnob* knob = Canvas().Knob();
  const QPoint home = knob->pos();
  Drag(knob, {5, 5}, {85, 5});  // 80 to the right: stops short of +60
  EXPECT_EQ(knob->pos().x() - home.x(), 59);
  EXPECT_EQ(Canvas().AdjustAmount(), 59);
  // 59 x 5 = 295 brightens by 75 levels.
  EXPECT_EQ(Canvas().CaptureImage().pixel(0, 0), qRgb(17 + 75, 0 + 75, 128 + 75));
  // Zooming keeps the adjustment.
  window->Button(CComposeDlg::kZoomInButton)->click();
  EXPECT_EQ(qBlue(Canvas().CaptureImage().pixel(0, 0)), 203);
  Drag(knob, {5, 5}, {-95, 5});  // 100 back: 41 left of home
  EXPECT_EQ(Canvas().AdjustAmount(), -41);
  EXPECT_LT(qBlue(Canvas().CaptureImage().pixel(0, 0)), 128);
}

TEST_F(ComposeCanvasTest, ResetReturnsToTheLoadedViewAndClearEmptiesTheCanvas) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("wide.bmp", 200, 100)));
  window->Button(CComposeDlg::kZoomInButton)->click();
  Drag(Canvas().Canvas(), {50, 50}, {20, 40});
  Drag(Canvas().Knob(), {5, 5}, {25, 5});
  window->Button(CComposeDlg::kResetButton)->click();
  EXPECT_FLOAT_EQ(Canvas().ZoomPercent(), 91.0f);
  EXPECT_FLOAT_EQ(Canvas().OffsetX(), 52.0f);
  EXPECT_EQ(Canvas().AdjustAmount(), 0);
  EXPECT_EQ(Canvas().Knob()->Offset(), 0);
  EXPECT_EQ(Canvas().CaptureImage().pixel(0, 0), qRgb(17, 0, 128));

  Canvas().PlaceCharacter(WriteCharacter("c.bmp"));
  window->Button(CComposeDlg::kClearButton)->click();
  EXPECT_FALSE(Canvas().CharacterWindow(0)->isVisible());
  EXPECT_TRUE(Canvas().MainPicturePath().isEmpty());
  EXPECT_FLOAT_EQ(Canvas().ZoomPercent(), 100.0f);
  const QImage shot = Canvas().CaptureImage();
  EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(shot.pixel(95, 90), qRgb(255, 255, 255));
}

TEST_F(ComposeCanvasTest, PlacedCharacterShowsThePictureThroughItsKeyColour) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("small.bmp", 96, 91)));
  ASSERT_TRUE(Canvas().PlaceCharacter(WriteCharacter("c.bmp")));
  CLead* character = Canvas().CharacterWindow(0);
  EXPECT_EQ(character->geometry(), QRect(84, 178, 30, 20));
  EXPECT_TRUE(character->isVisible());
  const QImage shot = Canvas().CaptureImage();
  EXPECT_EQ(shot.pixel(33 + 1, 35 + 1), qRgb(34, 36, 128));  // key colour: picture below
  EXPECT_EQ(shot.pixel(33 + 15, 35 + 10), qRgb(0, 200, 0));  // the character itself
  EXPECT_FALSE(Contains(shot, qRgb(255, 0, 255)));
}

TEST_F(ComposeCanvasTest, OverlaysStayOnTheCanvasAndGoWithTheRightButtonOrDelete) {
  ASSERT_TRUE(Canvas().PlaceCharacter(WriteCharacter("c.bmp")));
  CLead* character = Canvas().CharacterWindow(0);
  Drag(character, {5, 5}, {15, 10});
  EXPECT_EQ(character->pos(), QPoint(94, 183));
  Drag(character, {5, 5}, {105, 5});  // would leave the canvas on the right
  EXPECT_EQ(character->pos(), QPoint(94, 183));
  Drag(character, {5, 5}, {5, -60});  // and at the top
  EXPECT_EQ(character->pos(), QPoint(94, 183));

  Drag(character, {5, 5}, {5, 5}, Qt::RightButton);
  EXPECT_FALSE(character->isVisible());
  EXPECT_FALSE(Contains(Canvas().CaptureImage(), qRgb(0, 200, 0)));

  ASSERT_TRUE(Canvas().PlaceMessage(WriteCharacter("m.bmp", 60, 30)));
  CLead* message = Canvas().MessageWindow();
  message->setFocus();
  QTest::keyClick(message, Qt::Key_Delete);
  EXPECT_FALSE(message->isVisible());
}

TEST_F(ComposeCanvasTest, RightButtonRemovesOverlaysAndPansWhileTheMenuIsForFreeAreas) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("wide.bmp", 200, 100)));
  MenuWatcher menus;
  ASSERT_TRUE(Canvas().PlaceCharacter(WriteCharacter("c.bmp")));
  CLead* character = Canvas().CharacterWindow(0);
  testenv::WindowClick(window.get(), Qt::RightButton, testenv::InWindow(character, {2, 2}));
  EXPECT_FALSE(character->isVisible());
  ASSERT_TRUE(Canvas().PlaceMessage(WriteCharacter("m.bmp", 60, 30)));
  CLead* message = Canvas().MessageWindow();
  testenv::WindowClick(window.get(), Qt::RightButton, testenv::InWindow(message, {2, 2}));
  EXPECT_FALSE(message->isVisible());
  EXPECT_FALSE(Contains(Canvas().CaptureImage(), qRgb(0, 200, 0)));

  const float offsetX = Canvas().OffsetX();
  const QPoint canvas = testenv::InWindow(Canvas().Canvas(), {80, 80});
  testenv::WindowPress(window.get(), Qt::RightButton, canvas);
  EXPECT_EQ(Canvas().Canvas()->MousePointer(), CLead::kPointerSizeAll);
  testenv::WindowRelease(window.get(), Qt::RightButton, canvas);
  EXPECT_EQ(Canvas().Canvas()->MousePointer(), CLead::kPointerDefault);
  testenv::WindowMove(window.get(), canvas - QPoint(20, 0));  // no button held: no pan
  EXPECT_FLOAT_EQ(Canvas().OffsetX(), offsetX);
  EXPECT_EQ(menus.Opened(), 0);

  const QPoint freeArea(200, 60);
  ASSERT_EQ(window->childAt(freeArea), nullptr);
  testenv::WindowClick(window.get(), Qt::RightButton, freeArea);
  EXPECT_EQ(menus.Opened(), 1);
}

TEST_F(ComposeCanvasTest, SixthCharacterReplacesTheFirst) {
  for (int i = 0; i < 6; ++i)
    ASSERT_TRUE(Canvas().PlaceCharacter(WriteCharacter(QString("c%1.bmp").arg(i), 30 + i, 20)));
  int visible = 0;
  for (int slot = 0; slot < CComposeCanvas::kCharacterWindows; ++slot)
    visible += Canvas().CharacterWindow(slot)->isVisible();
  EXPECT_EQ(visible, 5);
  EXPECT_EQ(Canvas().CharacterWindow(0)->width(), 35);
  EXPECT_EQ(Canvas().NextCharacterSlot(), 1);
  EXPECT_EQ(Canvas().CharacterPath(), testenv::ProgramDir() + "/c5.bmp");
}

TEST_F(ComposeCanvasTest, CaptureIsAThirtyTwoBitPackedBitmapOfTheCanvas) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePicture("small.bmp", 96, 91)));
  const PackedDibPtr dib = Canvas().CaptureCanvas();
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->Header().width, 96);
  EXPECT_EQ(dib->Header().height, 91);
  EXPECT_EQ(dib->Header().bitCount, 32);
  const std::uint8_t* bottomLeft = dib->Pixels();
  EXPECT_EQ(bottomLeft[1], 90);  // green = y of the bottom row
  EXPECT_EQ(bottomLeft[2], 0);
}

}  // namespace
