#include "grid_ctrl.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/system_colors.h"
#include "widgets/grid/grid_accessible.h"
#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_clipboard.h"
#include "widgets/grid/grid_drag_source.h"
#include "widgets/grid/grid_drop_target.h"
#include "widgets/grid/grid_edit_rules.h"
#include "widgets/grid/grid_file_menu.h"
#include "widgets/grid/grid_input_method.h"
#include "widgets/grid/grid_key_handler.h"
#include "widgets/grid/grid_mouse_handler.h"
#include "widgets/grid/grid_painter.h"
#include "widgets/grid/grid_print_job.h"
#include "widgets/grid/grid_printer.h"
#include "widgets/grid/grid_scroll_bars.h"
#include "widgets/grid/grid_sort.h"
#include "widgets/grid/grid_text_file.h"
#include "widgets/grid/title_tip.h"

CGridCtrl::CGridCtrl(QWidget* parent, int rows, int cols, int fixedRows, int fixedCols)
    : QWidget(parent),
      store_(*this),
      selection_(store_),
      view_(store_),
      mouse_(std::make_unique<CGridMouseHandler>(*this)),
      keys_(std::make_unique<CGridKeyHandler>(*this, *mouse_)),
      inputMethod_(std::make_unique<CGridInputMethod>(*this)),
      dropTarget_(std::make_unique<CGridDropTarget>(*this, [this] { mouse_->EndDrag(); })),
      cellFactory_([] { return std::make_unique<CGridCell>(); }),
      look_(font()),
      printer_(std::make_unique<CGridPrinter>(*this)) {
  InstallGridAccessible();
  qRegisterMetaType<GridNotify>();
  qRegisterMetaType<CellDispInfo>();
  setObjectName(QStringLiteral("CGridCtrl"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAcceptDrops(true);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_OpaquePaintEvent);

  scrollBars_ = std::make_unique<CGridScrollBars>(
      this, [this](Qt::Orientation orientation, int code, int thumbPos) {
        if (orientation == Qt::Vertical) {
          OnVScroll(code, thumbPos);
        } else {
          OnHScroll(code, thumbPos);
        }
      });

  wheelLines_ = QApplication::wheelScrollLines();
  titleTip_ = new CTitleTip(this);

  SetRowCount(rows);
  SetColumnCount(cols);
  SetFixedRowCount(fixedRows);
  SetFixedColumnCount(fixedCols);
}

CGridCtrl::~CGridCtrl() { store_.Clear(); }

bool CGridCtrl::Create(const Rect& rect, QWidget* parent, int id) {
  if (parent && parent != parentWidget()) setParent(parent);
  controlId_ = id;
  setGeometry(rect.ToQRect());
  show();
  return true;
}

// --- Shape ---

bool CGridCtrl::SetRowCount(int rows) {
  rows = std::max(0, rows);
  if (rows == GetRowCount()) return true;
  EndEditing();  // an open editor reports to its cell before the cells move
  if (focusCell_.row >= rows) focusCell_ = CellID();
  store_.SetRowCount(rows, look_.DefaultRowHeight());
  SetModified();
  ResetScrollBars();
  update();
  return true;
}

bool CGridCtrl::SetColumnCount(int cols) {
  cols = std::max(0, cols);
  if (cols == GetColumnCount()) return true;
  EndEditing();
  if (focusCell_.col >= cols) focusCell_ = CellID();
  store_.SetColumnCount(cols, look_.DefaultColumnWidth());
  SetModified();
  ResetScrollBars();
  update();
  return true;
}

bool CGridCtrl::SetFixedRowCount(int fixedRows) {
  fixedRows = std::max(0, fixedRows);
  const int old = GetFixedRowCount();
  if (fixedRows == old) return true;
  if (fixedRows > GetRowCount() && !SetRowCount(fixedRows)) return false;
  if (focusCell_.row >= 0 && focusCell_.row < fixedRows) SetFocusCell(CellID());
  store_.SetFixedRowCount(fixedRows);
  // Rows that become fixed or stop being so, outside the fixed columns.
  store_.MarkFixed(std::min(old, fixedRows), std::max(old, fixedRows), GetFixedColumnCount(),
                   GetColumnCount(), fixedRows > old);
  ResetScrollBars();
  update();
  return true;
}

bool CGridCtrl::SetFixedColumnCount(int fixedCols) {
  fixedCols = std::max(0, fixedCols);
  const int old = GetFixedColumnCount();
  if (fixedCols == old) return true;
  if (fixedCols > GetColumnCount() && !SetColumnCount(fixedCols)) return false;
  if (focusCell_.col >= 0 && focusCell_.col < fixedCols) SetFocusCell(CellID());
  store_.SetFixedColumnCount(fixedCols);
  store_.MarkFixed(GetFixedRowCount(), GetRowCount(), std::min(old, fixedCols),
                   std::max(old, fixedCols), fixedCols > old);
  ResetScrollBars();
  update();
  return true;
}

int CGridCtrl::InsertRow(const QString& heading, int before) {
  if (before >= GetRowCount()) return -1;
  EndEditing();
  ResetSelectedRange();
  if (GetColumnCount() == 0) SetColumnCount(1);
  const int row = store_.InsertRow(before, look_.DefaultRowHeight());
  if (CGridCellBase* cell = GetCell(row, 0)) {
    cell->SetText(heading);
    SetRowHeight(row, cell->GetTextExtent(heading).height());
  }
  if (before >= 0 && focusCell_.row >= row) ++focusCell_.row;
  ResetScrollBars();
  SetModified();
  update();
  return row;
}

int CGridCtrl::InsertColumn(const QString& heading, unsigned format, int before) {
  if (before >= GetColumnCount()) return -1;
  EndEditing();
  ResetSelectedRange();
  if (GetRowCount() == 0) SetRowCount(1);
  const int col = store_.InsertColumn(before, look_.DefaultColumnWidth());
  for (int row = 0; row < GetRowCount(); ++row) {
    if (CGridCellBase* cell = GetCell(row, col)) cell->SetFormat(format);
  }
  if (CGridCellBase* cell = GetCell(0, col)) {
    cell->SetText(heading);
    SetColumnWidth(col, cell->GetTextExtent(heading).width());
  }
  if (before >= 0 && focusCell_.col >= col) ++focusCell_.col;
  ResetScrollBars();
  SetModified();
  update();
  return col;
}

bool CGridCtrl::DeleteRow(int row) {
  if (row < 0 || row >= GetRowCount()) return false;
  EndEditing();
  ResetSelectedRange();
  store_.DeleteRow(row);
  if (focusCell_.row == row) {
    focusCell_ = CellID();
  } else if (focusCell_.row > row) {
    --focusCell_.row;
  }
  ResetScrollBars();
  SetModified();
  update();
  return true;
}

bool CGridCtrl::DeleteAllItems() {
  EndEditing();
  ResetSelectedRange();
  store_.Clear();
  focusCell_ = CellID();
  mouse_->ForgetCells();
  ResetScrollBars();
  SetModified();
  update();
  return true;
}

// --- Cells ---

void CGridCtrl::SetCellFactory(CellFactory factory) { cellFactory_ = std::move(factory); }

bool CGridCtrl::SetCellType(int row, int col, const CellFactory& factory) {
  CGridCellBase* old = GetCell(row, col);
  if (!old || !factory) return false;
  std::unique_ptr<CGridCellBase> cell = factory();
  if (!cell) return false;
  EndEditing();  // the old cell's editor reports before the cell goes
  cell->Assign(*old);
  cell->SetCoords(row, col);
  return store_.ReplaceCell(row, col, std::move(cell));
}

std::unique_ptr<CGridCellBase> CGridCtrl::CreateCell(int row, int col) {
  std::unique_ptr<CGridCellBase> cell = cellFactory_ ? cellFactory_() : nullptr;
  if (!cell) return nullptr;
  cell->SetGrid(this);
  cell->SetFont(look_.DefaultFont());
  cell->SetCoords(row, col);
  if (row > 0) {
    if (const CGridCellBase* above = GetCell(row - 1, col)) cell->SetFormat(above->GetFormat());
  }
  if (row < GetFixedRowCount() || col < GetFixedColumnCount())
    cell->SetState(cell->GetState() | CELLSTATE_FIXED);
  return cell;
}

void CGridCtrl::DestroyCell(int row, int col) {
  if (CGridCellBase* cell = GetCell(row, col)) cell->SetState(0);
  selection_.Forget({row, col});
}

bool CGridCtrl::SetCellInfo(const CellInfo& item) {
  CGridCellBase* cell = GetCell(item.row, item.col);
  if (!cell) return false;
  SetModified(true, item.row, item.col);
  if (item.mask & CELLMASK_TEXT) cell->SetText(item.text);
  if (item.mask & CELLMASK_PARAM) cell->SetData(item.data);
  if (item.mask & CELLMASK_IMAGE) cell->SetImage(item.image);
  if (item.mask & CELLMASK_STATE) SetCellState(item.row, item.col, item.state);
  if (item.mask & CELLMASK_FORMAT) cell->SetFormat(item.format);
  if (item.mask & CELLMASK_BKCLR) cell->SetBackClr(item.backColor);
  if (item.mask & CELLMASK_FGCLR) cell->SetTextClr(item.textColor);
  if (item.mask & CELLMASK_FONT) cell->SetFont(item.font);
  if (item.mask & CELLMASK_MARGIN) cell->SetMargin(item.margin);
  return true;
}

bool CGridCtrl::GetCellInfo(CellInfo& item) const {
  const CGridCellBase* cell = GetCell(item.row, item.col);
  if (!cell) return false;
  if (item.mask & CELLMASK_TEXT) item.text = cell->GetText();
  if (item.mask & CELLMASK_PARAM) item.data = cell->GetData();
  if (item.mask & CELLMASK_IMAGE) item.image = cell->GetImage();
  if (item.mask & CELLMASK_STATE) item.state = cell->GetState();
  if (item.mask & CELLMASK_FORMAT) item.format = cell->GetFormat();
  if (item.mask & CELLMASK_BKCLR) item.backColor = cell->GetBackClr();
  if (item.mask & CELLMASK_FGCLR) item.textColor = cell->GetTextClr();
  if (item.mask & CELLMASK_FONT) item.font = cell->GetFont();
  if (item.mask & CELLMASK_MARGIN) item.margin = cell->GetMargin();
  return true;
}

#define CELL_SETTER(Name, Type, Call)                  \
  bool CGridCtrl::Name(int row, int col, Type value) { \
    CGridCellBase* cell = GetCell(row, col);           \
    if (!cell) return false;                           \
    cell->Call(value);                                 \
    return true;                                       \
  }
#define CELL_GETTER(Name, Type, Call, Fallback)    \
  Type CGridCtrl::Name(int row, int col) const {   \
    const CGridCellBase* cell = GetCell(row, col); \
    return cell ? cell->Call() : Fallback;         \
  }

CELL_SETTER(SetCellText, const QString&, SetText)
CELL_GETTER(GetCellText, QString, GetText, QString())
CELL_SETTER(SetCellData, CellData, SetData)
CELL_GETTER(GetCellData, CellData, GetData, 0)
CELL_SETTER(SetCellImage, int, SetImage)
CELL_GETTER(GetCellImage, int, GetImage, -1)
CELL_GETTER(GetCellState, unsigned, GetState, 0u)
CELL_SETTER(SetCellFormat, unsigned, SetFormat)
CELL_GETTER(GetCellFormat, unsigned, GetFormat, 0u)
CELL_SETTER(SetCellBackColor, ColorRef, SetBackClr)
CELL_GETTER(GetCellBackColor, ColorRef, GetBackClr, CLR_DEFAULT)
CELL_SETTER(SetCellTextColor, ColorRef, SetTextClr)
CELL_GETTER(GetCellTextColor, ColorRef, GetTextClr, CLR_DEFAULT)
CELL_SETTER(SetCellFont, const LogFont&, SetFont)
CELL_SETTER(SetCellMargin, unsigned, SetMargin)
CELL_GETTER(GetCellMargin, unsigned, GetMargin, 0u)

#undef CELL_SETTER
#undef CELL_GETTER

bool CGridCtrl::SetCellState(int row, int col, unsigned state) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetState(state);
  selection_.Note({row, col}, (state & CELLSTATE_SELECTED) != 0);
  return true;
}

