#pragma once

#include <QFont>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <concepts>
#include <functional>
#include <memory>
#include <vector>

#include "platform/color_ref.h"
#include "platform/draw_text.h"
#include "platform/log_font.h"
#include "platform/rect.h"
#include "widgets/grid/cell_info.h"
#include "widgets/grid/cell_range.h"
#include "widgets/grid/grid_cell_base.h"
#include "widgets/grid/grid_cell_store.h"
#include "widgets/grid/grid_draw_context.h"
#include "widgets/grid/grid_look.h"
#include "widgets/grid/grid_print_layout.h"
#include "widgets/grid/grid_selection.h"
#include "widgets/grid/grid_view.h"
#include "widgets/grid/title_tip.h"

class CGridDropTarget;
class CGridFileMenu;
class CGridImageList;
class CGridInputMethod;
class CGridMouseHandler;
class CGridKeyHandler;
class CGridPrinter;
class CGridScrollBars;

// A spreadsheet-like grid of cells whose first rows and columns may be fixed headings that do
// not scroll. The cells, their sizes, the selection and the scroll geometry live in plain
// classes (CGridCellStore, CGridSelection, CGridView); this widget paints them, turns mouse,
// key, wheel, clipboard and drag-and-drop events into operations on them, and tells its owner
// what happened through Notify and Command. The mouse handler owns the interaction state (the
// mouse mode, the cell the button went down on, where a selection starts).
class CGridCtrl : public QWidget, private CGridCellFactory {
  Q_OBJECT

 public:
  using CellFactory = std::function<std::unique_ptr<CGridCellBase>()>;
  // Runs a drag of `data` and answers the action it ended with; replaceable so that a drag can
  // be played without a window system.
  using DragRunner =
      std::function<Qt::DropAction(CGridCtrl* source, QMimeData* data, Qt::DropActions actions)>;
  // The cells, sizes and fixed counts, for code that reads them without the widget.
  const CGridCellStore& Cells() const { return store_; }

  explicit CGridCtrl(QWidget* parent = nullptr, int rows = 0, int cols = 0, int fixedRows = 0,
                     int fixedCols = 0);
  ~CGridCtrl() override;

  // Places the grid in `parent` at `rect` with the given control id and shows it.
  bool Create(const Rect& rect, QWidget* parent, int id);
  void SetControlId(int id) { controlId_ = id; }
  int ControlId() const { return controlId_; }

  // --- Shape ---
  int GetRowCount() const { return store_.RowCount(); }
  int GetColumnCount() const { return store_.ColumnCount(); }
  int GetFixedRowCount() const { return store_.FixedRowCount(); }
  int GetFixedColumnCount() const { return store_.FixedColumnCount(); }
  bool SetRowCount(int rows = 10);
  bool SetColumnCount(int cols = 10);
  bool SetFixedRowCount(int fixedRows = 1);
  bool SetFixedColumnCount(int fixedCols = 1);
  int InsertRow(const QString& heading, int before = -1);
  int InsertColumn(const QString& heading, unsigned format = DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                   int before = -1);
  bool DeleteRow(int row);
  bool DeleteAllItems();

  // --- Cells ---
  // The class of new cells (CGridCell unless changed).
  void SetCellFactory(CellFactory factory);
  template <std::derived_from<CGridCellBase> Cell>
  void SetDefaultCellType() {
    SetCellFactory([] { return std::make_unique<Cell>(); });
  }
  // Replaces one cell by a cell of another class with the same properties.
  bool SetCellType(int row, int col, const CellFactory& factory);
  virtual std::unique_ptr<CGridCellBase> CreateCell(int row, int col);
  virtual void DestroyCell(int row, int col);

