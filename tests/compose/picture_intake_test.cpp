#include "compose/picture_intake.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/lead.h"
#include "compose_window_test.h"
#include "test_environment.h"
#include "window_input.h"

namespace {

QString WritePicture(const QString& name, QRgb colour) {
  QImage image(120, 90, QImage::Format_RGB32);
  image.fill(colour);
  const QString path = testenv::ProgramDir() + "/" + name;
  EXPECT_TRUE(image.save(path));
  return path;
}

class PictureIntake : public ComposeWindowTest {
 protected:
  void SetUp() override {
    ComposeWindowTest::SetUp();
    if (HasFatalFailure()) return;
    window->SwitchTab(CMaterialPanel::kCharacterTab);
  }

  // Drags files over the window's canvas and drops them; whether the window took the drag.
  bool Drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    const QPoint at = testenv::InWindow(window->Canvas().Canvas());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    return drop.isAccepted();
  }
};

TEST_F(PictureIntake, DroppedPicturesFillSlotsAndTheFirstBecomesTheMainPicture) {
  const QString red = WritePicture("red.png", qRgb(220, 0, 0));
  const QString blue = WritePicture("blue.bmp", qRgb(0, 0, 220));
  const QString text = testenv::ProgramDir() + "/notes.txt";
  QFile(text).open(QIODevice::WriteOnly);

  EXPECT_FALSE(Drop({text}));
  EXPECT_TRUE(window->Canvas().MainPicturePath().isEmpty());
  EXPECT_EQ(window->ComposeMode(), CMaterialPanel::kCharacterTab);

  EXPECT_TRUE(Drop({red, text, blue}));
  EXPECT_EQ(window->ComposeMode(), CMaterialPanel::kPictureTab);
  EXPECT_EQ(window->Canvas().MainPicturePath(), red);
  EXPECT_EQ(window->Canvas().CaptureImage().pixel(48, 45), qRgb(220, 0, 0));
  EXPECT_EQ(window->Materials().RecentPictures()[0], red);
  EXPECT_EQ(window->Materials().RecentPictures()[1], blue);
  QString stored;
  store.ReadValue("LeadMain01", stored);
  EXPECT_EQ(stored, blue);
}

TEST_F(PictureIntake, PastedPictureIsKeptAsAFileAndBecomesTheMainPicture) {
  QGuiApplication::clipboard()->setText("no picture here");
  testenv::WindowKey(window.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(window->Canvas().MainPicturePath().isEmpty());

  QImage shot(200, 150, QImage::Format_RGB32);
  shot.fill(qRgb(10, 180, 40));
  QGuiApplication::clipboard()->setImage(shot);
  testenv::WindowKey(window.get(), Qt::Key_V, Qt::ControlModifier);
  const QString kept = window->Canvas().MainPicturePath();
  EXPECT_TRUE(kept.startsWith(testenv::ConfigDir() + "/data/Quillora/pictures/"))
      << kept.toStdString();
  EXPECT_TRUE(QFile::exists(kept));
  EXPECT_EQ(window->Materials().RecentPictures()[0], kept);
  EXPECT_EQ(window->Canvas().CaptureImage().pixel(48, 45), qRgb(10, 180, 40));

  // However thin, a pasted picture is kept, shown in its thumbnail and becomes the main one.
  QImage strip(20, 2000, QImage::Format_RGB32);
  strip.fill(qRgb(200, 0, 120));
  QGuiApplication::clipboard()->setImage(strip);
  testenv::WindowKey(window.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_NE(window->Canvas().MainPicturePath(), kept);
  EXPECT_EQ(window->Materials().RecentPictures()[0], window->Canvas().MainPicturePath());
  EXPECT_EQ(window->Materials().Thumbnail(CMaterialPanel::kPictureTab, 0)->width(), 1);
}

}  // namespace
