#include "notice_dlg.h"

#include <QPainter>

#include "resources/resource_ids.h"
#include "skin/skin_button.h"

namespace {
const QPoint kTextPosition(80, 40);
const QPoint kOkPosition(103, 117);
}  // namespace

CNoticeDlg::CNoticeDlg(QWidget* parent)
    : CSkinDlg(DialogId::Notice, parent),
      okButton_(CreateButton(ControlId::Ok, BitmapId::NoticeOkHover)) {}

void CNoticeDlg::SetNoticeText(const QString& text) {
  noticeText_ = text;
  update();
}

void CNoticeDlg::InitDialog() { PlaceButton(okButton_, kOkPosition, BitmapId::NoticeOkPressed); }

int CNoticeDlg::ShowNotice(QWidget* parent, int backgroundId, const QString& text) {
  CNoticeDlg notice(parent);
  notice.SetBackgroundBitmap(backgroundId);
  notice.SetNoticeText(text);
  return notice.exec();
}

void CNoticeDlg::setVisible(bool visible) {
  const bool changed = visible != isVisible();
  CSkinDlg::setVisible(visible);
  if (changed) emit ShownOrHidden();
}

void CNoticeDlg::paintEvent(QPaintEvent* event) {
  CSkinDlg::paintEvent(event);
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(Qt::black);
  // One line from the text position; what does not fit is cut at the window edge.
  const QRect line(kTextPosition, QSize(qMax(0, width() - kTextPosition.x()), height()));
  painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, noticeText_);
}