  CGridCellBase* GetCell(int row, int col) const { return store_.Cell(row, col); }
  bool SetCellInfo(const CellInfo& item);
  bool GetCellInfo(CellInfo& item) const;
  bool SetCellText(int row, int col, const QString& text);
  QString GetCellText(int row, int col) const;
  bool SetCellData(int row, int col, CellData data);
  CellData GetCellData(int row, int col) const;
  bool SetCellImage(int row, int col, int image);
  int GetCellImage(int row, int col) const;
  bool SetCellState(int row, int col, unsigned state);
  unsigned GetCellState(int row, int col) const;
  bool SetCellFormat(int row, int col, unsigned format);
  unsigned GetCellFormat(int row, int col) const;
  bool SetCellBackColor(int row, int col, ColorRef color);
  ColorRef GetCellBackColor(int row, int col) const;
  bool SetCellTextColor(int row, int col, ColorRef color);
  ColorRef GetCellTextColor(int row, int col) const;
  bool SetCellFont(int row, int col, const LogFont& font);
  const LogFont* GetCellFont(int row, int col) const;
  bool SetCellMargin(int row, int col, unsigned margin);
  unsigned GetCellMargin(int row, int col) const;

  bool IsValid(int row, int col) const { return store_.IsValid(row, col); }
  bool IsValid(const CellID& cell) const { return store_.IsValid(cell); }
  bool IsValid(const CellRange& range) const;
  bool IsCellEditable(int row, int col) const;
  bool IsCellSelected(int row, int col) const;
  bool IsCellFixed(int row, int col) const;
  // Fully inside the client area (fixed cells always count as visible).
  bool IsCellVisible(int row, int col) const;

  // --- Sizes ---
  int GetRowHeight(int row) const { return store_.RowHeight(row); }
  int GetColumnWidth(int col) const { return store_.ColumnWidth(col); }
  bool SetRowHeight(int row, int height);
  bool SetColumnWidth(int col, int width);
  int GetFixedRowHeight() const { return store_.FixedRowHeight(); }
  int GetFixedColumnWidth() const { return store_.FixedColumnWidth(); }
  long long GetVirtualHeight() const { return store_.VirtualHeight(); }
  long long GetVirtualWidth() const { return store_.VirtualWidth(); }
  int GetDefaultRowHeight() const { return look_.DefaultRowHeight(); }
  int GetDefaultColumnWidth() const { return look_.DefaultColumnWidth(); }
  int GetTextMargin() const { return look_.TextMargin(); }
  // Fits a column to its widest cell, a row to its highest.
  bool AutoSizeColumn(int col);
  bool AutoSizeRow(int row);

  // --- Geometry (client coordinates, right and bottom exclusive) ---
  Rect GetClientRect() const;
  bool GetCellOrigin(int row, int col, QPoint* origin) const;
  bool GetCellRect(int row, int col, Rect* rect) const;
  CellID GetCellFromPt(QPoint point, bool allowFixed = true) const;
  CellID GetTopleftNonFixedCell() const { return view_.TopLeftNonFixed(); }
  CellRange GetVisibleNonFixedCellRange() const { return view_.VisibleNonFixed(); }
  CellRange GetUnobstructedNonFixedCellRange() const { return view_.UnobstructedNonFixed(); }
  CellRange GetCellRange() const;
  void EnsureVisible(int row, int col);
  int GetScrollPos(Qt::Orientation orientation) const;
  int GetScrollLimit(Qt::Orientation orientation) const;

  // --- Focus and selection ---
  CellID GetFocusCell() const { return focusCell_; }
  // Moves the focus (raised out of the fixed cells); returns the previous focus cell.
  CellID SetFocusCell(CellID cell);
  CellID SetFocusCell(int row, int col) { return SetFocusCell(CellID(row, col)); }
  // Without a focus cell, puts it on the first cell that is not fixed, so that keys act at
  // once; false when the grid has no such cell or already has a focus cell.
  bool TakeFirstFocusCell();
  CellRange GetSelectedCellRange() const { return selection_.Range(); }
  int GetSelectedCount() const { return selection_.Count(); }
  void SetSelectedRange(const CellRange& range, bool forceRedraw = false);
  void ResetSelectedRange();
  void SelectAllCells();

