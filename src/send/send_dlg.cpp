#include "send_dlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/composer_app.h"
#include "app/mail_address.h"
#include "platform/errors.h"
#include "protocol/cp932.h"
#include "resources/resource_ids.h"
#include "send/address_book_dlg.h"
#include "send/busy_notice.h"
#include "send/event_wait.h"
#include "send/upload_picture.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"

namespace {

using namespace std::chrono_literals;

// The recipients are read up to this many bytes before they are checked.
constexpr std::size_t kToReadLimit = 1022;

QLineEdit* CreateLineEdit(QWidget* parent, int id) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::number(id));
  edit->setFrame(false);
  edit->setTextMargins(2, 0, 2, 0);
  edit->setMaxLength(32767);
  return edit;
}

// Shows the wait cursor until the object goes.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CSendDlg::CSendDlg(CSettingsStore& store, QWidget* parent, CNoticeDlg* progress)
    : CSkinDlg(DialogId::Send, parent),
      store_(store),
      progress_(progress),
      toEdit_(CreateLineEdit(this, kToEdit)),
      subjectEdit_(CreateLineEdit(this, kSubjectEdit)),
      messageEdit_(new QPlainTextEdit(this)),
      toButton_(CreateButton(kToButton, BitmapId::SendToHover)),
      sendButton_(CreateButton(kSendButton, BitmapId::SendSendHover)),
      cancelButton_(CreateButton(ControlId::Cancel, BitmapId::SendCancelHover)) {
  setWindowTitle(QStringLiteral("送信"));
  SetBackgroundBitmap(BitmapId::Send);
  if (!progress_ && CComposerApp::Instance()) progress_ = CComposerApp::Instance()->Notice();
  if (!progress_) {
    ownProgress_ = std::make_unique<CNoticeDlg>();
    ownProgress_->SetBackgroundBitmap(BitmapId::NoticeProgress);
    ownProgress_->Create();
    progress_ = ownProgress_.get();
  }
  toEdit_->setAccessibleName(QStringLiteral("宛先"));
  subjectEdit_->setAccessibleName(QStringLiteral("件名"));
  messageEdit_->setAccessibleName(QStringLiteral("本文"));
  messageEdit_->setObjectName(QString::number(kMessageEdit));
  messageEdit_->setFrameShape(QFrame::NoFrame);
  messageEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  messageEdit_->setTabChangesFocus(true);
  setTabOrder(toEdit_, subjectEdit_);
  setTabOrder(subjectEdit_, messageEdit_);
  setTabOrder(messageEdit_, toButton_);
  setTabOrder(toButton_, sendButton_);
  setTabOrder(sendButton_, cancelButton_);
}

CSendDlg::~CSendDlg() = default;

CSkinButton* CSendDlg::Button(int controlId) const {
  for (CSkinButton* button : {toButton_, sendButton_, cancelButton_})
    if (button->ControlId() == controlId) return button;
  return nullptr;
}

void CSendDlg::InitDialog() {
  PlaceButton(toButton_, QPoint(21, 256), BitmapId::SendToPressed);
  PlaceButton(sendButton_, QPoint(319, 256), BitmapId::SendSendPressed);
  PlaceButton(cancelButton_, QPoint(207, 256), BitmapId::SendCancelPressed);
  toEdit_->setGeometry(143, 49, 246, 23);
  subjectEdit_->setGeometry(143, 90, 246, 23);
  messageEdit_->setGeometry(38, 131, 362, 97);
  toEdit_->setFocus();
}

void CSendDlg::OnCommand(int controlId) {
  switch (controlId) {
    case kSendButton:
      OnSend();
      break;
    case kToButton:
      OnTo();
      break;
    default:
      CSkinDlg::OnCommand(controlId);
  }
}

void CSendDlg::OnSend() {
  const QString to = CutToCp932Bytes(toEdit_->text(), kToReadLimit).trimmed();
  if (!AcceptMailAddress(this, to)) return;
  // The texts go as they stand in the edits, white space included.
  const UploadTexts texts{
      toEdit_->text(), subjectEdit_->text(),
      messageEdit_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"))};
  bool cancelled = false;
  const bool sent = RunReportingErrors(this, [&] {
    const WaitCursor wait;
    try {
      UploadPicture(texts, progress_, store_, limits_, this);
    } catch (const UploadCancelled&) {
      cancelled = true;
      return;
    }
    // Kept on screen for a second; the windows stay painted but take no input meanwhile.
    const BusyNotice done(progress_, QStringLiteral("送信しました。"), this);
    WaitFor(1000ms);
  });
  // Stopped by the user: the dialog stays with its texts, to send again or not.
  if (cancelled) {
    CNoticeDlg::ShowNotice(this, BitmapId::NoticeMessage, QStringLiteral("送信を中止しました。"));
    return;
  }
  if (sent) EndDialog(QDialog::Accepted);
}

void CSendDlg::OnTo() {
  QString text = CutToCp932Bytes(toEdit_->text(), kToReadLimit).trimmed();
  if (!text.isEmpty()) text += QLatin1Char(',');

  CAddressBookDlg book(this);
  book.SetBackgroundBitmap(BitmapId::AddressBook);
  if (book.exec() == QDialog::Accepted) {
    if (book.ChosenAddresses().isEmpty()) return;
    for (const QString& address : book.ChosenAddresses()) text += address + QLatin1Char(',');
  }
  text.chop(1);
  toEdit_->setText(text);
}
