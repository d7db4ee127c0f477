#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/phone_preview_wnd.h"
#include "compose/save_image_dlg.h"
#include "imaging/full_color_image.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "test_files.h"
#include "widgets/shell/file_list_ctrl.h"
#include "window_input.h"

namespace {

// A window with a canvas-sized picture and a pictures folder to save into.
class SaveAndPreview : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
    pictures = testenv::ProgramDir() + "/Pictures";
    ASSERT_TRUE(QDir().mkpath(pictures));
    QFile dirs(testenv::ConfigDir() + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write(QString("XDG_PICTURES_DIR=\"%1\"\n").arg(pictures).toUtf8());
    dirs.close();
    QImage photo(96, 91, QImage::Format_RGB32);
    for (int y = 0; y < 91; ++y)
      for (int x = 0; x < 96; ++x) photo.setPixel(x, y, qRgb(x * 2, 60 + y, 200 - x));
    ASSERT_TRUE(photo.save(testenv::ProgramDir() + "/photo.png"));
    window = std::make_unique<CComposeDlg>(store);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(window->Canvas().LoadMainPicture(testenv::ProgramDir() + "/photo.png"));
  }

  void Press(int button) {
    testenv::WindowClick(window.get(), Qt::LeftButton, testenv::InWindow(window->Button(button)));
  }
  // Types a name into the save window and presses its OK.
  void SaveAs(const QString& name) {
    CSaveImageDlg* dialog = window->SaveDialog();
    dialog->NameEdit()->setText(name);
    testenv::WindowClick(dialog, Qt::LeftButton, QPoint(417 + 40, 254 + 16));
    QCoreApplication::processEvents();  // the copy follows as a posted message
  }

  CSettingsStore store;
  QString pictures;
  std::unique_ptr<CComposeDlg> window;
};

TEST_F(SaveAndPreview, SavedPictureHasTheCanvasPixelsUnderTheNameRules) {
  EXPECT_EQ(CSaveImageDlg::FileNameFor("abc"), QStringLiteral("abc.jpg"));
  EXPECT_EQ(CSaveImageDlg::FileNameFor("PHOTO.JPG"), QStringLiteral("PHOTO.JPG"));
  EXPECT_EQ(CSaveImageDlg::FileNameFor("x.png"), QStringLiteral("x.png.jpg"));
  EXPECT_EQ(CSaveImageDlg::FileNameFor(".jpg"), QStringLiteral(".jpg.jpg"));

  Press(CComposeDlg::kSaveButton);
  CSaveImageDlg* dialog = window->SaveDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->FileList()->CurrentFolder(), pictures);
  SaveAs("abc");
  EXPECT_FALSE(dialog->isVisible());
  const QImage saved = LoadFullColorImage(pictures + "/abc.jpg");
  const QImage canvas = window->Canvas().CaptureImage();
  ASSERT_EQ(saved.size(), QSize(96, 91));
  for (QPoint at : {QPoint(0, 0), QPoint(50, 40), QPoint(95, 90)}) {
    EXPECT_NEAR(qRed(saved.pixel(at)), qRed(canvas.pixel(at)), 3);
    EXPECT_NEAR(qGreen(saved.pixel(at)), qGreen(canvas.pixel(at)), 3);
    EXPECT_NEAR(qBlue(saved.pixel(at)), qBlue(canvas.pixel(at)), 3);
  }
  Press(CComposeDlg::kSaveButton);
  EXPECT_TRUE(dialog->NameEdit()->text().isEmpty());
  SaveAs("PHOTO.JPG");
  EXPECT_TRUE(QFile::exists(pictures + "/PHOTO.JPG"));
}

