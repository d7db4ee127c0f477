#include "skin/skin_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "skin/skin_dlg.h"
#include "window_input.h"

namespace {

QImage Solid(QColor color, QSize size = QSize(20, 10)) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

QColor CentreOf(QWidget& widget) {
  return widget.grab().toImage().pixelColor(widget.width() / 2, widget.height() / 2);
}

TEST(ChooseButtonImage, FollowsPressedHoverIdleOrder) {
  const QImage normal = Solid(Qt::white), hover = Solid(Qt::yellow), pressed = Solid(Qt::red);
  const QImage none;
  EXPECT_EQ(ChooseButtonImage({false, false}, normal, hover, pressed), &normal);
  EXPECT_EQ(ChooseButtonImage({false, true}, normal, hover, pressed), &hover);
  EXPECT_EQ(ChooseButtonImage({true, false}, normal, hover, pressed), &pressed);
  // Held down without a pressed image: the idle look.
  EXPECT_EQ(ChooseButtonImage({true, false}, normal, hover, none), &normal);
  // No idle image: the hover image stands in while not held down.
  EXPECT_EQ(ChooseButtonImage({false, false}, none, hover, pressed), &hover);
  EXPECT_EQ(ChooseButtonImage({true, false}, none, hover, none), nullptr);
  EXPECT_EQ(ChooseButtonImage({false, false}, none, none, none), nullptr);
}

TEST(CSkinButton, CutNormalImageCopiesTheBackgroundPieceAndFillsWhiteOutside) {
  QImage background = Solid(Qt::blue, QSize(30, 30));
  background.setPixelColor(10, 5, Qt::green);
  CSkinButton button;
  button.CutNormalImage(background, QRect(10, 5, 25, 8));
  ASSERT_EQ(button.NormalImage().size(), QSize(25, 8));
  EXPECT_EQ(button.NormalImage().pixelColor(0, 0), QColor(Qt::green));
  EXPECT_EQ(button.NormalImage().pixelColor(5, 5), QColor(Qt::blue));
  EXPECT_EQ(button.NormalImage().pixelColor(22, 3), QColor(Qt::white));  // past the background
}

class SkinButtonWidget : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.setFixedSize(200, 100);
    dialog.SetBackgroundBitmap(Solid(QColor(0, 0, 200), QSize(200, 100)));
    button = new CSkinButton(&dialog, 1);
    // Hover and pressed images from memory, as resource ids would give them.
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  }
  void GiveImages() {
    button->setGeometry(50, 40, 20, 10);
    button->CutNormalImage(dialog.BackgroundBitmap(), button->geometry());
    SetImages(*button, Solid(Qt::yellow), Solid(Qt::red));
  }
  static void SetImages(CSkinButton& target, const QImage& hover, const QImage& pressed);

  CSkinDlg dialog{0};
  CSkinButton* button = nullptr;
};

void SkinButtonWidget::SetImages(CSkinButton& target, const QImage& hover, const QImage& pressed) {
  target.SetHoverImage(hover);
  target.SetPressedImage(pressed);
}

TEST_F(SkinButtonWidget, ShowsHoverWhileTheCursorIsOverItAndTheBackgroundAfter) {
  GiveImages();
  EXPECT_EQ(CentreOf(*button), QColor(0, 0, 200));
  QTest::mouseMove(button, QPoint(5, 5));
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(button, &enter);
  EXPECT_TRUE(button->IsHoverDrawn());
  EXPECT_EQ(CentreOf(*button), QColor(Qt::yellow));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button, &leave);
  EXPECT_FALSE(button->IsHoverDrawn());
  EXPECT_EQ(CentreOf(*button), QColor(0, 0, 200));
}

TEST_F(SkinButtonWidget, PressShowsPressedImageAndReleaseInsideClicks) {
  GiveImages();
  QSignalSpy clicks(button, &CSkinButton::clicked);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(CentreOf(*button), QColor(Qt::red));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_NE(CentreOf(*button), QColor(Qt::red));
}

TEST_F(SkinButtonWidget, ReleaseOutsideSendsNoClickAndReturnsToIdle) {
  GiveImages();
  QSignalSpy clicks(button, &CSkinButton::clicked);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(button, QPoint(60, 40));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 40));
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(CentreOf(*button), QColor(0, 0, 200));
}

TEST_F(SkinButtonWidget, DoubleClickCountsAsTwoPresses) {
  GiveImages();
  QSignalSpy clicks(button, &CSkinButton::clicked);
  // What the window system sends for a double-click: press, release, double-click, release.
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(5, 5),
                          button->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
  QApplication::sendEvent(button, &doubleClick);
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(SkinButtonWidget, AClickEndsWithTheIdleLookUntilTheMouseMovesAgain) {
  GiveImages();
  const QPoint at = testenv::InWindow(button);
  testenv::WindowMove(&dialog, at);
  EXPECT_EQ(CentreOf(*button), QColor(Qt::yellow));
  testenv::WindowClick(&dialog, Qt::LeftButton, at);
  EXPECT_FALSE(button->IsHoverDrawn());
  EXPECT_EQ(CentreOf(*button), QColor(0, 0, 200));
  testenv::WindowMove(&dialog, at + QPoint(1, 0));
  EXPECT_EQ(CentreOf(*button), QColor(Qt::yellow));
}

TEST_F(SkinButtonWidget, PlaceButtonFitsCutsAndMoves) {
  CSkinButton* placed = new CSkinButton(&dialog, 5);
  SetImages(*placed, Solid(Qt::yellow, QSize(30, 12)), Solid(Qt::red, QSize(30, 12)));
  dialog.PlaceButton(placed, QPoint(100, 20), 0);
  EXPECT_EQ(placed->geometry(), QRect(100, 20, 30, 12));
  EXPECT_EQ(placed->NormalImage().size(), QSize(30, 12));
  EXPECT_EQ(placed->NormalImage().pixelColor(3, 3), QColor(0, 0, 200));
}

}  // namespace
