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

const QPoint kOk(417 + 40, 254 + 16);

QImage Solid(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// A pictures folder named the way the desktop names it, holding two photos and a damaged one.
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
    ASSERT_TRUE(Solid(90, 60, qRgb(40, 40, 210)).save(pictures + "/quail.png"));
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

  // Opens the chooser with the open button of the picture tab.
  static CPictureChooserDlg* OpenChooser(CComposeDlg& window) {
    CSkinButton* open = window.Button(CComposeDlg::kOpenButton);
    testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(open));
    CPictureChooserDlg* chooser = window.PictureChooser();
    EXPECT_TRUE(chooser && chooser->isVisible());
    EXPECT_TRUE(chooser && QTest::qWaitForWindowExposed(chooser));
    return chooser;
  }

  // Selects a slot of the picture tab, then chooses a picture of the list into it with OK.
  static void ChooseIntoSlot(CComposeDlg& window, int slot, const QString& name) {
    CLead* thumbnail = window.Materials().Thumbnail(CMaterialPanel::kPictureTab, slot);
    testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(thumbnail));
    CPictureChooserDlg* chooser = OpenChooser(window);
    ClickItem(chooser, name);
    testenv::WindowClick(chooser, Qt::LeftButton, kOk);
    EXPECT_FALSE(chooser->isVisible());
  }

  CSettingsStore store;
  QString pictures;
};

TEST_F(PictureChooserTest, ChosenPictureGoesIntoTheSelectedSlotAndIsMainUntilAnotherIsClicked) {
  CComposeDlg window(store);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  CPictureChooserDlg* chooser = OpenChooser(window);
  EXPECT_EQ(chooser->FileList()->CurrentFolder(), pictures);

  ClickItem(chooser, "damaged.jpg");
  EXPECT_FALSE(chooser->Preview()->isVisible());
  ClickItem(chooser, "photo.png");
  EXPECT_TRUE(chooser->Preview()->isVisible());
  // Fitted into the 60 x 60 preview: 60 x 40, centred.
  EXPECT_EQ(chooser->Preview()->DestinationRect(), QRectF(0, 10, 60, 40));

  testenv::WindowClick(chooser, Qt::LeftButton, kOk);
  EXPECT_FALSE(chooser->isVisible());
  const QString photo = pictures + "/photo.png";
  EXPECT_EQ(window.Materials().RecentPictures()[0], photo);
  QString stored;
  store.ReadValue("LeadMain00", stored);
  EXPECT_EQ(stored, photo);
  CLead* thumbnail = window.Materials().Thumbnail(CMaterialPanel::kPictureTab, 0);
  EXPECT_EQ(thumbnail->geometry().size(), QSize(70, 46));
  EXPECT_EQ(thumbnail->Bitmap().size(), QSize(70, 46));  // no more than the cell needs
  // The canvas had no picture: the chosen one shows at once.
  EXPECT_EQ(window.Canvas().MainPicturePath(), photo);
  EXPECT_EQ(window.Canvas().CaptureImage().pixel(48, 45), qRgb(30, 160, 90));

  // With a main picture, the next one waits in its slot until its thumbnail is clicked.
  ChooseIntoSlot(window, 1, "quail.png");
  EXPECT_EQ(window.Materials().RecentPictures()[1], pictures + "/quail.png");
  EXPECT_EQ(window.Canvas().MainPicturePath(), photo);
  CLead* second = window.Materials().Thumbnail(CMaterialPanel::kPictureTab, 1);
  testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(second));
  EXPECT_EQ(window.Canvas().MainPicturePath(), pictures + "/quail.png");
  EXPECT_EQ(window.Canvas().CaptureImage().pixel(48, 45), qRgb(40, 40, 210));

  // Opened again, the chooser shows the folder it showed last.
  chooser->FileList()->ListFolder(testenv::ProgramDir());
  OpenChooser(window);
  EXPECT_EQ(chooser->FileList()->CurrentFolder(), testenv::ProgramDir());
}

// The arrow keys move the highlight and the preview with it; Enter opens a highlighted folder
// and takes a highlighted picture, not the one clicked before.
TEST_F(PictureChooserTest, EnterTakesTheHighlightedEntry) {
  ASSERT_TRUE(QDir().mkpath(pictures + "/album"));
  ASSERT_TRUE(Solid(20, 30, qRgb(220, 30, 30)).save(pictures + "/album/red.png"));
  CComposeDlg window(store);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  CPictureChooserDlg* chooser = OpenChooser(window);
  CFileListCtrl* list = chooser->FileList();
  ASSERT_EQ(list->item(0)->text(), QStringLiteral("album"));

  ClickItem(chooser, "photo.png");
  testenv::WindowKey(chooser, Qt::Key_Down);
  ASSERT_EQ(list->currentItem()->text(), QStringLiteral("quail.png"));
  EXPECT_EQ(chooser->Preview()->RenderFace().pixel(30, 30), qRgb(40, 40, 210));
  testenv::WindowKey(chooser, Qt::Key_Home);
  EXPECT_FALSE(chooser->Preview()->isVisible());  // a folder has no preview
  testenv::WindowKey(chooser, Qt::Key_Return);
  EXPECT_TRUE(chooser->isVisible());
  EXPECT_EQ(list->CurrentFolder(), pictures + "/album");

  testenv::WindowKey(chooser, Qt::Key_Down);
  ASSERT_EQ(list->currentItem()->text(), QStringLiteral("red.png"));
  testenv::WindowKey(chooser, Qt::Key_Return);
  EXPECT_FALSE(chooser->isVisible());
  EXPECT_EQ(window.Materials().RecentPictures()[0], pictures + "/album/red.png");
  EXPECT_EQ(window.Canvas().MainPicturePath(), pictures + "/album/red.png");
}

// However thin a picture is, it is read, chosen and shown as a line of at least one pixel.
TEST_F(PictureChooserTest, PicturesOfExtremeProportionsCanBeChosen) {
  QImage wide = Solid(2000, 20, qRgb(250, 200, 0));
  wide.setPixel(0, 0, qRgb(255, 255, 255));  // the key colour of its thumbnail
  ASSERT_TRUE(wide.save(pictures + "/wide.png"));
  ASSERT_TRUE(Solid(20, 2000, qRgb(0, 120, 250)).save(pictures + "/tall.png"));
  CComposeDlg window(store);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ChooseIntoSlot(window, 0, "wide.png");
  CLead* first = window.Materials().Thumbnail(CMaterialPanel::kPictureTab, 0);
  EXPECT_EQ(window.Materials().RecentPictures()[0], pictures + "/wide.png");
  EXPECT_EQ(first->geometry(), QRect(207, 171 + 27, 70, 1));
  EXPECT_EQ(first->RenderFace().pixel(35, 0), qRgb(250, 200, 0));
  EXPECT_EQ(window.Canvas().MainPicturePath(), pictures + "/wide.png");

  ChooseIntoSlot(window, 1, "tall.png");
  EXPECT_EQ(window.Materials().RecentPictures()[1], pictures + "/tall.png");
  const CLead* second = window.Materials().Thumbnail(CMaterialPanel::kPictureTab, 1);
  EXPECT_EQ(second->geometry().size(), QSize(1, 54));
}

}  // namespace