const LogFont* CGridCtrl::GetCellFont(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? &cell->GetFont() : nullptr;
}

bool CGridCtrl::IsValid(const CellRange& range) const {
  return range.IsValid() && IsValid(range.minRow, range.minCol) &&
         IsValid(range.maxRow, range.maxCol);
}

bool CGridCtrl::IsCellEditable(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return editable_ && cell && !(cell->GetState() & CELLSTATE_READONLY);
}

bool CGridCtrl::IsCellSelected(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return enableSelection_ && cell && (cell->GetState() & CELLSTATE_SELECTED);
}

bool CGridCtrl::IsCellFixed(int row, int col) const {
  return IsValid(row, col) && (row < GetFixedRowCount() || col < GetFixedColumnCount());
}

bool CGridCtrl::IsCellVisible(int row, int col) const {
  if (!IsValid(row, col)) return false;
  const CellRange visible = view_.VisibleNonFixed();
  return (row < GetFixedRowCount() || (row >= visible.minRow && row <= visible.maxRow)) &&
         (col < GetFixedColumnCount() || (col >= visible.minCol && col <= visible.maxCol));
}

// --- Sizes ---

bool CGridCtrl::SetRowHeight(int row, int height) {
  if (row < 0 || row >= GetRowCount()) return false;
  store_.SetRowHeight(row, height);
  return true;
}

