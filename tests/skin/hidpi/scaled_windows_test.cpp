// Every window on a screen scaled to 200 %. The scale is set before the test program's
// QApplication starts; a test given QT_SCALE_FACTOR runs at that scale instead (the export
// test runs itself once more at 100 % for its reference).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/confirm_dlg.h"
#include "app/first_run_dlg.h"
#include "app/settings_store.h"
#include "app/splash_dlg.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/lead.h"
#include "compose/phone_export.h"
#include "compose/phone_preview_wnd.h"
#include "compose/picture_chooser_dlg.h"
#include "compose/save_image_dlg.h"
#include "compose/tone_knob.h"
#include "compose/user_settings_dlg.h"
#include "platform/bitmap_resource.h"
#include "resources/resource_ids.h"
#include "send/address_book_dlg.h"
#include "send/send_dlg.h"
#include "skin/notice_dlg.h"
#include "skin/region_from_bitmap.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "window_input.h"

namespace {

[[maybe_unused]] const bool kScaled = [] {
  if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
  return true;
}();

const char kReferenceVariable[] = "QUILLORA_REFERENCE_EXPORT";

// Device pixels of `shot` (a window grabbed at 200 %) inside `area` (logical, window
// coordinates) that differ from `twice` (a twice-size rendering placed at `origin`).
int DifferingPixels(const QImage& shot, const QImage& twice, const QRegion& area,
                    QPoint origin = QPoint()) {
  int differing = 0;
  for (const QRect& rect : area) {
    for (int y = 2 * rect.top(); y < 2 * (rect.bottom() + 1); ++y) {
      for (int x = 2 * rect.left(); x < 2 * (rect.right() + 1); ++x) {
        const QPoint in = QPoint(x, y) - 2 * origin;
        if (!twice.rect().contains(in) || shot.pixel(x, y) != twice.pixel(in)) ++differing;
      }
    }
  }
  return differing;
}

QImage Shot(QWidget& window) {
  return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A skinned window shown on the scaled screen: its logical size and outline are those of its
// bitmap, it is drawn from the twice-size rendering pixel for pixel wherever it shows its
// background (idle buttons included), and its buttons are as large as their images' logical
// size. `ownDrawing` is what the window paints over its background itself.
void ExpectScaledWindow(CSkinDlg& window, const QImage& bitmap, const QImage& twice,
                        const QRegion& ownDrawing = QRegion()) {
  window.Create();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_FALSE(bitmap.isNull());
  ASSERT_EQ(twice.size(), 2 * bitmap.size());
  EXPECT_EQ(window.devicePixelRatio(), 2.0);
  EXPECT_EQ(window.size(), bitmap.size());
  EXPECT_EQ(window.mask(), RegionFromBitmap(bitmap).value());

  const QImage shot = Shot(window);
  ASSERT_EQ(shot.size(), 2 * bitmap.size());
  QRegion background = window.mask() - ownDrawing;
  for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isVisible()) continue;
    if (auto* button = qobject_cast<CSkinButton*>(child)) {
      const QImage& hover = button->HoverImage();
      EXPECT_EQ(hover.devicePixelRatio(), 2.0) << button->ControlId();
      EXPECT_EQ(button->size(), LogicalSize(hover)) << button->ControlId();
    } else {
      background -= child->geometry();
    }
  }
  EXPECT_EQ(DifferingPixels(shot, twice, background), 0);
}

void ExpectScaledWindow(CSkinDlg& window, int bitmapId, const QRegion& ownDrawing = QRegion()) {
  ExpectScaledWindow(window, LoadBitmapResource(bitmapId), LoadTwiceSizeBitmap(bitmapId),
                     ownDrawing);
}

class ScaledScreen : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full)); }
  CSettingsStore store;
};

TEST(TwiceSizeBitmaps, EveryBitmapHasOneOfExactlyTwiceItsSize) {
  const QStringList names = QDir(":/bitmaps").entryList({"*.png"}, QDir::Files);
  int bitmaps = 0;
  for (const QString& name : names) {
    if (name.contains('@')) continue;
    const int id = name.section('.', 0, 0).toInt();
    ++bitmaps;
    EXPECT_FALSE(LoadTwiceSizeBitmap(id).isNull()) << name.toStdString();
  }
  EXPECT_GT(bitmaps, 70);
}

TEST_F(ScaledScreen, EveryWindowIsTwiceTheSizeWithItsTwiceSizeArtworkAndItsShape) {
  ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
  {
    CSplashDlg splash;
    ExpectScaledWindow(splash, BitmapId::Splash);
  }
  {
    CFirstRunDlg setup(store);
    ExpectScaledWindow(setup, BitmapId::FirstRun);
  }
  {
    CConfirmDlg confirm(store);
    ExpectScaledWindow(confirm, BitmapId::Confirm);
  }
  for (const int background : {BitmapId::NoticeMessage, BitmapId::NoticeProgress}) {
    CNoticeDlg notice;
    notice.SetBackgroundBitmap(background);
    ExpectScaledWindow(notice, background);
  }
  {
    CPictureChooserDlg chooser;
    ExpectScaledWindow(chooser, BitmapId::PictureChooser);
  }
  {
    CSaveImageDlg save;
    ExpectScaledWindow(save, BitmapId::SaveImage);
  }
  {
    CUserSettingsDlg settings(store);
    ExpectScaledWindow(settings, BitmapId::UserSettings);
  }
  {
    CSendDlg send(store);
    ExpectScaledWindow(send, BitmapId::Send);
  }
  {
    CAddressBookDlg book;
    book.SetBackgroundBitmap(BitmapId::AddressBook);
    ExpectScaledWindow(book, BitmapId::AddressBook);
  }
  {
    for (const char* name : {"/mobilephone.gif", "/mobilephone@2x.png"})
      ASSERT_TRUE(
          QFile::copy(QStringLiteral(QUILLORA_DATA_DIR) + name, testenv::ProgramDir() + name));
    CPhonePreviewWnd preview;
    ExpectScaledWindow(
        preview,
        QImage(testenv::ProgramDir() + "/mobilephone.gif").convertToFormat(QImage::Format_RGB32),
        QImage(testenv::ProgramDir() + "/mobilephone@2x.png")
            .convertToFormat(QImage::Format_RGB32));
  }
}

