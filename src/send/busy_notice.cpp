#include "busy_notice.h"

#include <QCoreApplication>
#include <QEvent>

#include "skin/notice_dlg.h"
#include "skin/skin_button.h"

BusyNotice::BusyNotice(CNoticeDlg* notice, const QString& text) : notice_(notice) {
  if (!notice_) return;
  modality_ = notice_->windowModality();
  notice_->installEventFilter(this);
  Show(text);
}

BusyNotice::~BusyNotice() {
  Hide();
  if (notice_) {
    notice_->removeEventFilter(this);
    notice_->setWindowModality(modality_);
  }
}

void BusyNotice::Show(const QString& text) {
  if (!notice_) return;
  notice_->SetNoticeText(text);
  notice_->OkButton()->hide();
  if (!notice_->isVisible()) {
    // Modality only takes effect when the window is shown.
    notice_->setWindowModality(Qt::ApplicationModal);
    notice_->show();
  }
  notice_->RepaintNow();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void BusyNotice::Hide() {
  if (notice_) notice_->hide();
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
