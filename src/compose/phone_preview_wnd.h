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

  // The file shown in the display and the line under it; read again when painted.
  void SetPicture(const QString& path, const QString& caption);
  const QString& PicturePath() const { return picturePath_; }
  const QString& Caption() const { return caption_; }
  int ShownStateValue() const { return shownState_; }
  QPushButton* HideButton() const { return hideButton_; }
  // Where the picture is drawn: scaled down to fit the display when larger, centred.
  static QRect PictureRect(QSize picture);
  // The line under the display for the file that will be sent (its colours, from its name,
  // and its size), or for none.
  static QString CaptionFor(const QString& attachment);

  void setVisible(bool visible) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString picturePath_;
  QString readPath_;  // the file `picture_` was read from
  QImage picture_;
  QString caption_;
  int shownState_ = kNeverShown;
  QPushButton* hideButton_;
};