bool CGridCtrl::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= GetColumnCount()) return false;
  store_.SetColumnWidth(col, width);
  return true;
}

bool CGridCtrl::AutoSizeColumn(int col) {
  if (col < 0 || col >= GetColumnCount()) return false;
  int width = 0;
  for (int row = 0; row < GetRowCount(); ++row) {
    if (const CGridCellBase* cell = GetCell(row, col))
      width = std::max(width, cell->GetCellExtent().width());
  }
  SetColumnWidth(col, width);
  ResetScrollBars();
  update();
  return true;
}

bool CGridCtrl::AutoSizeRow(int row) {
  if (row < 0 || row >= GetRowCount()) return false;
  int height = 0;
  for (int col = 0; col < GetColumnCount(); ++col) {
    if (const CGridCellBase* cell = GetCell(row, col))
      height = std::max(height, cell->GetCellExtent().height());
  }
  SetRowHeight(row, height);
  ResetScrollBars();
  update();
  return true;
}

// --- Geometry ---

Rect CGridCtrl::GetClientRect() const { return view_.ClientRect(); }

bool CGridCtrl::GetCellOrigin(int row, int col, QPoint* origin) const {
  if (!IsValid(row, col)) return false;
  *origin = view_.CellOrigin(row, col);
  return true;
}

