#include "splash_dlg.h"

#include <QCoreApplication>
#include <QPainter>

#include "resources/resource_ids.h"

namespace {
const QPoint kTextPosition(20, 216);
}

CSplashDlg::CSplashDlg(QWidget* parent) : CSkinDlg(DialogId::Splash, parent) {
  setWindowFlag(Qt::SplashScreen);
  SetBackgroundBitmap(BitmapId::Splash);
}

void CSplashDlg::SetProgressText(const QString& text) {
  text_ = text;
  if (!isVisible()) return;
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CSplashDlg::paintEvent(QPaintEvent* event) {
  CSkinDlg::paintEvent(event);
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(Qt::black);
  painter.drawText(QRect(kTextPosition, QSize(width() - kTextPosition.x(), height())),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text_);
}
