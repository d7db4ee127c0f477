#include "address_book_dlg.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <new>

#include "platform/bitmap_resource.h"
#include "platform/dialog_font.h"
#include "platform/message_box.h"
#include "resources/resource_ids.h"
#include "send/address_book_file.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_file_menu.h"
#include "widgets/grid/grid_image_list.h"

namespace {

const QString kSend = QStringLiteral("送信する");
const QString kDontSend = QStringLiteral("送信せず");

// Headings of the columns; the grid shows the first three.
const QString kHeadings[4] = {QStringLiteral("宛先"), QStringLiteral("名前"),
                              QStringLiteral("メールアドレス"), QStringLiteral("機種")};
constexpr int kColumns = 3;
constexpr int kColumnWidths[kColumns] = {69, 137, 210};

constexpr ColorRef kPaleYellow = 0xE0FFFF;
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr unsigned kHeadingFormat = DT_WORDBREAK | DT_NOPREFIX;
constexpr unsigned kRowFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr int kImageWidth = 9;

const Rect kGridRect(56, 43, 56 + 417, 43 + 223);

}  // namespace

CAddressBookDlg::CAddressBookDlg(QWidget* parent)
    : CSkinDlg(DialogId::AddressBook, parent),
      grid_(new CGridCtrl(this)),
      okButton_(CreateButton(ControlId::Ok, BitmapId::AddressBookOkHover)),
      cancelButton_(CreateButton(ControlId::Cancel, BitmapId::AddressBookCancelHover)),
      newButton_(CreateButton(kNewButton, BitmapId::AddressBookNewHover)),
      deleteButton_(CreateButton(kDeleteButton, BitmapId::AddressBookDeleteHover)) {
  setWindowTitle(QStringLiteral("アドレス帳"));
  grid_->SetControlId(kGridId);
  grid_->setAccessibleName(QStringLiteral("宛先の一覧"));
  setTabOrder(grid_, okButton_);
  setTabOrder(okButton_, cancelButton_);
  setTabOrder(cancelButton_, newButton_);
  setTabOrder(newButton_, deleteButton_);
}

CSkinButton* CAddressBookDlg::Button(int controlId) const {
  for (CSkinButton* button : {okButton_, cancelButton_, newButton_, deleteButton_})
    if (button->ControlId() == controlId) return button;
  return nullptr;
}

void CAddressBookDlg::InitDialog() {
  grid_->SetGridFont(DialogFont());
  SetUpGrid();
  try {
    FillRows();
  } catch (const std::bad_alloc&) {
    ShowMessageBox(this, QStringLiteral("ﾒﾓﾘが不足しています。"), MessageIcon::Stop);
    return;
  }
  PlaceButton(okButton_, QPoint(407, 286), BitmapId::AddressBookOkPressed);
  PlaceButton(cancelButton_, QPoint(296, 286), BitmapId::AddressBookCancelPressed);
  PlaceButton(newButton_, QPoint(20, 287), BitmapId::AddressBookNewPressed);
  PlaceButton(deleteButton_, QPoint(105, 287), BitmapId::AddressBookDeletePressed);
  grid_->Create(kGridRect, this, kGridId);
  grid_->EnableFileMenu();  // print, write out and read in the list
  // Rows read in are new rows: not to be sent until ticked.
  grid_->FileMenu()->SetImportedRowSetup([this](int row) {
    grid_->SetCellText(row, 0, kDontSend);
    for (int col = 0; col < kColumns; ++col) {
      grid_->SetCellFormat(row, col, kRowFormat);
      grid_->SetCellBackColor(row, col, kWhite);
    }
    MakeChoiceCell(row);
  });
  grid_->setFocus();
  // Sees the grid's events and those of its cell editors.
  qApp->installEventFilter(this);
  // Said once, over the list.
  if (!readProblem_.isEmpty()) QTimer::singleShot(0, this, [this] { ReportReadProblem(); });
}

void CAddressBookDlg::ReportReadProblem() {
  const QFileInfo file(AddressBookPath());
  QString text = QStringLiteral("アドレス帳を読み込めませんでした。");
  // Saving writes over a regular file only after keeping its bytes.
  if (file.isFile())
    text += QStringLiteral("保存するときは、元のファイルを「%1.bak」として残します。")
                .arg(file.fileName());
  ShowMessageBox(this, text + QLatin1Char('\n') + readProblem_, MessageIcon::Warning);
}

void CAddressBookDlg::SetUpGrid() {
  grid_->SetImageList(std::make_shared<CGridImageList>(CGridImageList::FromStrip(
      LoadScreenBitmap(BitmapId::AddressBookImages), kImageWidth, qRgb(255, 255, 255))));
  grid_->SetModified(true);
  grid_->SetSingleRowOnly(true);
  grid_->SetRowSelectMode(true);
  grid_->SetDefaultCellBackColor(kPaleYellow);
}

