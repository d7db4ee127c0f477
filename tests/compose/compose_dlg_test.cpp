#include "compose/compose_dlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/lead.h"
#include "compose/phone_preview_wnd.h"
#include "compose/picture_chooser_dlg.h"
#include "compose/user_settings_dlg.h"
#include "platform/bitmap_resource.h"
#include "resources/resource_ids.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "test_files.h"
#include "window_input.h"

namespace {

class ComposeDlgTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full)); }

  QString StoredPosition() {
    QString value;
    store.ReadValue("MainFramePosition", value);
    return value;
  }

  // Runs the window modally; `during` runs once it is up, then the quit button closes it.
  void RunAndQuit(CComposeDlg& window, std::function<void()> during = {}) {
    QTimer::singleShot(0, &window, [&window, during] {
      if (during) during();
      QTest::mouseClick(window.QuitButton(), Qt::LeftButton);
    });
    window.exec();
  }

  static QPoint ScreenCentreFor(const QSize& size) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return screen.center() - QPoint(size.width() / 2, size.height() / 2);
  }

  CSettingsStore store;
};

TEST_F(ComposeDlgTest, IsShapedAfterThePictureTabBackground) {
  CComposeDlg window(store);
  window.Create();
  const QImage background = LoadBitmapResource(BitmapId::ComposePicture);
  EXPECT_EQ(window.size(), background.size());
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(window.mask().isEmpty());
  EXPECT_FALSE(window.mask().contains(QPoint(0, background.height() - 1)));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillora"));
  EXPECT_EQ(window.QuitButton()->pos(), QPoint(315, 524));
  EXPECT_EQ(window.QuitButton()->toolTip(), QStringLiteral("Quilloraを終了する"));
}

TEST_F(ComposeDlgTest, EveryButtonSitsAtItsPlaceWithItsTooltip) {
  struct Expected {
    int id;
    QPoint position;
    const char* tooltip;
  };
  const Expected buttons[] = {{1010, {189, 110}, "写真やイラスト"},
                              {1022, {253, 110}, "メッセージ素材"},
                              {1011, {317, 110}, "イラスト素材"},
                              {1027, {284, 142}, "画像の読み込み"},
                              {1026, {0, 0}, "？？？"},
                              {1030, {31, 334}, "画像とメッセージを送る"},
                              {2, {315, 524}, "Quilloraを終了する"},
                              {1, {30, 365}, "編集画像の保存"},
                              {1025, {116, 243}, "縮小する"},
                              {1024, {54, 243}, "拡大する"},
                              {1033, {117, 107}, "画像のリセット"},
                              {1034, {28, 107}, "画像のクリア"},
                              {1043, {20, 397}, "Quilloraホームページへ"},
                              {1044, {100, 407}, "公開アルバムを見る"},
                              {1045, {89, 435}, "アルバムを編集する"},
                              {1039, {101, 365}, "ユーザー設定"},
                              {1055, {243, 523}, "ヘルプを表示"}};
  CComposeDlg window(store);
  window.Create();
  for (const Expected& expected : buttons) {
    SCOPED_TRACE(expected.id);
    CSkinButton* button = window.Button(expected.id);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->pos(), expected.position);
    EXPECT_EQ(button->size(), button->HoverImage().size());
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(expected.tooltip));
    // Its idle look is the window's own, transparent too where the window's outline leaves it.
    EXPECT_EQ(button->NormalImage(), window.ScreenBackground().copy(button->geometry()));
  }
}

TEST_F(ComposeDlgTest, ClosingSavesPositionAndFirstRunMark) {
  CComposeDlg window(store);
  store.WriteValue("MainFramePosition", "140,60");
  RunAndQuit(window, [&] { window.move(150, 70); });
  EXPECT_EQ(StoredPosition(), QStringLiteral("150,70"));
  EXPECT_TRUE(store.ReadFirstRunMark());
}

TEST_F(ComposeDlgTest, OpeningRestoresTheSavedPosition) {
  store.WriteValue("MainFramePosition", "140,60");
  CComposeDlg window(store);
  QPoint shown;
  RunAndQuit(window, [&] { shown = window.pos(); });
  EXPECT_EQ(shown, QPoint(140, 60));
}

