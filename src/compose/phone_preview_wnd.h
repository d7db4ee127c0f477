#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "skin/skin_dlg.h"

class QPushButton;

// The composed picture shown inside a picture of a phone, as the recipient will see it, with
// a line under the display telling what will be sent. A shaped window dragged by any point;
// created hidden with the composition window and kept.
class CPhonePreviewWnd : public CSkinDlg {
  Q_OBJECT

 public:
  // The phone picture's display, 96 x 91.
  static const QRect kDisplayRect;
  enum ShownState { kNeverShown = 0, kShown = 1, kHidden = 2 };

  explicit CPhonePreviewWnd(QWidget* parent = nullptr);

  // The file shown in the display, read now (an export may have written it again under the
  // same name), and the line under it.
  void SetPicture(const QString& path, const QString& caption);
  // The picture of an export: the one that will be sent (`attached`) or the smallest one made,
  // with a line telling its colours and size, that none fits, or that the export failed.
  void ShowExport(const QString& path, bool attached);
  const QString& PicturePath() const { return picturePath_; }
  const QString& Caption() const { return caption_; }
  int ShownStateValue() const { return shownState_; }
  QPushButton* HideButton() const { return hideButton_; }
  // Where the picture is drawn: scaled down to fit the display when larger, centred.
  static QRect PictureRect(QSize picture);
  // The line under the display for a picture that will be sent: the colours it uses and its
  // size in kilobytes, cut (not rounded) to one decimal so that it never reaches the limit.
  static QString CaptionFor(int colours, qint64 bytes);

  void setVisible(bool visible) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString picturePath_;
  QImage picture_;  // read from picturePath_
  QString caption_;
  int shownState_ = kNeverShown;
  QPushButton* hideButton_;
};
