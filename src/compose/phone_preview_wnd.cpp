#include "phone_preview_wnd.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <unordered_set>

#include "compose/canvas_view.h"
#include "imaging/render_image.h"
#include "platform/bitmap_resource.h"
#include "platform/program_folder.h"
#include "resources/resource_ids.h"

const QRect CPhonePreviewWnd::kDisplayRect(QPoint(127, 203), QPoint(222, 293));

namespace {

// The window's size when the phone picture is missing, and where the caption and the hide
// button sit on the phone.
const QSize kTemplateSize(350, 600);
const QRect kCaptionRect(111, 296, 128, 14);
const QRect kHideButtonRect(220, 340, 68, 28);

// The phone drawn at twice the size for scaled screens, beside the phone picture; null when
// the screen is not scaled or there is none.
QImage TwiceSizePhone() {
  if (!ScreenUsesTwiceSize()) return {};
  QImage phone(DataFolder() + QStringLiteral("/mobilephone@2x.png"));
  phone.setDevicePixelRatio(2);
  return phone;
}

// How many colours a picture shows.
int ColoursIn(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  std::unordered_set<QRgb> colours;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    colours.insert(line, line + rgb.width());
  }
  return static_cast<int>(colours.size());
}

}  // namespace

CPhonePreviewWnd::CPhonePreviewWnd(QWidget* parent)
    : CSkinDlg(DialogId::Preview, parent),
      hideButton_(new QPushButton(QStringLiteral("消す"), this)) {
  setWindowTitle(QStringLiteral("プレビュー"));
  const DibSection phone = RenderImageFileScaled(DataFolder() + "/mobilephone.gif", 100);
  if (!phone.IsNull()) {
    // The outline comes from the phone picture; the twice-size one is only drawn.
    SetBackgroundBitmap(phone.Image(), TwiceSizePhone());
  } else {
    // No phone picture: a plain window of the usual size, still showing the picture.
    QImage plain(kTemplateSize, QImage::Format_RGB32);
    plain.fill(QColor(255, 244, 236));
    SetBackgroundBitmap(plain);
    SetUseRegion(false);
  }
  hideButton_->setGeometry(kHideButtonRect);
  hideButton_->setFocusPolicy(Qt::NoFocus);
  hideButton_->setStyleSheet(QStringLiteral(
      "QPushButton { color: white; font-weight: bold; border: 1px solid rgb(228, 92, 56);"
      " border-radius: 13px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
      " stop:0 rgb(255, 160, 128), stop:1 rgb(255, 120, 86)); }"
      "QPushButton:hover { background: rgb(255, 140, 104); }"
      "QPushButton:pressed { background: rgb(228, 92, 56); }"));
  connect(hideButton_, &QPushButton::clicked, this, [this] { OnCancel(); });
}

void CPhonePreviewWnd::SetPicture(const QString& path, const QString& caption) {
  picturePath_ = path;
  const DibSection read = RenderImageFileScaled(path, 100);
  picture_ = read.IsNull() ? QImage() : read.Image();
  caption_ = caption;
  update();
}

void CPhonePreviewWnd::ShowExport(const QString& path, bool attached) {
  SetPicture(path, QString());
  if (picture_.isNull())
    caption_ = QStringLiteral("書き出しに失敗しました");
  else if (!attached)
    caption_ = QStringLiteral("8KB以内に収まりません");
  else
    caption_ = CaptionFor(ColoursIn(picture_), QFileInfo(path).size());
}

QRect CPhonePreviewWnd::PictureRect(QSize picture) {
  return canvas::PlacementRect(picture.width(), picture.height(), kDisplayRect.width(),
                               kDisplayRect.height(), kDisplayRect);
}

QString CPhonePreviewWnd::CaptionFor(int colours, qint64 bytes) {
  const qint64 tenths = bytes * 10 / 1024;
  return QStringLiteral("%1色・%2.%3KB").arg(colours).arg(tenths / 10).arg(tenths % 10);
}

void CPhonePreviewWnd::setVisible(bool visible) {
  CSkinDlg::setVisible(visible);
  shownState_ = visible ? kShown : kHidden;
}

void CPhonePreviewWnd::paintEvent(QPaintEvent* event) {
  CSkinDlg::paintEvent(event);
  QPainter painter(this);
  painter.fillRect(kDisplayRect, Qt::black);
  if (!picture_.isNull()) painter.drawImage(PictureRect(picture_.size()), picture_);
  if (!caption_.isEmpty()) {
    QFont small = font();
    small.setPixelSize(10);
    painter.setFont(small);
    painter.setPen(QColor(255, 236, 226));
    painter.drawText(kCaptionRect, Qt::AlignCenter, caption_);
  }
}

// Only Escape means anything here: it hides the phone.
void CPhonePreviewWnd::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) OnCancel();
  event->accept();
}
