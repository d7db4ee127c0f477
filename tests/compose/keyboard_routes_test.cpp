// The composition window and its chooser worked with the keyboard alone, through the window as
// keys arrive.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/lead.h"
#include "compose/picture_chooser_dlg.h"
#include "compose/tone_knob.h"
#include "compose/user_settings_dlg.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "widgets/shell/file_list_ctrl.h"
#include "window_input.h"

namespace {

QString MakePicture(const QString& folder, const QString& name, QRgb color) {
  QDir().mkpath(testenv::ProgramDir() + "/" + folder);
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(qRgb(255, 0, 255));
  image.setPixel(20, 15, color);
  const QString path = testenv::ProgramDir() + "/" + folder + "/" + name;
  EXPECT_TRUE(image.save(path, "BMP"));
  return path;
}

// The sum of the grey levels of a picture.
int Brightness(const QImage& image) {
  int sum = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) sum += qGray(image.pixel(x, y));
  return sum;
}

class KeyboardRoutesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
    photo = MakePicture("photos", "beach.bmp", qRgb(10, 120, 200));
    store.WriteValue("LeadMain00", photo);
    MakePicture("item/Animals", "cat.bmp", qRgb(0, 200, 0));
    MakePicture("item/Animals", "dog.bmp", qRgb(200, 0, 0));
    pictures = testenv::ProgramDir() + "/Pictures";
    MakePicture("Pictures/album", "red.bmp", qRgb(220, 30, 30));
    MakePicture("Pictures", "quail.bmp", qRgb(40, 40, 210));
    QFile dirs(testenv::ConfigDir() + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write(QString("XDG_PICTURES_DIR=\"%1\"\n").arg(pictures).toUtf8());
    dirs.close();
    window = std::make_unique<CComposeDlg>(store);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  // Presses Tab until `target` has the focus; false when a whole round does not reach it.
  bool TabTo(QWidget* target) {
    for (int i = 0; i < 60 && QApplication::focusWidget() != target; ++i)
      testenv::WindowKey(window.get(), Qt::Key_Tab);
    return QApplication::focusWidget() == target;
  }

  QString FocusName() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus ? focus->accessibleName() : QString();
  }

  CSettingsStore store;
  QString photo;
  QString pictures;
  std::unique_ptr<CComposeDlg> window;
};

// Tab goes round the window as it reads, left column first, and every stop has its name.
TEST_F(KeyboardRoutesTest, TabFollowsTheScreenAndMarksOnlyKeyboardFocus) {
  CSkinButton* preview = window->Button(CComposeDlg::kPreviewButton);
  ASSERT_TRUE(TabTo(preview));
  QStringList names{FocusName()};
  for (int i = 0; i < 40; ++i) {
    testenv::WindowKey(window.get(), Qt::Key_Tab);
    if (QApplication::focusWidget() == preview) break;
    names << FocusName();
  }
  QStringList expected{"プレビュー", "クリア", "リセット", "拡大", "縮小", "明るさ", "送信",
                       "保存", "設定", "ホーム", "アルバム", "アルバム編集", "写真",
                       "メッセージ", "キャラ", "開く", "写真 1: beach.bmp"};
  for (int slot = 2; slot <= 10; ++slot) expected << QString("写真 %1").arg(slot);
  expected << "ヘルプ" << "終了";
  EXPECT_EQ(names, expected);

  // The focus shows on the button as a mark; a click elsewhere takes it away.
  CSkinButton* save = window->Button(CComposeDlg::kSaveButton);
  const QImage before = save->grab().toImage();
  ASSERT_TRUE(TabTo(save));
  EXPECT_TRUE(save->IsFocusMarkDrawn());
  EXPECT_NE(save->grab().toImage(), before);
  CLead* thumbnail = window->Materials().Thumbnail(CMaterialPanel::kPictureTab, 1);
  testenv::WindowClickOn(window.get(), thumbnail);
  EXPECT_TRUE(thumbnail->hasFocus());
  EXPECT_FALSE(thumbnail->IsFocusMarkDrawn());
  EXPECT_EQ(save->grab().toImage(), before);
}

