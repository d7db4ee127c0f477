#pragma once

#include "skin/skin_dlg.h"

class CSettingsStore;
class QLineEdit;

// First-run setup: asks for the user's mail address and password, has them confirmed, and
// stores them. Ends with OK only when they were confirmed.
class CFirstRunDlg : public CSkinDlg {
  Q_OBJECT

 public:
  static constexpr int kCancelId = 1010;

  explicit CFirstRunDlg(CSettingsStore& store, QWidget* parent = nullptr);

  // Runs the setup and its confirmation until the user confirms (QDialog::Accepted) or
  // cancels the setup (QDialog::Rejected).
  int Run();

  QLineEdit* MailEdit() const { return mailEdit_; }
  CSkinButton* OkButton() const { return okButton_; }
  CSkinButton* CancelButton() const { return cancelButton_; }
  QLineEdit* PasswordEdit() const { return passwordEdit_; }

 protected:
  void InitDialog() override;
  void OnCommand(int controlId) override;
  void OnOK() override;

 private:
  CSettingsStore& store_;
  QLineEdit* passwordEdit_;
  QLineEdit* mailEdit_;
  CSkinButton* okButton_;
  CSkinButton* cancelButton_;
};