TEST_F(ComposeDlgTest, InvalidSavedPositionCentresTheWindow) {
  for (const char* saved : {"0,60", "-3,-3", "99999,10", "garbage", ""}) {
    store.WriteValue("MainFramePosition", saved);
    CComposeDlg window(store);
    QPoint shown;
    RunAndQuit(window, [&] { shown = window.pos(); });
    EXPECT_EQ(shown, ScreenCentreFor(window.size())) << saved;
  }
}

TEST_F(ComposeDlgTest, EscapeAndEnterDoNotCloseTheWindow) {
  CComposeDlg window(store);
  bool stillOpen = false;
  RunAndQuit(window, [&] {
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Enter);
    stillOpen = window.isVisible();
  });
  EXPECT_TRUE(stillOpen);
}

// Compositors place the windows the composition window opens over it and keep them above.
TEST_F(ComposeDlgTest, WindowsItOpensHaveItAsTheirTransientParent) {
  CComposeDlg window(store);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const auto click = [&window](int id) {
    testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(window.Button(id)));
  };
  click(CComposeDlg::kOpenButton);
  click(CComposeDlg::kUserSettingsButton);
  click(CComposeDlg::kPreviewButton);
  for (QWidget* opened : std::initializer_list<QWidget*>{window.PictureChooser(),
                                                         window.UserSettings(), window.Preview()}) {
    ASSERT_TRUE(opened->isVisible());
    EXPECT_EQ(opened->windowHandle()->transientParent(), window.windowHandle());
  }
}

// Material folders: item/<category>/ and message/<category>/ beside the program.
QString MakeMaterial(const QString& folder, const QString& name, QRgb color) {
  QDir().mkpath(testenv::ProgramDir() + "/" + folder);
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(qRgb(255, 0, 255));
  image.setPixel(20, 15, color);
  const QString path = testenv::ProgramDir() + "/" + folder + "/" + name;
  EXPECT_TRUE(image.save(path, "BMP"));
  return path;
}

TEST_F(ComposeDlgTest, RecentPicturesAndCategoriesComeBackAfterClosing) {
  const QString picture = MakeMaterial("photos", "p.bmp", qRgb(1, 2, 3));
  MakeMaterial("item/Animals", "cat.bmp", qRgb(9, 9, 9));
  MakeMaterial("item/Birds", "owl.bmp", qRgb(9, 9, 9));
  MakeMaterial("message/Hello", "hi.bmp", qRgb(9, 9, 9));
  store.WriteValue("LeadMain03", picture);
  store.WriteValue("LeadChar", "bir");  // a prefix, in any case
  store.WriteValue("LeadMessage", "Hello");
  {
    CComposeDlg window(store);
    RunAndQuit(window, [&] {
      EXPECT_EQ(window.Materials().RecentPictures()[3], picture);
      EXPECT_TRUE(QTest::qWaitFor([&] {
        return window.Materials().Thumbnail(CMaterialPanel::kPictureTab, 3)->HasBitmap();
      }));
      EXPECT_EQ(window.Materials().CharacterCombo()->currentText(), QStringLiteral("Birds"));
      EXPECT_EQ(window.Materials().CharacterFiles()[0],
                testenv::ProgramDir() + "/item/Birds/owl.bmp");
      EXPECT_EQ(window.Materials().MessageCombo()->currentText(), QStringLiteral("Hello"));
    });
  }
  QString value;
  store.ReadValue("LeadMain03", value);
  EXPECT_EQ(value, picture);
  store.ReadValue("LeadMain00", value);
  EXPECT_EQ(value, QString());
  store.ReadValue("LeadChar", value);
  EXPECT_EQ(value, QStringLiteral("Birds"));
  store.ReadValue("LeadMessage", value);
  EXPECT_EQ(value, QStringLiteral("Hello"));
}