TEST_F(ScaledScreen, CompositionWindowTabsAndKnobFollowTheLogicalLayout) {
  CComposeDlg window(store);
  const QRegion frame = CComposeDlg::SelectionFrameRect(0).adjusted(-2, -2, 2, 2);
  ExpectScaledWindow(window, BitmapId::ComposePicture, frame);
  CToneKnob* knob = window.Canvas().Knob();
  EXPECT_EQ(knob->size(), LoadBitmapResource(146).size());
  EXPECT_EQ(DifferingPixels(Shot(window), LoadTwiceSizeBitmap(146), knob->geometry(), knob->pos()),
            0);

  // The character tab, clicked through the window at its logical place.
  CSkinButton* tab = window.Button(CComposeDlg::kCharacterTabButton);
  testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(tab));
  EXPECT_EQ(window.ComposeMode(), CMaterialPanel::kCharacterTab);
  QRegion background = window.mask() - frame;
  for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isVisible() && !qobject_cast<CSkinButton*>(child)) background -= child->geometry();
  EXPECT_EQ(
      DifferingPixels(Shot(window), LoadTwiceSizeBitmap(BitmapId::ComposeCharacter), background),
      0);
}

// A synthetic photo, so that both runs compose the very same picture.
QString WritePhoto(const QString& folder) {
  QImage photo(240, 180, QImage::Format_RGB32);
  for (int y = 0; y < photo.height(); ++y)
    for (int x = 0; x < photo.width(); ++x)
      photo.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 5) % 256, (x * y / 3) % 256));
  const QString path = folder + "/photo.png";
  photo.save(path);
  return path;
}

// Composes a picture in the composition window and exports it into `folder`.
void ComposeAndExport(CSettingsStore& store, const QString& folder) {
  CComposeDlg window(store);
  window.Create();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  CComposeCanvas& canvas = window.Canvas();
  ASSERT_TRUE(canvas.LoadMainPicture(WritePhoto(folder)));
  canvas.ZoomIn();
  const QString materials = QStringLiteral(QUILLORA_DATA_DIR);
  const QStringList characters =
      QDir(materials + "/item").entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  ASSERT_FALSE(characters.isEmpty());
  const QString category = materials + "/item/" + characters.first();
  const QStringList pictures = QDir(category).entryList({"*.bmp"}, QDir::Files, QDir::Name);
  ASSERT_GE(pictures.size(), 2);
  ASSERT_TRUE(canvas.PlaceCharacter(category + "/" + pictures[0]));
  ASSERT_TRUE(canvas.PlaceCharacter(category + "/" + pictures[1]));
  canvas.CharacterWindow(1)->move(canvas.CharacterWindow(1)->pos() + QPoint(3, 2));
  EXPECT_EQ(canvas.CaptureImage().size(), QSize(96, 91));
  ExportPhoneFormats(canvas, folder + "/export");
}

TEST_F(ScaledScreen, ExportIsByteIdenticalToTheOneMadeAtScaleOne) {
  const QString referenceFolder = qEnvironmentVariable(kReferenceVariable);
  if (!referenceFolder.isEmpty()) {
    // The reference run, started below at 100 %.
    ASSERT_EQ(qApp->devicePixelRatio(), 1.0);
    ComposeAndExport(store, referenceFolder);
    return;
  }
  ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
  QTemporaryDir scaled, reference;
  ComposeAndExport(store, scaled.path());

  QProcess run;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_SCALE_FACTOR", "1");
  environment.insert(kReferenceVariable, reference.path());
  run.setProcessEnvironment(environment);
  run.setProcessChannelMode(QProcess::ForwardedChannels);
  run.start(QCoreApplication::applicationFilePath(),
            {"--gtest_filter=ScaledScreen.ExportIsByteIdenticalToTheOneMadeAtScaleOne"});
  ASSERT_TRUE(run.waitForFinished(60000));
  ASSERT_EQ(run.exitCode(), 0);

  const QStringList files = QDir(scaled.path()).entryList({"export*"}, QDir::Files, QDir::Name);
  EXPECT_EQ(files, QDir(reference.path()).entryList({"export*"}, QDir::Files, QDir::Name));
  EXPECT_EQ(files.size(), 9);  // the JPEG, four GIFs and four PNGs
  for (const QString& name : files) {
    QFile a(scaled.path() + "/" + name), b(reference.path() + "/" + name);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_TRUE(a.readAll() == b.readAll()) << name.toStdString();
  }
}

}  // namespace
