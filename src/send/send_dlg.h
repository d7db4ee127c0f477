#pragma once

#include <QPointer>
#include <memory>

#include "platform/internet_session.h"
#include "skin/notice_dlg.h"
#include "skin/skin_dlg.h"

class CSettingsStore;
class QLineEdit;
class QPlainTextEdit;

// The send dialog: recipients, subject and message of the composed picture. Send checks the
// recipients and uploads the picture at AttachmentPath(); To: adds recipients from the address
// book. Ends with OK after a completed upload, with Cancel otherwise; a failed upload is
// reported and leaves it open.
class CSendDlg : public CSkinDlg {
  Q_OBJECT

 public:
  static constexpr int kToEdit = 1009;
  static constexpr int kSubjectEdit = 1031;
  static constexpr int kMessageEdit = 1032;
  static constexpr int kToButton = 1007;
  static constexpr int kSendButton = 1008;

  // `store` gives the account and server of the upload. `progress` is the program's progress
  // window; without one, the running application's is used, or else one of the dialog's own.
  explicit CSendDlg(CSettingsStore& store, QWidget* parent = nullptr,
                    CNoticeDlg* progress = nullptr);
  ~CSendDlg() override;

  QLineEdit* ToEdit() const { return toEdit_; }
  QLineEdit* SubjectEdit() const { return subjectEdit_; }
  QPlainTextEdit* MessageEdit() const { return messageEdit_; }
  CSkinButton* Button(int controlId) const;
  CNoticeDlg* Progress() const { return progress_; }

  // How long the upload may wait on the network.
  void SetTransferLimits(const TransferLimits& limits) { limits_ = limits; }

  void OnSend();
  void OnTo();

 protected:
  void InitDialog() override;
  void OnCommand(int controlId) override;
  // Enter in a single-line edit neither sends nor closes the dialog.
  void OnOK() override {}

 private:
  CSettingsStore& store_;
  std::unique_ptr<CNoticeDlg> ownProgress_;
  QPointer<CNoticeDlg> progress_;
  TransferLimits limits_;
  QLineEdit* toEdit_;
  QLineEdit* subjectEdit_;
  QPlainTextEdit* messageEdit_;
  CSkinButton* toButton_;
  CSkinButton* sendButton_;
  CSkinButton* cancelButton_;
};