// The window shows before the recent pictures are read; their thumbnails fill in slot order, and
// a thumbnail not read yet already loads its picture.
TEST_F(ComposeDlgTest, WindowShowsAtOnceAndRecentThumbnailsFillInOrder) {
  std::vector<QString> pictures;
  for (int slot = 0; slot < CMaterialPanel::kSlots; ++slot) {
    QImage picture(140, 108, QImage::Format_RGB32);
    picture.fill(qRgb(20 * slot, 5, 9));
    pictures.push_back(testenv::ProgramDir() + QString("/p%1.bmp").arg(slot));
    ASSERT_TRUE(picture.save(pictures.back()));
    store.WriteValue(QString("LeadMain%1").arg(slot, 2, 10, QLatin1Char('0')), pictures.back());
  }
  CComposeDlg window(store);
  window.show();
  const CMaterialPanel& materials = window.Materials();
  auto filled = [&](int slot) {
    return materials.Thumbnail(CMaterialPanel::kPictureTab, slot)->HasBitmap();
  };
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(filled(0));
  CLead* fifth = materials.Thumbnail(CMaterialPanel::kPictureTab, 4);
  testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(fifth, {3, 3}));
  EXPECT_EQ(window.Canvas().MainPicturePath(), pictures[4]);
  EXPECT_EQ(window.Canvas().CaptureImage().pixel(48, 45), qRgb(80, 5, 9));

  QElapsedTimer waiting;
  waiting.start();
  while (!filled(CMaterialPanel::kSlots - 1) && waiting.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    for (int slot = 1; slot < CMaterialPanel::kSlots; ++slot)
      ASSERT_TRUE(filled(slot - 1) || !filled(slot)) << slot;
  }
  for (int slot = 0; slot < CMaterialPanel::kSlots; ++slot) {
    const CLead* thumbnail = materials.Thumbnail(CMaterialPanel::kPictureTab, slot);
    ASSERT_TRUE(thumbnail->HasBitmap()) << slot;
    EXPECT_EQ(thumbnail->Bitmap().pixel(35, 27), qRgb(20 * slot, 5, 9)) << slot;
  }
  EXPECT_EQ(window.Canvas().MainPicturePath(), pictures[4]);
  EXPECT_EQ(materials.SelectedThumb(CMaterialPanel::kPictureTab), 4);
}

TEST_F(ComposeDlgTest, CategoryListsOnlyUsableFiles) {
  MakeMaterial("item/Mixed", "a.JPG.keep", qRgb(1, 1, 1));
  QFile::rename(testenv::ProgramDir() + "/item/Mixed/a.JPG.keep",
                testenv::ProgramDir() + "/item/Mixed/a.JPG");
  MakeMaterial("item/Mixed", "b.png", qRgb(1, 1, 1));
  MakeMaterial("item/Mixed", "c.gif", qRgb(1, 1, 1));
  MakeMaterial("item/Mixed", "d.x.bmp", qRgb(1, 1, 1));  // the extension runs from the first dot
  const QStringList files = CMaterialPanel::UsableFiles(testenv::ProgramDir() + "/item/Mixed");
  QStringList names;
  for (const QString& file : files) names << QFileInfo(file).fileName();
  names.sort();
  EXPECT_EQ(names, (QStringList{"a.JPG", "c.gif"}));
}

TEST_F(ComposeDlgTest, TabsShowTheirOwnThumbnailsListsAndBackground) {
  MakeMaterial("item/Animals", "cat.bmp", qRgb(9, 9, 9));
  CComposeDlg window(store);
  RunAndQuit(window, [&] {
    CMaterialPanel& materials = window.Materials();
    EXPECT_TRUE(window.Button(CComposeDlg::kOpenButton)->isVisible());
    EXPECT_FALSE(materials.CharacterCombo()->isVisible());
    window.Button(CComposeDlg::kCharacterTabButton)->click();
    EXPECT_EQ(window.ComposeMode(), CMaterialPanel::kCharacterTab);
    EXPECT_TRUE(materials.CharacterCombo()->isVisible());
    EXPECT_FALSE(materials.MessageCombo()->isVisible());
    EXPECT_FALSE(window.Button(CComposeDlg::kOpenButton)->isVisible());
    EXPECT_TRUE(materials.Thumbnail(CMaterialPanel::kCharacterTab, 0)->isVisible());
    EXPECT_FALSE(materials.Thumbnail(CMaterialPanel::kPictureTab, 0)->isVisible());
    EXPECT_EQ(window.BackgroundBitmap(), LoadBitmapResource(BitmapId::ComposeCharacter));
    // The tab buttons show the new background's look when idle, transparent outside the
    // window's outline.
    const QRect tab = window.Button(CComposeDlg::kCharacterTabButton)->geometry();
    EXPECT_EQ(window.Button(CComposeDlg::kCharacterTabButton)->NormalImage(),
              window.ScreenBackground().copy(tab));
    EXPECT_EQ(window.ScreenBackground().pixel(tab.center()),
              window.BackgroundBitmap().pixel(tab.center()));
    window.Button(CComposeDlg::kMessageTabButton)->click();
    EXPECT_TRUE(materials.MessageCombo()->isVisible());
    EXPECT_FALSE(materials.CharacterCombo()->isVisible());
  });
}

