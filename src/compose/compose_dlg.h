#pragma once

#include <QImage>

#include "skin/skin_dlg.h"

class CSettingsStore;

// The main window, in which the user composes the picture. It is skinned and shaped after the
// background of the active tab, dragged by any point, and keeps its position between runs.
class CComposeDlg : public CSkinDlg {
  Q_OBJECT

 public:
  explicit CComposeDlg(CSettingsStore& store, QWidget* parent = nullptr);
  ~CComposeDlg() override;

  CSkinButton* QuitButton() const { return quitButton_; }

  void done(int result) override;

 protected:
  void InitDialog() override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void SetSplashText(const QString& text);
  void HideSplash();
  void RestorePosition();
  void SaveState();

  CSettingsStore& store_;
  QImage tabBackgrounds_[3];
  CSkinButton* quitButton_;
  bool stateSaved_ = false;
};
