#pragma once

#include <QStringList>
#include <string>
#include <vector>

#include "skin/skin_dlg.h"

class CGridCtrl;

// The address book: the recipients of the address book file in a grid of send flag, name and
// mail address. New adds a row, Delete removes the focus row, OK saves the list and hands the
// addresses marked "送信する" to the opener, Cancel forgets every change. Space on the focused
// row or a double click on its send cell ticks or unticks a recipient.
class CAddressBookDlg : public CSkinDlg {
  Q_OBJECT

 public:
  static constexpr int kGridId = 1003;
  static constexpr int kNewButton = 1010;
  static constexpr int kDeleteButton = 1011;

  // The opener sets the background bitmap before showing it.
  explicit CAddressBookDlg(QWidget* parent = nullptr);

  // After OK: the mail addresses of the rows marked to send, in row order, empty ones included.
  const QStringList& ChosenAddresses() const { return chosenAddresses_; }

  CGridCtrl* Grid() const { return grid_; }
  CSkinButton* Button(int controlId) const;

 protected:
  void InitDialog() override;
  void OnCommand(int controlId) override;
  void OnOK() override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetUpGrid();
  void FillRows();
  void ReportReadProblem();
  void OnNew();
  void OnDelete();
  void MakeChoiceCell(int row);
  // "送信する" becomes "送信せず" and the other way round.
  void ToggleSendFlag(int row);
  // The file's bytes for the row as it was read, or nothing for a row added since.
  std::string StoredRecord(int row) const;

  QStringList chosenAddresses_;
  // The records as read, in file order; the name cell of each row holds its index + 1.
  std::vector<std::string> stored_;
  // Why the file could not be read whole; empty when it could (or there was none).
  QString readProblem_;
  CGridCtrl* grid_;
  CSkinButton* okButton_;
  CSkinButton* cancelButton_;
  CSkinButton* newButton_;
  CSkinButton* deleteButton_;
};
