#pragma once

#include "skin/skin_dlg.h"

// The start-up window: a picture and one line telling what is being prepared.
class CSplashDlg : public CSkinDlg {
  Q_OBJECT

 public:
  explicit CSplashDlg(QWidget* parent = nullptr);

  // Redraws the splash with a new progress text and brings it to the screen at once, since
  // the user-interface thread stays busy afterwards.
  void SetProgressText(const QString& text);
  const QString& ProgressText() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};