  // --- Modified flags ---
  void SetModified(bool modified = true, int row = -1, int col = -1);
  bool GetModified(int row = -1, int col = -1) const;

  // --- Colours ---
  void SetTextColor(ColorRef color) { look_.textColor = color; }
  ColorRef GetTextColor() const { return look_.textColor; }
  void SetTextBkColor(ColorRef color) { look_.textBkColor = color; }
  ColorRef GetTextBkColor() const { return look_.textBkColor; }
  void SetDefaultCellBackColor(ColorRef color) { SetTextBkColor(color); }
  void SetBkColor(ColorRef color) { look_.bkColor = color; }
  ColorRef GetBkColor() const { return look_.bkColor; }
  void SetFixedTextColor(ColorRef color) { look_.fixedTextColor = color; }
  ColorRef GetFixedTextColor() const { return look_.fixedTextColor; }
  void SetFixedBkColor(ColorRef color) { look_.fixedBkColor = color; }
  ColorRef GetFixedBkColor() const { return look_.fixedBkColor; }
  void SetGridLineColor(ColorRef color) { look_.gridLineColor = color; }
  ColorRef GetGridLineColor() const { return look_.gridLineColor; }
  void SetTitleTipTextClr(ColorRef color) { look_.titleTipTextColor = color; }
  ColorRef GetTitleTipTextClr() const { return look_.titleTipTextColor; }
  void SetTitleTipBackClr(ColorRef color) { look_.titleTipBackColor = color; }
  ColorRef GetTitleTipBackClr() const { return look_.titleTipBackColor; }
  // The system colours changed: colours still equal to the system colour they came from follow.
  void OnSysColorChange();

  // --- Fonts ---
  // Makes `font` the default font of the grid and of every cell, and recomputes the default
  // sizes and the text margin from it.
  void SetGridFont(const QFont& font);
  const LogFont& GetDefaultFont() const { return look_.DefaultFont(); }
  const QFont& GetGridFont() const { return look_.Font(); }
  // The Qt font of a description (kept for the few descriptions a grid uses).
  const QFont& FontOf(const LogFont& font) const { return look_.FontOf(font); }

  // --- Flags ---
  void SetGridLines(int lines) { gridLines_ = lines; }
  int GetGridLines() const { return gridLines_; }
  void SetEditable(bool editable = true) { editable_ = editable; }
  bool IsEditable() const { return editable_; }
  void SetListMode(bool listMode = true);
  bool GetListMode() const { return listMode_; }
  void SetRowSelectMode(bool rowSelect = true) { SetListMode(rowSelect); }
  void SetSingleRowOnly(bool single = true) { singleRowOnly_ = single; }
  bool GetSingleRowOnly() const { return singleRowOnly_; }
  void SetAllowDraw(bool allow = true);
  bool GetAllowDraw() const { return allowDraw_; }
  void EnableSelection(bool enable = true);
  bool IsSelectable() const { return enableSelection_; }
  void SetHandleTabKey(bool handle = true) { handleTabKey_ = handle; }
  bool GetHandleTabKey() const { return handleTabKey_; }
  void SetDoubleBuffering(bool buffer = true) { doubleBuffer_ = buffer; }
  bool GetDoubleBuffering() const { return doubleBuffer_; }
  void EnableTitleTips(bool enable = true) { titleTips_ = enable; }
  bool GetTitleTips() const { return titleTips_; }
  void SetColumnResize(bool allow = true) { allowColumnResize_ = allow; }
  bool GetColumnResize() const { return allowColumnResize_; }
  void SetRowResize(bool allow = true) { allowRowResize_ = allow; }
  bool GetRowResize() const { return allowRowResize_; }
  void SetPrintColors(bool print = true) { printColors_ = print; }
  bool GetPrintColors() const { return printColors_; }
  void SetSortOnClick(bool sort = true) { sortOnClick_ = sort; }
  bool GetSortOnClick() const { return sortOnClick_; }
  void SetDragAndDrop(bool allow = true);
  bool GetDragAndDrop() const { return allowDragAndDrop_; }
  void SetImageList(std::shared_ptr<const CGridImageList> images) { images_ = std::move(images); }
  const CGridImageList* GetImageList() const { return images_.get(); }
  // Bit 0: the vertical bar is shown, bit 1: the horizontal bar.
  void SetScrollBarState(int state) { scrollBarState_ = state; }
  int GetScrollBarState() const { return scrollBarState_; }
  // Lines per wheel notch; -1 scrolls a page per notch.
  void SetWheelScrollLines(int lines) { wheelLines_ = lines; }
  int GetWheelScrollLines() const { return wheelLines_; }
  MouseMode GetMouseMode() const;

