#include "notice_dlg.h"

#include <QAccessible>
#include <QPainter>
#include <QTextOption>

#include "resources/resource_ids.h"
#include "skin/notice_accessible.h"
#include "skin/skin_button.h"

namespace {
const QPoint kTextPosition(80, 40);
const QPoint kOkPosition(103, 117);
const QPoint kStopPosition(83, 104);
// Kept clear between the text and the window's right edge.
constexpr int kTextMargin = 8;
}  // namespace

CNoticeDlg::CNoticeDlg(QWidget* parent)
    : CSkinDlg(DialogId::Notice, parent),
      okButton_(CreateButton(ControlId::Ok, BitmapId::NoticeOkHover)),
      stopButton_(CreateButton(kStopButton, BitmapId::NoticeStopHover)) {
  InstallNoticeAccessible();
  setAccessibleName(QStringLiteral("お知らせ"));
  stopButton_->hide();
}

void CNoticeDlg::SetNoticeText(const QString& text) {
  const bool changed = text != noticeText_;
  noticeText_ = text;
  update();
  // A notice kept open (the progress window) says each new text as it comes.
  if (changed && isVisible()) Announce(QAccessible::NameChanged);
}

void CNoticeDlg::Announce(QAccessible::Event kind) {
  QAccessibleEvent event(this, kind);
  QAccessible::updateAccessibility(&event);
}

void CNoticeDlg::InitDialog() {
  PlaceButton(okButton_, kOkPosition, BitmapId::NoticeOkPressed);
  // Not part of the background: it has an idle image of its own.
  stopButton_->LoadButtonImages(0, BitmapId::NoticeStopIdle);
  stopButton_->SetPressedImage(BitmapId::NoticeStopPressed);
  stopButton_->FitToImage();
  stopButton_->move(kStopPosition);
}

void CNoticeDlg::OnCommand(int controlId) {
  if (controlId == kStopButton) {
    emit StopRequested();
    return;
  }
  CSkinDlg::OnCommand(controlId);
}

QRect CNoticeDlg::TextArea() const {
  return QRect(kTextPosition, QPoint(width() - 1 - kTextMargin, height() - 1));
}

int CNoticeDlg::ShowNotice(QWidget* parent, int backgroundId, const QString& text) {
  CNoticeDlg notice(parent);
  notice.SetBackgroundBitmap(backgroundId);
  notice.SetNoticeText(text);
  return notice.exec();
}

void CNoticeDlg::setVisible(bool visible) {
  const bool changed = visible != isVisible();
  CSkinDlg::setVisible(visible);
  if (changed && visible) Announce(QAccessible::Alert);
  if (changed) emit ShownOrHidden();
}

void CNoticeDlg::paintEvent(QPaintEvent* event) {
  CSkinDlg::paintEvent(event);
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(Qt::black);
  // From the text position; a text too long for the line wraps (Japanese between any two
  // characters) rather than run into the edge.
  QTextOption wrapping(Qt::AlignLeft | Qt::AlignTop);
  wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  painter.drawText(QRectF(TextArea()), noticeText_, wrapping);
}