bool CGridCtrl::GetCellRect(int row, int col, Rect* rect) const {
  if (!IsValid(row, col)) return false;
  *rect = view_.CellRect(row, col);
  return true;
}

CellID CGridCtrl::GetCellFromPt(QPoint point, bool allowFixed) const {
  return view_.CellFromPoint(point, allowFixed);
}

CellRange CGridCtrl::GetCellRange() const {
  return {0, 0, GetRowCount() - 1, GetColumnCount() - 1};
}

void CGridCtrl::EnsureVisible(int row, int col) {
  if (view_.EnsureVisible(row, col)) {
    SyncScrollBars();
    update();
  }
}

int CGridCtrl::GetScrollPos(Qt::Orientation orientation) const {
  return orientation == Qt::Vertical ? view_.ScrollY() : view_.ScrollX();
}

int CGridCtrl::GetScrollLimit(Qt::Orientation orientation) const {
  return orientation == Qt::Vertical ? view_.MaxScrollY() : view_.MaxScrollX();
}

// --- Focus and selection ---

std::function<void(int, int)> CGridCtrl::Redrawer() {
  return [this](int row, int col) { RedrawCell(row, col); };
}

void CGridCtrl::RedrawHeadings(const CellID& cell, bool rowChanged, bool colChanged) {
  if (colChanged) {
    for (int row = 0; row < GetFixedRowCount(); ++row) RedrawCell(row, cell.col);
  }
  if (rowChanged) {
    for (int col = 0; col < GetFixedColumnCount(); ++col) RedrawCell(cell.row, col);
  }
}

CellID CGridCtrl::SetFocusCell(CellID cell) {
  if (cell.row != -1 && cell.row < GetFixedRowCount()) cell.row = GetFixedRowCount();
  if (cell.col != -1 && cell.col < GetFixedColumnCount()) cell.col = GetFixedColumnCount();
  const CellID previous = focusCell_;
  if (cell == previous) return previous;
  const bool rowChanged = cell.row != previous.row;
  const bool colChanged = cell.col != previous.col;
  if (CGridCellBase* old = GetCell(previous.row, previous.col)) {
    SendNotify(GRIDN_SELCHANGING, previous);
    old->SetState(old->GetState() & ~CELLSTATE_FOCUSED);
    RedrawCell(previous.row, previous.col);
    RedrawHeadings(previous, rowChanged, colChanged);
  }
  focusCell_ = cell;
  if (CGridCellBase* now = GetCell(cell.row, cell.col)) {
    now->SetState(now->GetState() | CELLSTATE_FOCUSED);
    RedrawCell(cell.row, cell.col);
    RedrawHeadings(cell, rowChanged, colChanged);
    SendNotify(GRIDN_SELCHANGED, cell);
    if (listMode_) {
      selection_.ClearPrevious();
      SelectAs(MouseMode::SelectRows, cell);
    }
    NotifyGridFocusCell(this);
  }
  return previous;
}