// Space or Enter on a thumbnail does what its click does; Enter presses the focused button.
TEST_F(KeyboardRoutesTest, ThumbnailsAndButtonsAnswerSpaceAndEnter) {
  CLead* first = window->Materials().Thumbnail(CMaterialPanel::kPictureTab, 0);
  ASSERT_TRUE(TabTo(first));
  EXPECT_TRUE(first->IsFocusMarkDrawn());
  testenv::WindowKey(window.get(), Qt::Key_Space);
  EXPECT_EQ(window->Canvas().MainPicturePath(), photo);
  EXPECT_EQ(window->Canvas().Canvas()->accessibleName(), QStringLiteral("キャンバス: beach.bmp"));

  ASSERT_TRUE(TabTo(window->Button(CComposeDlg::kCharacterTabButton)));
  testenv::WindowKey(window.get(), Qt::Key_Return);
  ASSERT_EQ(window->ComposeMode(), CMaterialPanel::kCharacterTab);
  CLead* cat = window->Materials().Thumbnail(CMaterialPanel::kCharacterTab, 0);
  CLead* dog = window->Materials().Thumbnail(CMaterialPanel::kCharacterTab, 1);
  EXPECT_EQ(dog->accessibleName(), QStringLiteral("Animals 2"));
  ASSERT_TRUE(TabTo(cat));
  testenv::WindowKey(window.get(), Qt::Key_Space);
  ASSERT_TRUE(TabTo(dog));
  testenv::WindowKey(window.get(), Qt::Key_Enter);
  EXPECT_EQ(window->Canvas().NextCharacterSlot(), 2);
  EXPECT_EQ(window->Materials().SelectedThumb(CMaterialPanel::kCharacterTab), 1);

  ASSERT_TRUE(TabTo(window->Button(CComposeDlg::kUserSettingsButton)));
  testenv::WindowKey(window.get(), Qt::Key_Return);
  EXPECT_TRUE(window->UserSettings()->isVisible());
  window->UserSettings()->hide();
}

// The knob steps with Left and Right, and the picture's tone follows each step.
TEST_F(KeyboardRoutesTest, KnobMovesWithLeftAndRight) {
  ASSERT_TRUE(window->Canvas().LoadMainPicture(photo));
  CToneKnob* knob = window->Canvas().Knob();
  ASSERT_TRUE(TabTo(knob));
  EXPECT_TRUE(knob->IsFocusMarkDrawn());
  const int untoned = Brightness(window->Canvas().CaptureImage());
  testenv::WindowKey(window.get(), Qt::Key_Right);
  testenv::WindowKey(window.get(), Qt::Key_Right);
  EXPECT_EQ(knob->Offset(), 2 * CToneKnob::kKeyStep);
  EXPECT_EQ(window->Canvas().AdjustAmount(), 2 * CToneKnob::kKeyStep);
  EXPECT_GT(Brightness(window->Canvas().CaptureImage()), untoned);
  for (int i = 0; i < 30; ++i) testenv::WindowKey(window.get(), Qt::Key_Left);
  EXPECT_EQ(knob->Offset(), -(CToneKnob::kRange - 1));  // as far as a drag goes
  EXPECT_EQ(window->Canvas().AdjustAmount(), -(CToneKnob::kRange - 1));
}

// From the open button to a chosen picture without the mouse: Tab into the list, the highlight
// and preview follow the arrows, Enter opens a folder and then takes the picture.
TEST_F(KeyboardRoutesTest, ChooserIsWorkedWithArrowsAndEnter) {
  ASSERT_TRUE(TabTo(window->Button(CComposeDlg::kOpenButton)));
  testenv::WindowKey(window.get(), Qt::Key_Return);
  CPictureChooserDlg* chooser = window->PictureChooser();
  ASSERT_TRUE(chooser && QTest::qWaitForWindowActive(chooser));
  CFileListCtrl* list = chooser->FileList();
  for (int i = 0; i < 10 && QApplication::focusWidget() != list; ++i)
    testenv::WindowKey(chooser, Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), list);
  ASSERT_EQ(list->currentItem()->text(), QStringLiteral("album"));
  testenv::WindowKey(chooser, Qt::Key_Down);
  ASSERT_EQ(list->currentItem()->text(), QStringLiteral("quail.bmp"));
  EXPECT_TRUE(chooser->Preview()->isVisible());
  testenv::WindowKey(chooser, Qt::Key_Up);
  EXPECT_FALSE(chooser->Preview()->isVisible());  // a folder has no preview
  testenv::WindowKey(chooser, Qt::Key_Return);
  EXPECT_EQ(list->CurrentFolder(), pictures + "/album");
  testenv::WindowKey(chooser, Qt::Key_Down);
  ASSERT_EQ(list->currentItem()->text(), QStringLiteral("red.bmp"));
  testenv::WindowKey(chooser, Qt::Key_Return);
  EXPECT_FALSE(chooser->isVisible());
  EXPECT_EQ(window->Canvas().MainPicturePath(), pictures + "/album/red.bmp");
}

}  // namespace
