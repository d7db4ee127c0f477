#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTest>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/lead.h"
#include "compose/picture_chooser_dlg.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "widgets/shell/file_list_ctrl.h"
#include "window_input.h"

namespace {

// A pictures folder named the way the desktop names it, holding a photo and a damaged one.
class PictureChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
    pictures = testenv::ProgramDir() + "/Pictures";
    ASSERT_TRUE(QDir().mkpath(pictures));
    QImage photo(120, 80, QImage::Format_RGB32);
    photo.fill(qRgb(30, 160, 90));
    photo.setPixel(0, 0, qRgb(250, 250, 250));
    ASSERT_TRUE(photo.save(pictures + "/photo.png", "PNG"));
    QFile damaged(pictures + "/damaged.jpg");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\xFF\xD8\xFF\xE0 not really a picture");
    damaged.close();
    QFile dirs(testenv::ConfigDir() + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write(QString("XDG_PICTURES_DIR=\"%1\"\n").arg(pictures).toUtf8());
  }

  // Clicks the list item with the given text through the chooser's window.
  static void ClickItem(CPictureChooserDlg* chooser, const QString& text) {
    CFileListCtrl* list = chooser->FileList();
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    const QPoint at = list->visualItemRect(found[0]).center();
    testenv::WindowClick(chooser, Qt::LeftButton, testenv::InWindow(list->viewport(), at));
  }

  CSettingsStore store;
  QString pictures;
};

TEST_F(PictureChooserTest, ChosenPictureGoesIntoTheSelectedSlotAndBecomesMainWhenClicked) {
  CComposeDlg window(store);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  CSkinButton* open = window.Button(CComposeDlg::kOpenButton);
  testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(open));
  CPictureChooserDlg* chooser = window.PictureChooser();
  ASSERT_NE(chooser, nullptr);
  ASSERT_TRUE(chooser->isVisible());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
  EXPECT_EQ(chooser->FileList()->CurrentFolder(), pictures);

  ClickItem(chooser, "damaged.jpg");
  EXPECT_FALSE(chooser->Preview()->isVisible());
  ClickItem(chooser, "photo.png");
  EXPECT_TRUE(chooser->Preview()->isVisible());
  // Fitted into the 60 x 60 preview: 60 x 40, centred.
  EXPECT_EQ(chooser->Preview()->DestinationRect(), QRectF(0, 10, 60, 40));

  testenv::WindowClick(chooser, Qt::LeftButton, QPoint(417 + 40, 254 + 16));  // OK
  EXPECT_FALSE(chooser->isVisible());
  const QString photo = pictures + "/photo.png";
  EXPECT_EQ(window.Materials().RecentPictures()[0], photo);
  QString stored;
  store.ReadValue("LeadMain00", stored);
  EXPECT_EQ(stored, photo);
  CLead* thumbnail = window.Materials().Thumbnail(CMaterialPanel::kPictureTab, 0);
  EXPECT_EQ(thumbnail->geometry().size(), QSize(70, 46));
  EXPECT_EQ(thumbnail->Bitmap().size(), QSize(70, 46));  // no more than the cell needs
  EXPECT_TRUE(window.Canvas().MainPicturePath().isEmpty());

  testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(thumbnail));
  EXPECT_EQ(window.Canvas().MainPicturePath(), photo);
  EXPECT_EQ(window.Canvas().CaptureImage().pixel(48, 45), qRgb(30, 160, 90));

  // Opened again, the chooser shows the folder it showed last.
  chooser->FileList()->ListFolder(testenv::ProgramDir());
  testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(open));
  EXPECT_EQ(chooser->FileList()->CurrentFolder(), testenv::ProgramDir());
}

}  // namespace
