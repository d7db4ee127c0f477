#include "first_run_dlg.h"

#include <QLineEdit>

#include "app/confirm_dlg.h"
#include "app/mail_address.h"
#include "app/settings_store.h"
#include "resources/resource_ids.h"
#include "skin/edit_navigation.h"
#include "skin/skin_button.h"

namespace {

// The setup window ends with this when its entries passed and wait for confirmation.
constexpr int kConfirmRequested = 100;

QLineEdit* CreateFormEdit(QWidget* parent, const QRect& rect) {
  auto* edit = new QLineEdit(parent);
  edit->setFrame(false);
  edit->setGeometry(rect);
  edit->setTextMargins(2, 0, 2, 0);
  edit->setMaxLength(1023);
  InstallEditNavigation(edit);
  return edit;
}

}  // namespace

CFirstRunDlg::CFirstRunDlg(CSettingsStore& store, QWidget* parent)
    : CSkinDlg(DialogId::FirstRun, parent),
      store_(store),
      passwordEdit_(CreateFormEdit(this, QRect(QPoint(138, 74), QPoint(264, 90)))),
      mailEdit_(CreateFormEdit(this, QRect(QPoint(33, 118), QPoint(264, 134)))),
      okButton_(CreateButton(ControlId::Ok, BitmapId::FirstRunOkHover)),
      cancelButton_(CreateButton(kCancelId, BitmapId::FirstRunCancelHover)) {
  setWindowTitle(QStringLiteral("Quillora"));
  setAccessibleDescription(QStringLiteral("初期設定: メールアドレスとパスワードを入力してください。"));
  passwordEdit_->setAccessibleName(QStringLiteral("パスワード"));
  mailEdit_->setAccessibleName(QStringLiteral("メールアドレス"));
  SetBackgroundBitmap(BitmapId::FirstRun);
  setTabOrder(passwordEdit_, mailEdit_);
  setTabOrder(mailEdit_, okButton_);
  setTabOrder(okButton_, cancelButton_);
}

void CFirstRunDlg::InitDialog() {
  store_.SetUserId(QString());
  store_.SetPassword(QString());
  PlaceButton(okButton_, QPoint(106, 159), BitmapId::FirstRunOkPressed);
  PlaceButton(cancelButton_, QPoint(12, 159), BitmapId::FirstRunCancelPressed);
  passwordEdit_->setFocus();
}

void CFirstRunDlg::OnCommand(int controlId) {
  if (controlId == kCancelId) {
    OnCancel();
    return;
  }
  CSkinDlg::OnCommand(controlId);
}

void CFirstRunDlg::OnOK() {
  const QString mail = mailEdit_->text().trimmed();
  if (!AcceptMailAddress(this, mail)) return;
  store_.SetUserId(mail);
  store_.SetPassword(passwordEdit_->text());
  EndDialog(kConfirmRequested);
}

int CFirstRunDlg::Run() {
  // The setup window is hidden while the confirmation is open, and comes back with its entries
  // when the confirmation is cancelled.
  while (exec() == kConfirmRequested) {
    // Opened by the setup: placed over it and kept above it.
    CConfirmDlg confirm(store_, this);
    if (confirm.exec() == QDialog::Accepted) return QDialog::Accepted;
  }
  return QDialog::Rejected;
}
