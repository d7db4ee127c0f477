#include "skin/skin_dlg.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "skin/skin_button.h"
#include "window_input.h"

namespace {

// A rounded panel on magenta, as the program's backgrounds are drawn.
QImage PanelBitmap() {
  QImage image(120, 80, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  painter.fillRect(QRect(10, 0, 100, 80), QColor(240, 230, 200));
  painter.fillRect(QRect(0, 10, 120, 60), QColor(240, 230, 200));
  return image;
}

TEST(CSkinDlg, TakesItsBitmapsSizeAndShapeAndLosesItsFrame) {
  CSkinDlg dialog(1);
  dialog.SetBackgroundBitmap(PanelBitmap());
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.size(), QSize(120, 80));
  EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
  const QRegion mask = dialog.mask();
  EXPECT_TRUE(mask.contains(QPoint(60, 40)));
  EXPECT_TRUE(mask.contains(QPoint(10, 0)));
  EXPECT_FALSE(mask.contains(QPoint(0, 0)));
  EXPECT_FALSE(mask.contains(QPoint(119, 79)));
  // The background is what the window shows; outside the outline it is transparent, for a
  // compositor that draws the whole window whatever its region.
  const QImage shown = dialog.grab().toImage();
  EXPECT_EQ(shown.pixelColor(60, 40), QColor(240, 230, 200));
  EXPECT_TRUE(dialog.testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(shown.pixel(119, 79)), 0);
  EXPECT_EQ(qAlpha(shown.pixel(10, 0)), 255);
}

TEST(CSkinDlg, ANewBackgroundOnAShownWindowKeepsItsOutsideTransparent) {
  CSkinDlg dialog(1);
  dialog.SetBackgroundBitmap(PanelBitmap());
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QImage other = PanelBitmap();
  QPainter(&other).fillRect(QRect(20, 20, 80, 40), QColor(90, 160, 220));
  dialog.SetBackgroundBitmap(other);  // as the composition window does when its tab changes
  const QImage shown = dialog.grab().toImage();
  EXPECT_EQ(shown.pixelColor(60, 40), QColor(90, 160, 220));
  EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(shown.pixel(119, 79)), 0);
}

TEST(CSkinDlg, UseRegionOffKeepsTheRectangle) {
  CSkinDlg dialog(1);
  dialog.SetBackgroundBitmap(PanelBitmap());
  dialog.SetUseRegion(false);
  dialog.Create();
  EXPECT_TRUE(dialog.mask().isEmpty());
  EXPECT_FALSE(dialog.testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_EQ(dialog.size(), QSize(120, 80));
}

TEST(CSkinDlg, WithoutBitmapKeepsItsFrameAndRectangularShape) {
  CSkinDlg dialog(1);
  dialog.resize(150, 90);
  dialog.Create();
  EXPECT_FALSE(dialog.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowTitleHint);
  EXPECT_TRUE(dialog.mask().isEmpty());
}

TEST(CSkinDlg, DraggingAnyFreePointMovesTheWholeDialog) {
  CSkinDlg dialog(1);
  dialog.SetBackgroundBitmap(PanelBitmap());
  dialog.move(100, 100);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  const QPoint start = dialog.pos();
  QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(50, 50));
  QMouseEvent move(QEvent::MouseMove, QPointF(80, 70), dialog.mapToGlobal(QPointF(80, 70)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &move);
  QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(80, 70));
  EXPECT_EQ(dialog.pos(), start + QPoint(30, 20));
}

TEST(CSkinDlg, EscapeCancelsAndEnterConfirmsAModalRun) {
  CSkinDlg dialog(1);
  dialog.SetBackgroundBitmap(PanelBitmap());
  QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

TEST(CSkinDlg, ButtonsOneAndTwoEndTheDialog) {
  CSkinDlg dialog(1);
  dialog.SetBackgroundBitmap(PanelBitmap());
  CSkinButton* ok = dialog.CreateButton(1, 0);
  CSkinButton* cancel = dialog.CreateButton(2, 0);
  ok->setGeometry(10, 10, 20, 20);
  cancel->setGeometry(40, 10, 20, 20);
  QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(cancel, Qt::LeftButton); });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(ok, Qt::LeftButton); });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  // Enter presses the button that Tab gave the focus.
  QTimer::singleShot(0, &dialog, [&] {
    ok->setFocus();
    testenv::WindowKey(&dialog, Qt::Key_Tab);
    testenv::WindowKey(&dialog, Qt::Key_Return);
  });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

}  // namespace