  // --- Sorting ---
  int GetSortColumn() const { return sortColumn_; }
  bool GetSortAscending() const { return sortAscending_; }
  void SetSortColumn(int col) { sortColumn_ = col; }
  // Sorts the non-fixed rows by the texts of `col`; clears the selection and the focus.
  bool SortTextItems(int col, bool ascending);

  // --- Editing ---
  // Opens an in-place editor on a cell. `point` (-1, -1) = no mouse position; `key` = the
  // character (TypedChar) or virtual key that started the edit, VK_LBUTTON for mouse and F2.
  virtual void OnEditCell(int row, int col, QPoint point, unsigned key);
  // Stores an edited text.
  virtual void OnEndEditCell(int row, int col, const QString& text);
  // Closes the focus cell's editor (which reports its text).
  virtual void EndEditing();

  // --- Clipboard and commands ---
  virtual void CutSelectedText();
  virtual std::unique_ptr<QMimeData> CopyTextFromSelection() const;
  virtual bool PasteTextToGrid(const CellID& cell, const QMimeData* data);
  virtual void OnEditCut();
  virtual void OnEditCopy();
  virtual void OnEditPaste();
  virtual void OnEditSelectAll();
  bool CanCut() const;
  bool CanCopy() const;
  bool CanPaste() const;
  bool CanSelectAll() const { return enableSelection_; }

  // --- Mouse-driven hooks ---
  virtual void OnFixedRowClick(CellID& cell);
  virtual void OnFixedColumnClick(CellID& cell);
  virtual QPixmap CreateDragImage(QPoint* hotSpot);
  static void SetDragRunner(DragRunner runner);

  // --- Text file and printing ---
  // Writes the texts to a comma-separated text file, row 0 first; false after a message.
  bool Save(const QString& path);
  // Rebuilds the grid from such a file; false after a message.
  bool Load(const QString& path);
  // Asks for a printer and prints the grid over as many pages as it needs (without asking:
  // PrintGridDocument).
  void Print();
  GridPrintLayout& PrintLayout();
  // A right-click menu to print the grid and to write its rows to a text file or read them
  // from one (CGridFileMenu).
  void EnableFileMenu(bool enable = true);
  bool IsFileMenuEnabled() const { return fileMenu_ != nullptr; }
  CGridFileMenu* FileMenu() const { return fileMenu_.get(); }
  // The steps of a print job; with no painter a step does nothing. OnBeginPrinting sets the
  // job's page range, OnPrint prints info.currentPage through the other steps.
  virtual void OnBeginPrinting(QPainter* painter, GridPrintInfo& info);
  virtual void OnPrint(QPainter* painter, const GridPrintInfo& info);
  virtual void OnEndPrinting(QPainter* painter, const GridPrintInfo& info);
  virtual void PrintColumnHeadings(QPainter* painter, const GridPrintInfo& info);
  virtual void PrintHeader(QPainter* painter, const GridPrintInfo& info);
  virtual void PrintFooter(QPainter* painter, const GridPrintInfo& info);
  virtual void PrintRowButtons(QPainter* painter, const GridPrintInfo& info);