TEST_F(ComposeDlgTest, ClickingACharacterThumbnailPlacesItOnTheCanvas) {
  MakeMaterial("item/Animals", "cat.bmp", qRgb(0, 200, 0));
  CComposeDlg window(store);
  RunAndQuit(window, [&] {
    window.Button(CComposeDlg::kCharacterTabButton)->click();
    CLead* thumbnail = window.Materials().Thumbnail(CMaterialPanel::kCharacterTab, 0);
    // A double click is one click too many: it places the character once.
    testenv::WindowDoubleClick(&window, Qt::LeftButton, testenv::InWindow(thumbnail, {3, 3}));
    EXPECT_EQ(window.Canvas().NextCharacterSlot(), 1);
    EXPECT_FALSE(window.Canvas().CharacterWindow(1)->isVisible());
    EXPECT_TRUE(window.Canvas().CharacterWindow(0)->isVisible());
    EXPECT_EQ(window.Canvas().CharacterWindow(0)->geometry(), QRect(79, 173, 40, 30));
    EXPECT_EQ(window.Canvas().CaptureImage().pixel(28 + 20, 30 + 15), qRgb(0, 200, 0));
    EXPECT_EQ(window.Materials().SelectedThumb(CMaterialPanel::kCharacterTab), 0);
  });
}

TEST_F(ComposeDlgTest, EscapeCompletesAPendingSaveAndNeverLosesTheOldFile) {
  const QString temp = testenv::ProgramDir() + "/temp/shot.jpg";
  const QString target = testenv::ProgramDir() + "/saved.jpg";
  testenv::WriteFile(target, "old picture");
  CComposeDlg window(store);
  RunAndQuit(window, [&] {
    // The temporary picture is gone: the saved one stays and the user is told.
    window.SetTempJpegPath(temp);
    window.SetSavePath(target);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(testenv::ReadFile(target), QByteArray("old picture"));
    ASSERT_EQ(testenv::Messages().size(), 1u);
    EXPECT_EQ(testenv::Messages()[0].icon, MessageIcon::Stop);

    testenv::WriteFile(temp, "picture");
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(testenv::ReadFile(target), QByteArray("picture"));
  EXPECT_EQ(QDir(testenv::ProgramDir()).entryList(QDir::Files), QStringList{"saved.jpg"});
}

TEST_F(ComposeDlgTest, SwitchingTabsRepaintsEveryPixelWhereTheBackgroundsDiffer) {
  CComposeDlg window(store);
  RunAndQuit(window, [&] {
    QScreen* screen = QGuiApplication::primaryScreen();
    for (int tab : {CComposeDlg::kCharacterTabButton, CComposeDlg::kMessageTabButton,
                    CComposeDlg::kPictureTabButton}) {
      window.Button(tab)->click();
      QCoreApplication::processEvents();
      const QImage shown =
          screen->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
      // A strip beside the tab area, clear of every control.
      for (int y = 114; y < 514; y += 20)
        for (int x = 380; x <= 382; ++x)
          ASSERT_EQ(shown.pixel(x, y), window.BackgroundBitmap().pixel(x, y)) << x << "," << y;
    }
  });
}

}  // namespace