void CGridCtrl::SetSelectedRange(const CellRange& range, bool forceRedraw) {
  if (!enableSelection_) return;
  selection_.SetRange(range, singleRowOnly_, forceRedraw, Redrawer());
}

void CGridCtrl::ResetSelectedRange() {
  selection_.ClearPrevious();
  selection_.Clear(Redrawer());
}

void CGridCtrl::SelectAllCells() {
  if (!enableSelection_) return;
  SetSelectedRange(
      {GetFixedRowCount(), GetFixedColumnCount(), GetRowCount() - 1, GetColumnCount() - 1});
}

void CGridCtrl::SelectAs(MouseMode mode, const CellID& cell) {
  if (!enableSelection_) return;
  const CellRange range =
      SelectionRangeFor(store_, mode, mouse_->SelectionStart(), cell, listMode_, singleRowOnly_);
  if (range.IsValid()) SetSelectedRange(range);
}

MouseMode CGridCtrl::GetMouseMode() const { return mouse_->Mode(); }

void CGridCtrl::SetListMode(bool listMode) { listMode_ = listMode; }

void CGridCtrl::EnableSelection(bool enable) {
  // Cells selected before would stay drawn selected.
  if (!enable) ResetSelectedRange();
  enableSelection_ = enable;
}

void CGridCtrl::SetAllowDraw(bool allow) {
  allowDraw_ = allow;
  if (allow) update();
}

void CGridCtrl::SetDragAndDrop(bool allow) { allowDragAndDrop_ = allow; }

// --- Modified ---

void CGridCtrl::SetModified(bool modified, int row, int col) {
  sortColumn_ = -1;
  if (row > 0 && col > 0) {
    if (CGridCellBase* cell = GetCell(row, col)) {
      if (modified) {
        cell->SetState(cell->GetState() | CELLSTATE_MODIFIED);
        modified_ = true;
      } else {
        cell->SetState(cell->GetState() & ~CELLSTATE_MODIFIED);
      }
    }
  } else {
    modified_ = modified;
  }
  if (!modified_) {
    for (int r = 0; r < GetRowCount(); ++r) {
      for (int c = 0; c < GetColumnCount(); ++c) {
        if (CGridCellBase* cell = GetCell(r, c))
          cell->SetState(cell->GetState() & ~CELLSTATE_MODIFIED);
      }
    }
  }
}

bool CGridCtrl::GetModified(int row, int col) const {
  if (row > 0 && col > 0) return (GetCellState(row, col) & CELLSTATE_MODIFIED) != 0;
  return modified_;
}

// --- Colours and fonts ---

void CGridCtrl::OnSysColorChange() {
  look_.OnSysColorChange();
  update();
}

void CGridCtrl::SetGridFont(const QFont& font) {
  if (this->font() != font) setFont(font);  // comes back through changeEvent
  if (!look_.SetFont(font)) return;
  for (int row = 0; row < GetRowCount(); ++row) {
    for (int col = 0; col < GetColumnCount(); ++col) {
      if (CGridCellBase* cell = GetCell(row, col)) cell->SetFont(look_.DefaultFont());
    }
  }
  update();
}

// --- Sorting ---

bool CGridCtrl::SortTextItems(int col, bool ascending) {
  if (col < 0 || col >= GetColumnCount()) return false;
  EndEditing();
  sortColumn_ = col;
  sortAscending_ = ascending;
  ResetSelectedRange();
  SetFocusCell(CellID());
  const int first = GetFixedRowCount();
  const int count = GetRowCount() - first;
  if (count > 1) {
    std::vector<QString> texts;
    texts.reserve(count);
    for (int row = first; row < GetRowCount(); ++row) texts.push_back(GetCellText(row, col));
    std::vector<int> order = SortedOrder(texts, ascending);
    for (int& index : order) index += first;
    store_.PermuteRows(first, order);
  }
  update();
  return true;
}

void CGridCtrl::OnFixedRowClick(CellID& cell) {
  if (!IsValid(cell)) return;
  if (listMode_) {
    if (!sortOnClick_) return;
    // The same heading again reverses the order; another one sorts ascending.
    const bool ascending = cell.col == sortColumn_ ? !sortAscending_ : true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SortTextItems(cell.col, ascending);
    QApplication::restoreOverrideCursor();
    update();
    return;
  }
  mouse_->BeginSelecting(
      cell.col < GetFixedColumnCount() ? MouseMode::SelectAll : MouseMode::SelectColumns, cell);
}

