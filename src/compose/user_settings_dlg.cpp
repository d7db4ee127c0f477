#include "user_settings_dlg.h"

#include <QLineEdit>
#include <QPainter>

#include "app/settings_store.h"
#include "app/web_links.h"
#include "platform/draw_text.h"
#include "resources/resource_ids.h"
#include "skin/edit_navigation.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"

namespace {

const QRect kPasswordEdit(QPoint(154, 77), QPoint(280, 93));
const QRect kServerEdit(QPoint(154, 104), QPoint(280, 120));
const QRect kUserIdBox(154, 48, 128, 16);
const QPoint kOkPosition(187, 129);
const QPoint kCancelPosition(85, 129);

}  // namespace

CUserSettingsDlg::CUserSettingsDlg(CSettingsStore& store, QWidget* parent)
    : CSkinDlg(DialogId::UserSettings, parent),
      store_(store),
      passwordEdit_(new QLineEdit(this)),
      serverEdit_(new QLineEdit(this)),
      okButton_(CreateButton(ControlId::Ok, BitmapId::UserSettingsOkHover)),
      cancelButton_(CreateButton(ControlId::Cancel, BitmapId::UserSettingsCancelHover)) {
  setWindowTitle(QStringLiteral("ユーザー設定"));
  SetBackgroundBitmap(BitmapId::UserSettings);
  passwordEdit_->setGeometry(kPasswordEdit);
  passwordEdit_->setFrame(false);
  passwordEdit_->setTextMargins(2, 0, 2, 0);
  passwordEdit_->setEchoMode(QLineEdit::Password);
  passwordEdit_->setMaxLength(1023);
  passwordEdit_->setAccessibleName(QStringLiteral("パスワード"));
  InstallEditNavigation(passwordEdit_);
  serverEdit_->setObjectName(QString::number(kServerEditId));
  serverEdit_->setGeometry(kServerEdit);
  serverEdit_->setFrame(false);
  serverEdit_->setTextMargins(2, 0, 2, 0);
  serverEdit_->setMaxLength(259);
  serverEdit_->setPlaceholderText(QStringLiteral("quill.example.jp"));
  serverEdit_->setAccessibleName(QStringLiteral("サーバー"));
  InstallEditNavigation(serverEdit_);
  setTabOrder(passwordEdit_, serverEdit_);
  setTabOrder(serverEdit_, okButton_);
  setTabOrder(okButton_, cancelButton_);
}

void CUserSettingsDlg::InitDialog() {
  PlaceButton(okButton_, kOkPosition, BitmapId::UserSettingsOkPressed);
  PlaceButton(cancelButton_, kCancelPosition, BitmapId::UserSettingsCancelPressed);
}

void CUserSettingsDlg::Open() {
  Create();
  store_.ReadUserId();
  userId_ = store_.UserId();
  // The address is painted, not an edit: readers get it with the window.
  setAccessibleDescription(QStringLiteral("メールアドレス: ") + userId_);
  passwordEdit_->setText(store_.Password());
  store_.ReadServer();
  serverEdit_->setText(store_.Server());
  show();
  raise();
  activateWindow();
  passwordEdit_->setFocus();
  passwordEdit_->selectAll();
  update();
}

void CUserSettingsDlg::OnOK() {
  // The server is checked as the web links and the upload check it; a wrong one is said and
  // nothing is stored.
  const QString server = serverEdit_->text().trimmed();
  if (!server.isEmpty() && !IsValidServer(server)) {
    CNoticeDlg::ShowNotice(this, BitmapId::NoticeMessage,
                           QStringLiteral("サーバー「%1」は正しくありません。").arg(server));
    serverEdit_->setFocus();
    return;
  }
  store_.SetPassword(passwordEdit_->text());  // held as at most 1023 bytes
  store_.WritePassword();
  store_.WriteServer(server);
  EndDialog(QDialog::Accepted);
}

void CUserSettingsDlg::paintEvent(QPaintEvent* event) {
  CSkinDlg::paintEvent(event);
  QPainter painter(this);
  painter.setFont(font());
  DrawText(painter, Rect::FromQRect(kUserIdBox), userId_,
           DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}