TEST_F(SaveAndPreview, AnExistingFileIsReplacedOnlyWhenTheUserSaysYes) {
  const QString target = pictures + "/old.jpg";
  QFile file(target);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("old");
  file.close();
  Press(CComposeDlg::kSaveButton);
  CSaveImageDlg* dialog = window->SaveDialog();

  testenv::AnswerMessagesWith(MessageResult::Cancel);
  SaveAs("old");
  ASSERT_EQ(testenv::Messages().size(), 1u);
  EXPECT_EQ(testenv::Messages()[0].text, QStringLiteral("既存のold.jpgファイルを上書きしますか？"));
  EXPECT_EQ(testenv::Messages()[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_TRUE(dialog->isVisible());
  testenv::AnswerMessagesWith(MessageResult::No);
  SaveAs("old");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(testenv::ReadFile(target), QByteArray("old"));

  Press(CComposeDlg::kSaveButton);
  testenv::AnswerMessagesWith(MessageResult::Yes);
  SaveAs("old.jpg");
  EXPECT_TRUE(testenv::ReadFile(target).startsWith("\xFF\xD8"));

  Press(CComposeDlg::kSaveButton);
  QString notice;
  testenv::OnNextModal([&](QWidget* shown) {
    if (auto* n = qobject_cast<CNoticeDlg*>(shown)) notice = n->NoticeText();
    shown->close();
  });
  SaveAs("");
  EXPECT_EQ(notice, QStringLiteral("ファイル名を指定してください。"));
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SaveAndPreview, PreviewShowsThePictureToBeSentAndExportsOncePerShowing) {
  CPhonePreviewWnd* preview = window->Preview();
  Press(CComposeDlg::kPreviewButton);
  ASSERT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->ShownStateValue(), CPhonePreviewWnd::kShown);
  const QString shown = preview->PicturePath();
  EXPECT_TRUE(shown.endsWith(".gif"));
  EXPECT_TRUE(preview->Caption().contains(QStringLiteral("色・")));
  // A canvas-sized picture fills the phone's display exactly.
  EXPECT_EQ(CPhonePreviewWnd::PictureRect(QSize(96, 91)), CPhonePreviewWnd::kDisplayRect);
  const QImage face = preview->grab().toImage();
  const QImage sent = LoadFullColorImage(shown);
  EXPECT_EQ(face.pixel(127 + 40, 203 + 30), sent.pixel(40, 30));

  const QStringList exported = QDir(testenv::ProgramDir() + "/temp").entryList(QDir::Files);
  for (const QString& name : exported) QFile::remove(testenv::ProgramDir() + "/temp/" + name);
  Press(CComposeDlg::kPreviewButton);  // shown already: nothing
  EXPECT_TRUE(QDir(testenv::ProgramDir() + "/temp").isEmpty());

  Press(CComposeDlg::kSaveButton);  // only hides the preview
  EXPECT_FALSE(preview->isVisible());
  EXPECT_EQ(preview->ShownStateValue(), CPhonePreviewWnd::kHidden);
  EXPECT_EQ(window->SaveDialog(), nullptr);
  Press(CComposeDlg::kPreviewButton);
  EXPECT_EQ(QDir(testenv::ProgramDir() + "/temp").entryList(QDir::Files).size(), 9);
}

// Each press shows that export's picture, even when the one before had the same second, with
// the colours it really uses; an export that wrote nothing says so.
TEST_F(SaveAndPreview, PreviewShowsEachNewExportAndWhatItHolds) {
  CPhonePreviewWnd* preview = window->Preview();
  const QPoint inDisplay = CPhonePreviewWnd::kDisplayRect.center();
  QString first;
  for (QRgb colour : {qRgb(250, 250, 250), qRgb(0, 0, 160)}) {
    QImage solid(96, 91, QImage::Format_RGB32);
    solid.fill(colour);
    ASSERT_TRUE(solid.save(testenv::ProgramDir() + "/solid.png"));
    ASSERT_TRUE(window->Canvas().LoadMainPicture(testenv::ProgramDir() + "/solid.png"));
    Press(CComposeDlg::kPreviewButton);
    ASSERT_TRUE(preview->isVisible());
    EXPECT_NE(preview->PicturePath(), first);
    first = preview->PicturePath();
    const QRgb shown = preview->grab().toImage().pixel(inDisplay);
    EXPECT_NEAR(qRed(shown), qRed(colour), 2);
    EXPECT_NEAR(qBlue(shown), qBlue(colour), 2);
    EXPECT_TRUE(preview->Caption().startsWith(QStringLiteral("1色・")))
        << preview->Caption().toStdString();
    Press(CComposeDlg::kSaveButton);  // hides the preview
  }
  EXPECT_EQ(CPhonePreviewWnd::CaptionFor(256, 8191), QStringLiteral("256色・7.9KB"));
  EXPECT_EQ(CPhonePreviewWnd::CaptionFor(37, 1536), QStringLiteral("37色・1.5KB"));

  // No folder to export into: nothing is written, and the preview does not blame the size.
  ASSERT_TRUE(QDir(testenv::ProgramDir() + "/temp").removeRecursively());
  testenv::WriteFile(testenv::ProgramDir() + "/temp", "a file, not a folder");
  Press(CComposeDlg::kPreviewButton);
  EXPECT_EQ(preview->Caption(), QStringLiteral("書き出しに失敗しました"));
  EXPECT_EQ(preview->grab().toImage().pixel(inDisplay), qRgb(0, 0, 0));
}

TEST(PhonePreview, IsShapedLikeThePhoneAndPlainWithoutIt) {
  {
    CPhonePreviewWnd plain;
    plain.Create();
    EXPECT_TRUE(plain.mask().isEmpty());
    EXPECT_EQ(plain.size(), QSize(350, 600));
    QImage small(40, 20, QImage::Format_RGB32);
    small.fill(qRgb(250, 0, 0));
    ASSERT_TRUE(small.save(testenv::ProgramDir() + "/small.png"));
    plain.SetPicture(testenv::ProgramDir() + "/small.png", QString());
    // The picture is drawn centred in the black display even without the phone.
    const QImage face = plain.grab().toImage();
    EXPECT_EQ(face.pixel(CPhonePreviewWnd::kDisplayRect.center()), qRgb(250, 0, 0));
    EXPECT_EQ(face.pixel(CPhonePreviewWnd::kDisplayRect.topLeft()), qRgb(0, 0, 0));
    // The same file written again is read again.
    small.fill(qRgb(0, 90, 0));
    ASSERT_TRUE(small.save(testenv::ProgramDir() + "/small.png"));
    plain.SetPicture(testenv::ProgramDir() + "/small.png", QString());
    EXPECT_EQ(plain.grab().toImage().pixel(CPhonePreviewWnd::kDisplayRect.center()),
              qRgb(0, 90, 0));
  }
  ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLORA_DATA_DIR) + "/mobilephone.gif",
                          testenv::ProgramDir() + "/mobilephone.gif"));
  CPhonePreviewWnd phone;
  phone.Create();
  EXPECT_FALSE(phone.mask().isEmpty());
  EXPECT_FALSE(phone.mask().contains(QPoint(0, phone.height() - 1)));
  EXPECT_TRUE(phone.mask().contains(CPhonePreviewWnd::kDisplayRect.center()));
}

}  // namespace