void CAddressBookDlg::FillRows() {
  AddressBook book = ReadAddressBook(AddressBookPath());
  const std::vector<AddressEntry>& entries = book.entries;
  const int rows = static_cast<int>(entries.size());
  readProblem_ = book.problem;
  stored_.clear();
  grid_->SetRowCount(rows + 1);
  grid_->SetColumnCount(kColumns);
  grid_->SetFixedRowCount(1);
  grid_->SetFixedColumnCount(0);
  grid_->SetSingleRowOnly(false);

  for (int col = 0; col < kColumns; ++col) {
    CellInfo heading;
    heading.mask = CELLMASK_TEXT | CELLMASK_FORMAT;
    heading.row = 0;
    heading.col = col;
    heading.text = kHeadings[col];
    heading.format = kHeadingFormat;
    grid_->SetCellInfo(heading);
  }
  for (int row = 1; row <= rows; ++row) {
    const AddressEntry& entry = entries[static_cast<std::size_t>(row - 1)];
    const QString texts[kColumns] = {kDontSend, entry.name, entry.address};
    for (int col = 0; col < kColumns; ++col) {
      CellInfo cell;
      cell.mask = CELLMASK_TEXT | CELLMASK_FORMAT | CELLMASK_BKCLR;
      cell.row = row;
      cell.col = col;
      cell.text = texts[col];
      cell.format = kRowFormat;
      cell.backColor = kWhite;
      // The name cell carries the row's record wherever sorting moves it.
      if (col == 1) {
        cell.mask |= CELLMASK_PARAM;
        cell.data = static_cast<CellData>(stored_.size() + 1);
      }
      grid_->SetCellInfo(cell);
    }
    stored_.push_back(entry.stored);
    MakeChoiceCell(row);
  }
  // The widths first: the scroll bars are measured from them.
  for (int col = 0; col < kColumns; ++col) grid_->SetColumnWidth(col, kColumnWidths[col]);
  grid_->ResetScrollBars();
  grid_->update();
}

void CAddressBookDlg::MakeChoiceCell(int row) {
  if (auto* cell = dynamic_cast<CGridCell*>(grid_->GetCell(row, 0))) cell->SetChoiceCell(true);
}

void CAddressBookDlg::OnCommand(int controlId) {
  switch (controlId) {
    case kNewButton:
      OnNew();
      break;
    case kDeleteButton:
      OnDelete();
      break;
    default:
      CSkinDlg::OnCommand(controlId);
  }
}

void CAddressBookDlg::OnNew() {
  const int row = grid_->InsertRow(kDontSend);
  if (row >= 0) MakeChoiceCell(row);
  grid_->update();
}

void CAddressBookDlg::OnDelete() {
  const CellID focus = grid_->GetFocusCell();
  if (focus.row > 0) grid_->DeleteRow(focus.row);
  grid_->update();
}

void CAddressBookDlg::OnOK() {
  // A cell still being edited keeps its text, as when the click had taken the focus from it.
  grid_->EndEditing();
  QStringList chosen;
  std::vector<AddressEntry> entries;
  for (int row = 1; row < grid_->GetRowCount(); ++row) {
    const QString address = grid_->GetCellText(row, 2);
    if (grid_->GetCellText(row, 0) == kSend) chosen.append(address);
    entries.push_back({grid_->GetCellText(row, 1), address, StoredRecord(row)});
  }
  // A character that cannot be stored keeps the dialog open with the edits, so that it can be
  // changed.
  std::string bytes;
  try {
    bytes = EncodeAddressBook(entries);
  } catch (const UnstorableTextError& error) {
    CNoticeDlg::ShowNotice(this, BitmapId::NoticeMessage, error.Description());
    return;
  }
  // A save that fails is reported, but the ticked recipients still go to the send window.
  RunReportingErrors(this, [&] {
    const QString path = AddressBookPath();
    if (!readProblem_.isEmpty()) KeepUnreadableAddressBook(path);
    WriteAddressBook(path, bytes);
  });
  chosenAddresses_ = chosen;
  EndDialog(QDialog::Accepted);
}

std::string CAddressBookDlg::StoredRecord(int row) const {
  CellInfo cell;
  cell.mask = CELLMASK_PARAM;
  cell.row = row;
  cell.col = 1;
  if (!grid_->GetCellInfo(cell) || cell.data <= 0 ||
      cell.data > static_cast<CellData>(stored_.size()))
    return {};
  return stored_[static_cast<std::size_t>(cell.data - 1)];
}

void CAddressBookDlg::ToggleSendFlag(int row) {
  if (row < 1 || row >= grid_->GetRowCount()) return;
  grid_->SetCellText(row, 0, grid_->GetCellText(row, 0) == kSend ? kDontSend : kSend);
  grid_->RedrawCell(row, 0);
}

bool CAddressBookDlg::eventFilter(QObject* watched, QEvent* event) {
  // Ticking a recipient: Space on the focused row, or a double click on its send cell (also
  // when the first click of it opened the cell's list).
  auto* widget = qobject_cast<QWidget*>(watched);
  const bool onGrid = widget && (widget == grid_ || grid_->isAncestorOf(widget));
  if (!onGrid) return false;
  if (event->type() == QEvent::KeyPress && watched == grid_) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Space || key->modifiers() != Qt::NoModifier) return false;
    const CellID focus = grid_->GetFocusCell();
    if (focus.row < 1) return false;
    ToggleSendFlag(focus.row);
    return true;
  }
  if (event->type() == QEvent::MouseButtonDblClick) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    const QPoint point = widget->mapTo(grid_, mouse->position().toPoint());
    const CellID cell = grid_->GetCellFromPt(point);
    if (cell.row < 1 || cell.col != 0) return false;
    grid_->EndEditing();
    ToggleSendFlag(cell.row);
    return true;
  }
  return false;
}

void CAddressBookDlg::keyPressEvent(QKeyEvent* event) {
  // Keys that reach the dialog itself do nothing, except Escape.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    OnCancel();
    return;
  }
  event->accept();
}