void CGridCtrl::OnFixedColumnClick(CellID& cell) {
  if (!IsValid(cell)) return;
  mouse_->BeginSelecting(
      cell.row < GetFixedRowCount() ? MouseMode::SelectAll : MouseMode::SelectRows, cell);
}

// --- Editing ---

void CGridCtrl::OnEditCell(int row, int col, QPoint point, unsigned key) {
  HideTitleTip();
  if (!IsCellEditable(row, col) || GetCell(row, col)->IsEditing()) return;
  EnsureVisible(row, col);
  if (!IsCellVisible(row, col)) return;
  Rect rect;
  if (!GetCellRect(row, col, &rect)) return;
  SendNotify(GRIDN_BEGINEDIT, row, col);
  CGridCellBase* cell = GetCell(row, col);  // the owner may have changed the grid
  if (cell && cell->Edit(row, col, rect, point, IDC_INPLACE_CONTROL, key)) {
    editor_ = cell->Editor();
    editCell_ = CellID(row, col);
    return;
  }
  // Not edited in place (a link cell): the edit the owner was told of ends at once.
  SendNotify(GRIDN_ENDEDIT, row, col);
}

void CGridCtrl::OnEndEditCell(int row, int col, const QString& text) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return;
  if (cell->GetText() != text) {
    cell->SetText(text);
    SetModified(true, row, col);
  }
  cell->OnEndEdit();
  RedrawCell(row, col);
}

void CGridCtrl::EndEditing() {
  // The open editor ends through its cell, the focus cell or not (a double click elsewhere).
  if (!editor_) return;
  if (CGridCellBase* cell = GetCell(editCell_.row, editCell_.col); cell && cell->IsEditing())
    cell->EndEdit();
}

void CGridCtrl::OnEndInPlaceEdit(const CellDispInfo& info) {
  if (info.code != GRIDN_ENDEDIT) return;
  if (info.from == editor_) editor_ = nullptr;
  const CellInfo& item = info.item;
  // A report without text (a list's interim report) leaves the cell's text alone.
  if (item.mask & CELLMASK_TEXT) {
    OnEndEditCell(item.row, item.col, item.text);
  } else if (CGridCellBase* cell = GetCell(item.row, item.col)) {
    cell->OnEndEdit();
  }
  SendNotify(GRIDN_ENDEDIT, item.row, item.col);
  const auto lastKey = static_cast<unsigned>(item.data);
  if (!ContinuesEditing(lastKey)) return;
  // The key moves on as a key press; editing goes on unless it took the focus out of the grid.
  const auto result = keys_->OnKeyDown(lastKey, QGuiApplication::keyboardModifiers());
  if (result != CGridKeyHandler::KeyResult::Used) return;
  OnEditCell(focusCell_.row, focusCell_.col, QPoint(-1, -1), lastKey);
}

// --- Clipboard ---

std::unique_ptr<QMimeData> CGridCtrl::CopyTextFromSelection() const {
  if (!IsValid(GetSelectedCellRange())) return nullptr;
  auto data = std::make_unique<QMimeData>();
  data->setText(SelectedText(*this));
  return data;
}

void CGridCtrl::CutSelectedText() {
  if (!editable_) return;
  ClearSelectedCells(*this);
  update();
}

bool CGridCtrl::PasteTextToGrid(const CellID& target, const QMimeData* data) {
  if (!IsValid(target) || !IsCellEditable(target.row, target.col) || !data || !data->hasText())
    return false;
  PasteFields(*this, target, data->text());
  update();
  return true;
}

bool CGridCtrl::CanCut() const { return selection_.Count() > 0 && editable_; }

bool CGridCtrl::CanCopy() const { return selection_.Count() > 0; }

bool CGridCtrl::CanPaste() const {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return IsCellEditable(focusCell_.row, focusCell_.col) && data && data->hasText();
}

void CGridCtrl::OnEditCut() {
  if (!CanCut()) return;
  OnEditCopy();
  CutSelectedText();
}

void CGridCtrl::OnEditCopy() {
  if (std::unique_ptr<QMimeData> data = CopyTextFromSelection())
    QApplication::clipboard()->setMimeData(data.release());
}

void CGridCtrl::OnEditPaste() {
  PasteTextToGrid(focusCell_, QApplication::clipboard()->mimeData());
}

void CGridCtrl::OnEditSelectAll() { SelectAllCells(); }

// --- Notifications ---

void CGridCtrl::SendNotify(int code, int row, int col) {
  GridNotify notify;
  notify.from = this;
  notify.idFrom = controlId_;
  notify.code = code;
  notify.row = row;
  notify.column = col;
  emit Notify(notify);
}

