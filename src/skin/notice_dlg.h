#pragma once

#include <QAccessible>
#include <QString>

#include "skin/skin_dlg.h"

// A notice on a bitmap background with an OK button. Serves as the program's message box
// (modal, one call) and as the progress window of sending (modeless, lives for the run), where
// a stop button may be offered. A text too long for one line is wrapped, keeping clear of the
// window's edge.
class CNoticeDlg : public CSkinDlg {
  Q_OBJECT

 public:
  static constexpr int kStopButton = 1064;

  explicit CNoticeDlg(QWidget* parent = nullptr);

  void SetNoticeText(const QString& text);
  const QString& NoticeText() const { return noticeText_; }
  CSkinButton* OkButton() const { return okButton_; }
  // "中止": hidden until shown; a click emits StopRequested.
  CSkinButton* StopButton() const { return stopButton_; }
  // Where the text goes: from its position to the right edge, less the margin.
  QRect TextArea() const;

  // Shows a modal notice with the given background bitmap and text; returns when it is closed.
  static int ShowNotice(QWidget* parent, int backgroundId, const QString& text);

  void setVisible(bool visible) override;

 signals:
  // The program showed or hid the window; the main window redraws itself at once so that it
  // stays current while the user-interface thread is busy.
  void ShownOrHidden();
  void StopRequested();

 protected:
  void InitDialog() override;
  void paintEvent(QPaintEvent* event) override;
  void OnCommand(int controlId) override;

 private:
  void Announce(QAccessible::Event kind);

  QString noticeText_;
  CSkinButton* okButton_;
  CSkinButton* stopButton_;
};
