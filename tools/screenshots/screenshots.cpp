// Renders the program's windows into PNG files, each shaped as on screen (cut-away parts
// transparent), for documentation and for checking the artwork:
//   quillora_screenshots <output-folder> [<main picture>]
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTextStream>

#include "app/confirm_dlg.h"
#include "app/first_run_dlg.h"
#include "app/settings_store.h"
#include "app/splash_dlg.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "resources/resource_ids.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"

namespace {

bool Save(QWidget& window, const QString& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  QImage shot(window.size(), QImage::Format_ARGB32);
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
  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(folder);
  bool ok = true;

  CSettingsStore store;  // never opened: nothing is written

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

  return ok ? 0 : 1;
}
