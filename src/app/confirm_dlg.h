#pragma once

#include "skin/skin_dlg.h"

class CSettingsStore;

// Shows the mail address and password of the first-run setup for a last look; OK stores them.
class CConfirmDlg : public CSkinDlg {
  Q_OBJECT

 public:
  explicit CConfirmDlg(CSettingsStore& store, QWidget* parent = nullptr);

  CSkinButton* OkButton() const { return okButton_; }
  CSkinButton* CancelButton() const { return cancelButton_; }

 protected:
  void InitDialog() override;
  void OnOK() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  CSettingsStore& store_;
  CSkinButton* okButton_;
  CSkinButton* cancelButton_;
};