  // --- Drawing and scrolling ---
  // Paints the grid's client area inside `clip`.
  virtual void OnDraw(QPainter& painter, const Rect& clip);
  // What cells draw with: the grid's colours, fonts, images, lines, focus and sort marks.
  GridDrawContext DrawContext() const;
  bool RedrawCell(int row, int col);
  bool RedrawRow(int row);
  bool RedrawColumn(int col);
  // The scroll requests of the scroll bars (SB_ codes; `thumbPos` for the thumb).
  void OnVScroll(int code, int thumbPos = 0);
  void OnHScroll(int code, int thumbPos = 0);
  void ResetScrollBars();

  // --- Keys (virtual-key codes); false when the key is passed on ---
  bool OnKeyDown(unsigned vk, Qt::KeyboardModifiers modifiers);
  // Starts an edit for typed text; false when it does not apply.
  bool OnChar(const QString& text, Qt::KeyboardModifiers modifiers);
  // Hands the keyboard focus on to the next (previous) control of the window.
  void FocusNextControl(bool forward) { focusNextPrevChild(forward); }

  CTitleTip* TitleTip() const { return titleTip_.data(); }
  void HideTitleTip();
  // Sends a notification for a cell to the owner.
  void SendNotify(int code, int row, int col);
  void SendNotify(int code, const CellID& cell) { SendNotify(code, cell.row, cell.col); }

 signals:
  // WM_NOTIFY to the owner.
  void Notify(const GridNotify& notify);
  // WM_COMMAND (code 0) posted to the owner on button release over a cell.
  void Command(int controlId);

 public slots:
  // The report of an in-place editor.
  void OnEndInPlaceEdit(const CellDispInfo& info);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  friend class CGridMouseHandler;  // selects and keeps the previous selection for Ctrl clicks
  friend class CGridPainter;

  // CGridCellFactory
  std::unique_ptr<CGridCellBase> MakeCell(int row, int col) override {
    return CreateCell(row, col);
  }
  void DisposeCell(int row, int col) override { DestroyCell(row, col); }

  void RedrawHeadings(const CellID& cell, bool rowChanged, bool colChanged);
  // Extends the selection to `cell` as a selection in `mode` would.
  void SelectAs(MouseMode mode, const CellID& cell);
  void SyncScrollBars();
  std::function<void(int, int)> Redrawer();

  CGridCellStore store_;
  CGridSelection selection_;
  CGridView view_;
  std::unique_ptr<CGridMouseHandler> mouse_;
  std::unique_ptr<CGridKeyHandler> keys_;
  std::unique_ptr<CGridInputMethod> inputMethod_;
  std::unique_ptr<CGridDropTarget> dropTarget_;
  CellFactory cellFactory_;
  int controlId_ = 0;

  CGridLook look_;

  int gridLines_ = GRIDLINES_BOTH;
  bool editable_ = true;
  bool modified_ = false;
  bool allowDragAndDrop_ = false;
  bool listMode_ = false;
  bool singleRowOnly_ = false;
  bool allowDraw_ = true;
  bool enableSelection_ = true;
  bool handleTabKey_ = true;
  bool doubleBuffer_ = true;
  bool titleTips_ = true;
  bool allowColumnResize_ = true;
  bool allowRowResize_ = true;
  bool printColors_ = true;
  bool sortOnClick_ = true;
  int sortColumn_ = -1;
  bool sortAscending_ = true;
  int scrollBarState_ = 0;
  int wheelLines_ = 3;

  CellID focusCell_;
  // The one open in-place editor and the cell it edits.
  QPointer<QWidget> editor_;
  CellID editCell_;
  std::shared_ptr<const CGridImageList> images_;
  QPointer<CTitleTip> titleTip_;
  std::unique_ptr<CGridScrollBars> scrollBars_;
  std::unique_ptr<CGridPrinter> printer_;
  std::unique_ptr<CGridFileMenu> fileMenu_;
};
