#include "user_settings_dlg.h"

#include <QLineEdit>
#include <QPainter>

#include "app/settings_store.h"
#include "platform/draw_text.h"
#include "resources/resource_ids.h"
#include "skin/edit_navigation.h"
#include "skin/skin_button.h"

namespace {

const QRect kPasswordEdit(QPoint(154, 77), QPoint(280, 93));
const QRect kUserIdBox(154, 48, 128, 16);
const QPoint kOkPosition(187, 129);
const QPoint kCancelPosition(85, 129);

}  // namespace

CUserSettingsDlg::CUserSettingsDlg(CSettingsStore& store, QWidget* parent)
    : CSkinDlg(DialogId::UserSettings, parent),
      store_(store),
      passwordEdit_(new QLineEdit(this)),
      okButton_(CreateButton(ControlId::Ok, BitmapId::UserSettingsOkHover)),
      cancelButton_(CreateButton(ControlId::Cancel, BitmapId::UserSettingsCancelHover)) {
  setWindowTitle(QStringLiteral("ユーザー設定"));
  SetBackgroundBitmap(BitmapId::UserSettings);
  passwordEdit_->setGeometry(kPasswordEdit);
  passwordEdit_->setFrame(false);
  passwordEdit_->setTextMargins(2, 0, 2, 0);
  passwordEdit_->setEchoMode(QLineEdit::Password);
  passwordEdit_->setMaxLength(1023);
  InstallEditNavigation(passwordEdit_);
  setTabOrder(passwordEdit_, okButton_);
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
  passwordEdit_->setText(store_.Password());
  show();
  raise();
  activateWindow();
  passwordEdit_->setFocus();
  passwordEdit_->selectAll();
  update();
}

void CUserSettingsDlg::OnOK() {
  store_.SetPassword(passwordEdit_->text());  // held as at most 1023 bytes
  store_.WritePassword();
  EndDialog(QDialog::Accepted);
}

void CUserSettingsDlg::paintEvent(QPaintEvent* event) {
  CSkinDlg::paintEvent(event);
  QPainter painter(this);
  painter.setFont(font());
  DrawText(painter, Rect::FromQRect(kUserIdBox), userId_,
           DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}
