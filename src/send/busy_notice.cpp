#include "busy_notice.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include "skin/notice_dlg.h"
#include "skin/skin_button.h"

BusyNotice::BusyNotice(CNoticeDlg* notice, const QString& text, QWidget* opener)
    : notice_(notice), opener_(opener) {
  if (!notice_) return;
  modality_ = notice_->windowModality();
  notice_->installEventFilter(this);
  Show(text);
}

BusyNotice::~BusyNotice() {
  Hide();
  if (notice_) {
    notice_->StopButton()->hide();
    QObject::disconnect(notice_, &CNoticeDlg::StopRequested, this, nullptr);
    notice_->removeEventFilter(this);
    notice_->setWindowModality(modality_);
  }
}

void BusyNotice::Show(const QString& text) {
  if (!notice_) return;
  notice_->SetNoticeText(text);
  notice_->OkButton()->hide();
  if (!notice_->isVisible()) {
    // Kept above the window it reports on: shown again, a window keeps its old place in the
    // stack, below windows made since, unless raised.
    QWidget* opener = opener_ ? opener_->window() : QApplication::activeWindow();
    if (opener && opener != notice_) {
      notice_->winId();
      opener->winId();
      notice_->windowHandle()->setTransientParent(opener->windowHandle());
    }
    // Modality only takes effect when the window is shown.
    notice_->setWindowModality(Qt::ApplicationModal);
    notice_->show();
  }
  notice_->raise();
  notice_->RepaintNow();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void BusyNotice::Hide() {
  if (notice_) notice_->hide();
}

void BusyNotice::OfferStop(std::function<void()> onStop) {
  if (!notice_ || !notice_->isVisible()) return;
  connect(notice_, &CNoticeDlg::StopRequested, this, std::move(onStop));
  notice_->StopButton()->show();
  notice_->RepaintNow();
}

bool BusyNotice::eventFilter(QObject* watched, QEvent* event) {
  if (watched != notice_) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Close:
      event->ignore();
      return true;
    default:
      return false;
  }
}
