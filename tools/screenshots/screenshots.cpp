// Renders the program's windows into PNG files, each shaped as on screen (cut-away parts
// transparent), for documentation and for checking the artwork:
//   quillora_screenshots <output-folder> [<main picture>]
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/confirm_dlg.h"
#include "app/first_run_dlg.h"
#include "app/settings_store.h"
#include "app/splash_dlg.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/phone_export.h"
#include "compose/phone_preview_wnd.h"
#include "compose/picture_chooser_dlg.h"
#include "compose/save_image_dlg.h"
#include "compose/user_settings_dlg.h"
#include "resources/resource_ids.h"
#include "send/address_book_dlg.h"
#include "send/address_book_file.h"
#include "send/attachment_path.h"
#include "send/send_dlg.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "widgets/shell/file_list_ctrl.h"

namespace {

bool Save(QWidget& window, const QString& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  // At the screen's scale: QT_SCALE_FACTOR=2 gives the windows as a 200 % screen shows them.
  const qreal scale = window.devicePixelRatioF();
  QImage shot(window.size() * scale, QImage::Format_ARGB32);
  shot.setDevicePixelRatio(scale);
  shot.fill(Qt::transparent);
  QPainter painter(&shot);
  if (!window.mask().isEmpty()) painter.setClipRegion(window.mask());
  painter.drawPixmap(0, 0, window.grab());
  painter.end();
  window.hide();
  const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
  const bool saved = shot.save(path);
  QTextStream(stdout) << (saved ? "wrote " : "could not write ") << path << Qt::endl;
  return saved;
}

void Hover(CSkinButton* button) {
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(button, &enter);
}

}  // namespace

