#pragma once

#include <QString>

#include "skin/skin_dlg.h"

// A one-line notice on a bitmap background with an OK button. Serves as the program's message
// box (modal, one call) and as the progress window of sending (modeless, lives for the run).
class CNoticeDlg : public CSkinDlg {
  Q_OBJECT

 public:
  explicit CNoticeDlg(QWidget* parent = nullptr);

  void SetNoticeText(const QString& text);
  const QString& NoticeText() const { return noticeText_; }
  CSkinButton* OkButton() const { return okButton_; }

  // Shows a modal notice with the given background bitmap and text; returns when it is closed.
  static int ShowNotice(QWidget* parent, int backgroundId, const QString& text);

  void setVisible(bool visible) override;

 signals:
  // The program showed or hid the window; the main window redraws itself at once so that it
  // stays current while the user-interface thread is busy.
  void ShownOrHidden();

 protected:
  void InitDialog() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QString noticeText_;
  CSkinButton* okButton_;
};