// --- Text file and printing ---

bool CGridCtrl::Save(const QString& path) { return SaveGridText(*this, path); }

bool CGridCtrl::Load(const QString& path) { return LoadGridText(*this, path); }

void CGridCtrl::Print() { PrintGridWithDialog(*this); }

GridPrintLayout& CGridCtrl::PrintLayout() { return printer_->Layout(); }

void CGridCtrl::EnableFileMenu(bool enable) {
  if (enable == IsFileMenuEnabled()) return;
  fileMenu_ = enable ? std::make_unique<CGridFileMenu>(*this) : nullptr;
}

void CGridCtrl::OnBeginPrinting(QPainter* painter, GridPrintInfo& info) {
  printer_->BeginPrinting(painter, info);
}

void CGridCtrl::OnPrint(QPainter* painter, const GridPrintInfo& info) {
  printer_->PrintPage(painter, info);
}

void CGridCtrl::OnEndPrinting(QPainter* painter, const GridPrintInfo& /*info*/) {
  printer_->EndPrinting(painter);
}

void CGridCtrl::PrintColumnHeadings(QPainter* painter, const GridPrintInfo& info) {
  printer_->PrintColumnHeadings(painter, info);
}

void CGridCtrl::PrintHeader(QPainter* painter, const GridPrintInfo& info) {
  printer_->PrintHeader(painter, info);
}

void CGridCtrl::PrintFooter(QPainter* painter, const GridPrintInfo& info) {
  printer_->PrintFooter(painter, info);
}

void CGridCtrl::PrintRowButtons(QPainter* painter, const GridPrintInfo& info) {
  printer_->PrintRowButtons(painter, info);
}

// --- Drawing ---

void CGridCtrl::OnDraw(QPainter& painter, const Rect& clip) {
  CGridPainter(*this).Paint(painter, clip);
}

GridDrawContext CGridCtrl::DrawContext() const {
  return {.look = look_,
          .images = images_.get(),
          .gridLines = gridLines_,
          .focusCell = IsValid(focusCell_) ? focusCell_ : CellID(),
          .sortColumn = sortColumn_,
          .sortAscending = sortAscending_};
}

bool CGridCtrl::RedrawCell(int row, int col) {
  if (!allowDraw_ || !IsValid(row, col) || !IsCellVisible(row, col)) return false;
  const Rect rect = view_.CellRect(row, col);
  update(rect.ToQRect());
  return true;
}

bool CGridCtrl::RedrawRow(int row) {
  if (!allowDraw_ || row < 0 || row >= GetRowCount()) return false;
  const Rect rect = view_.CellRect(row, 0);
  update(QRect(0, rect.top, view_.ClientWidth(), rect.Height()));
  return true;
}

bool CGridCtrl::RedrawColumn(int col) {
  if (!allowDraw_ || col < 0 || col >= GetColumnCount()) return false;
  const Rect rect = view_.CellRect(0, col);
  update(QRect(rect.left, 0, rect.Width(), view_.ClientHeight()));
  return true;
}

void CGridCtrl::paintEvent(QPaintEvent* event) {
  if (!allowDraw_) return;
  QPainter painter(this);
  const Rect clip = Rect::FromQRect(event->rect()).Intersect(view_.ClientRect());
  if (!clip.IsEmpty()) OnDraw(painter, clip);
  if (scrollBars_->BothShown()) {
    painter.fillRect(QRect(view_.ClientWidth(), view_.ClientHeight(), width() - view_.ClientWidth(),
                           height() - view_.ClientHeight()),
                     ToQColor(GetSysColor(COLOR_BTNFACE)));
  }
  mouse_->PaintTracker(painter);
  inputMethod_->Paint(painter);
}

// --- Scrolling ---

void CGridCtrl::ResetScrollBars() {
  scrollBarState_ = scrollBars_->Layout(store_, view_, width(), height());
  SyncScrollBars();
}

void CGridCtrl::SyncScrollBars() {
  scrollBars_->Sync(store_, view_, look_.DefaultRowHeight(), look_.DefaultColumnWidth());
}

void CGridCtrl::OnVScroll(int code, int thumbPos) {
  EndEditing();
  HideTitleTip();
  const int topRow = GetTopleftNonFixedCell().row;
  const bool moved = view_.VScroll(code, thumbPos);
  SyncScrollBars();
  if (code == SB_TOP || code == SB_BOTTOM) {
    update();
  } else if (moved && ((code != SB_THUMBTRACK && code != SB_THUMBPOSITION) ||
                       GetTopleftNonFixedCell().row != topRow)) {
    const int fixedHeight = GetFixedRowHeight();
    update(QRect(0, fixedHeight, view_.ClientWidth(), view_.ClientHeight() - fixedHeight));
  }
}

