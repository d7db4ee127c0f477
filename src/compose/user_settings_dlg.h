#pragma once

#include "skin/skin_dlg.h"

class CSettingsStore;
class QLineEdit;

// The small window in which the user changes the password of the account and the service's
// server; it shows the account's mail address for reference. Created hidden with the
// composition window and kept.
class CUserSettingsDlg : public CSkinDlg {
  Q_OBJECT

 public:
  static constexpr int kPasswordEditId = 1040;
  static constexpr int kServerEditId = 1065;

  explicit CUserSettingsDlg(CSettingsStore& store, QWidget* parent = nullptr);

  // Shows the window with the current mail address, password and server.
  void Open();

  QLineEdit* PasswordEdit() const { return passwordEdit_; }
  QLineEdit* ServerEdit() const { return serverEdit_; }
  const QString& ShownUserId() const { return userId_; }

 protected:
  void InitDialog() override;
  void OnOK() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  CSettingsStore& store_;
  QLineEdit* passwordEdit_;
  QLineEdit* serverEdit_;
  CSkinButton* okButton_;
  CSkinButton* cancelButton_;
  QString userId_;
};