int main(int argc, char* argv[]) {
  // A home of its own with a few photos in its pictures folder, so that every run shows the
  // same windows and nothing of the user's is read or written.
  QTemporaryDir home;
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
  qputenv("XDG_CACHE_HOME", (home.path() + "/.cache").toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
  const QString pictures = home.path() + QStringLiteral("/Pictures");
  QDir().mkpath(pictures + QStringLiteral("/旅行"));
  QDir().mkpath(home.path() + QStringLiteral("/.config"));
  QFile dirs(home.path() + QStringLiteral("/.config/user-dirs.dirs"));
  if (dirs.open(QIODevice::WriteOnly))
    dirs.write(QStringLiteral("XDG_PICTURES_DIR=\"%1\"\n").arg(pictures).toUtf8());
  dirs.close();
  const QStringList names = {QStringLiteral("海.png"), QStringLiteral("花.png"),
                             QStringLiteral("ねこ.png"), QStringLiteral("公園.png")};
  const QStringList photos = {QStringLiteral("kodim03.png"), QStringLiteral("kodim07.png"),
                              QStringLiteral("kodim15.png"), QStringLiteral("kodim22.png")};
  for (int i = 0; i < names.size(); ++i)
    QFile::copy(QStringLiteral(QUILLORA_PHOTOS96) + QLatin1Char('/') + photos[i],
                pictures + QLatin1Char('/') + names[i]);

  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(folder);
  bool ok = true;

  CSettingsStore store;
  store.OpenSettingsKey(RegistryAccess::Full);

  CSplashDlg splash;
  splash.show();
  splash.SetProgressText(QStringLiteral("初期化中..."));
  ok &= Save(splash, folder, QStringLiteral("splash"));

  CFirstRunDlg setup(store);
  setup.Create();
  setup.PasswordEdit()->setText(QStringLiteral("quill2026"));
  setup.MailEdit()->setText(QStringLiteral("hanako@example.ne.jp"));
  Hover(setup.OkButton());
  ok &= Save(setup, folder, QStringLiteral("first_run"));

  store.SetUserId(QStringLiteral("hanako@example.ne.jp"));
  store.SetPassword(QStringLiteral("quill2026"));
  store.WriteUserId();
  store.WritePassword();
  CConfirmDlg confirm(store);
  ok &= Save(confirm, folder, QStringLiteral("confirm"));

  CNoticeDlg message;
  message.SetBackgroundBitmap(BitmapId::NoticeMessage);
  message.SetNoticeText(QStringLiteral("正しいメールアドレスを入力してください"));
  ok &= Save(message, folder, QStringLiteral("notice_message"));

  CNoticeDlg progress;
  progress.SetBackgroundBitmap(BitmapId::NoticeProgress);
  progress.SetNoticeText(QStringLiteral("送信しています..."));
  progress.Create();
  progress.OkButton()->hide();
  ok &= Save(progress, folder, QStringLiteral("notice_progress"));

  // The composition window on each tab; with a photo given, it is the main picture and the
  // first character and message of the shipped materials lie over it.
  CComposeDlg compose(store);
  compose.Create();
  if (argc > 2) {
    compose.Canvas().LoadMainPicture(QString::fromLocal8Bit(argv[2]));
    const QString character = compose.Materials().CharacterFiles()[0];
    const QString message = compose.Materials().MessageFiles()[0];
    if (!character.isEmpty()) compose.Canvas().PlaceCharacter(character);
    if (!message.isEmpty()) compose.Canvas().PlaceMessage(message);
  }
  const QString tabs[] = {QStringLiteral("compose_picture"), QStringLiteral("compose_character"),
                          QStringLiteral("compose_message")};
  for (int tab = 0; tab < 3; ++tab) {
    compose.SwitchTab(tab);
    ok &= Save(compose, folder, tabs[tab]);
  }
  compose.SwitchTab(0);

  CPictureChooserDlg chooser;
  chooser.Open();
  if (QListWidgetItem* photo = chooser.FileList()->item(2)) {  // as if clicked
    chooser.FileList()->setCurrentItem(photo);
    emit chooser.FileList()->itemClicked(photo);
  }
  ok &= Save(chooser, folder, QStringLiteral("picture_chooser"));

  CSaveImageDlg save;
  save.Open();
  save.NameEdit()->setText(QStringLiteral("はなこの写真"));
  ok &= Save(save, folder, QStringLiteral("save_image"));

  CUserSettingsDlg settings(store);
  settings.Open();
  ok &= Save(settings, folder, QStringLiteral("user_settings"));

  // The preview shows what an export of the canvas would send.
  ExportPhoneFormats(compose.Canvas(), ExportBaseName());
  CPhonePreviewWnd preview;
  preview.ShowExport(AttachmentPath(), true);
  ok &= Save(preview, folder, QStringLiteral("phone_preview"));

  CSendDlg send(store);
  send.Create();
  send.ToEdit()->setText(QStringLiteral("taro@example.ne.jp"));
  send.SubjectEdit()->setText(QStringLiteral("夏休みの写真"));
  send.MessageEdit()->setPlainText(QStringLiteral("海に行ってきたよ！\nまた遊ぼうね。"));
  ok &= Save(send, folder, QStringLiteral("send"));

  // The address book with a few friends; the program's own book is put back afterwards.
  const QString book = AddressBookPath();
  QFile existing(book);
  const QByteArray kept = existing.open(QIODevice::ReadOnly) ? existing.readAll() : QByteArray();
  const bool hadBook = existing.exists();
  existing.close();
  WriteAddressBook(
      book,
      EncodeAddressBook({{QStringLiteral("たろう"), QStringLiteral("taro@example.ne.jp")},
                         {QStringLiteral("はなこ"), QStringLiteral("hanako@example.ne.jp")},
                         {QStringLiteral("おばあちゃん"), QStringLiteral("obaachan@example.ne.jp")},
                         {QStringLiteral("さくら"), QStringLiteral("sakura@example.ne.jp")}}));
  {
    CAddressBookDlg addresses;
    addresses.SetBackgroundBitmap(BitmapId::AddressBook);
    ok &= Save(addresses, folder, QStringLiteral("address_book"));
  }
  if (hadBook)
    WriteAddressBook(book, kept.toStdString());
  else
    QFile::remove(book);

  return ok ? 0 : 1;
}