void CGridCtrl::OnHScroll(int code, int thumbPos) {
  EndEditing();
  HideTitleTip();
  const int leftCol = GetTopleftNonFixedCell().col;
  const bool moved = view_.HScroll(code, thumbPos);
  SyncScrollBars();
  if (code == SB_LEFT || code == SB_RIGHT) {
    update();
  } else if (moved && ((code != SB_THUMBTRACK && code != SB_THUMBPOSITION) ||
                       GetTopleftNonFixedCell().col != leftCol)) {
    const int fixedWidth = GetFixedColumnWidth();
    update(QRect(fixedWidth, 0, view_.ClientWidth() - fixedWidth, view_.ClientHeight()));
  }
}

// --- Keys ---

bool CGridCtrl::OnKeyDown(unsigned vk, Qt::KeyboardModifiers modifiers) {
  return keys_->OnKeyDown(vk, modifiers) != CGridKeyHandler::KeyResult::PassedOn;
}

bool CGridCtrl::OnChar(const QString& text, Qt::KeyboardModifiers modifiers) {
  return keys_->OnChar(text, modifiers);
}

// --- Title tips ---

void CGridCtrl::HideTitleTip() {
  if (titleTip_) titleTip_->Hide();
}

// --- Events ---

bool CGridCtrl::event(QEvent* event) {
  if (keys_->Intercept(event)) return true;
  if (event->type() == QEvent::WindowDeactivate) mouse_->OnCaptureLost();
  if (event->type() == QEvent::FocusOut) inputMethod_->Clear();
  return QWidget::event(event);
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  EndEditing();
  ResetScrollBars();
}

void CGridCtrl::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) {
    OnSysColorChange();
  } else if (event->type() == QEvent::FontChange) {
    SetGridFont(font());
  }
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) { keys_->KeyPress(event); }

bool CGridCtrl::TakeFirstFocusCell() {
  if (IsValid(focusCell_)) return false;
  const CellID first(GetFixedRowCount(), GetFixedColumnCount());
  if (!IsValid(first)) return false;
  SetFocusCell(first);
  EnsureVisible(first.row, first.col);
  return true;
}

// Reached by Tab, the grid shows where the keys will act; a click chooses its own cell.
void CGridCtrl::focusInEvent(QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
      reason == Qt::ShortcutFocusReason)
    TakeFirstFocusCell();
  QWidget::focusInEvent(event);
  NotifyGridFocusCell(this);
}

void CGridCtrl::inputMethodEvent(QInputMethodEvent* event) { inputMethod_->Event(event); }

QVariant CGridCtrl::inputMethodQuery(Qt::InputMethodQuery query) const {
  const QVariant answer = inputMethod_->Query(query);
  return answer.isValid() ? answer : QWidget::inputMethodQuery(query);
}

void CGridCtrl::mousePressEvent(QMouseEvent* event) { mouse_->Press(event); }

void CGridCtrl::mouseMoveEvent(QMouseEvent* event) { mouse_->Move(event); }

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event) { mouse_->Release(event); }

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) { mouse_->DoubleClick(event); }

void CGridCtrl::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  HideTitleTip();
  mouse_->Leave();
}

void CGridCtrl::wheelEvent(QWheelEvent* event) { mouse_->Wheel(event); }

void CGridCtrl::dragEnterEvent(QDragEnterEvent* event) { dropTarget_->DragEnter(event); }

void CGridCtrl::dragMoveEvent(QDragMoveEvent* event) { dropTarget_->DragMove(event); }

void CGridCtrl::dragLeaveEvent(QDragLeaveEvent* event) { dropTarget_->DragLeave(event); }

void CGridCtrl::dropEvent(QDropEvent* event) { dropTarget_->Drop(event); }

// --- Dragging ---

void CGridCtrl::SetDragRunner(DragRunner runner) { CGridDragSource::SetRunner(std::move(runner)); }

QPixmap CGridCtrl::CreateDragImage(QPoint* hotSpot) {
  const CellRange range = GetSelectedCellRange();
  if (!IsValid(range) || !IsCellVisible(range.minRow, range.minCol)) return {};
  const Rect rect = view_.CellRect(range.minRow, range.minCol);
  if (hotSpot) *hotSpot = QPoint(rect.Width() / 2, rect.Height() / 2);
  return grab(rect.ToQRect());
}
