#pragma once

#include <QCursor>
#include <QPoint>
#include <QSize>
#include <QString>

#include "platform/color_ref.h"
#include "platform/log_font.h"
#include "platform/rect.h"
#include "widgets/grid/cell_info.h"
#include "widgets/grid/grid_draw_context.h"

class CGridCtrl;
class QPainter;
class QWidget;

// The default text format of a cell: DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX |
// DT_END_ELLIPSIS.
constexpr unsigned kDefaultCellFormat = 0x8824;
constexpr unsigned kDefaultCellMargin = 3;

// A grid cell without storage: the properties are reached through the virtual accessors, and
// drawing, measuring, editing and mouse handling are built on them. Owns no window.
class CGridCellBase {
 public:
  CGridCellBase() = default;
  virtual ~CGridCellBase() = default;
  CGridCellBase(const CGridCellBase&) = delete;
  CGridCellBase& operator=(const CGridCellBase&) = delete;

  virtual void SetText(const QString& text) = 0;
  virtual void SetImage(int image) = 0;
  virtual void SetData(CellData data) = 0;
  virtual void SetState(unsigned state) = 0;
  virtual void SetFormat(unsigned format) = 0;
  virtual void SetTextClr(ColorRef color) = 0;
  virtual void SetBackClr(ColorRef color) = 0;
  virtual void SetFont(const LogFont& font) = 0;
  virtual void SetMargin(unsigned margin) = 0;
  virtual void SetGrid(CGridCtrl* grid) = 0;
  virtual void SetCoords(int /*row*/, int /*col*/) {}

  virtual QString GetText() const = 0;
  virtual QString GetTipText() const { return GetText(); }
  virtual int GetImage() const = 0;
  virtual CellData GetData() const = 0;
  virtual unsigned GetState() const = 0;
  virtual unsigned GetFormat() const = 0;
  virtual ColorRef GetTextClr() const = 0;
  virtual ColorRef GetBackClr() const = 0;
  virtual const LogFont& GetFont() const = 0;
  virtual CGridCtrl* GetGrid() const = 0;
  virtual unsigned GetMargin() const = 0;
  virtual bool IsEditing() const = 0;
  virtual bool IsFixed() const { return (GetState() & CELLSTATE_FIXED) != 0; }

  // Copies every property of `other` through the accessors.
  virtual void Assign(const CGridCellBase& other);
  // Back to the defaults: no text or image, data 0, no state, the default format, margin and
  // colours, and the grid's default font.
  virtual void Reset();

  // Draws the cell into `rect` (the cell's full rectangle, right and bottom exclusive) with the
  // grid's colours, fonts and marks from `context`. The background is filled only when
  // `eraseBkgnd` is set, the cell has its own background colour, or it is drawn selected.
  // False when the rectangle is empty.
  virtual bool Draw(QPainter& painter, const GridDrawContext& context, int row, int col, Rect rect,
                    bool eraseBkgnd = true);
  // Narrows a cell rectangle to where the text goes (margins and image left out).
  virtual bool GetTextRect(Rect& rect) const;
  virtual bool GetTipTextRect(Rect& rect) const { return GetTextRect(rect); }
  // The size of `text` in the cell's font (semi-bold for fixed cells) plus twice the margin.
  virtual QSize GetTextExtent(const QString& text) const;
  // The size the cell needs for its text and image.
  virtual QSize GetCellExtent() const;

  // Opens an in-place editor over `rect`; false when the cell is not edited in place.
  virtual bool Edit(int /*row*/, int /*col*/, const Rect& /*rect*/, QPoint /*point*/, int /*id*/,
                    unsigned /*key*/) {
    return false;
  }
  // Makes an open editor report its text and close.
  virtual void EndEdit() {}
  // The open in-place editor, if any.
  virtual QWidget* Editor() const { return nullptr; }
  // Draws the cell for printing: as Draw, in print colours only when the grid prints colours.
  virtual bool PrintCell(QPainter& painter, const GridDrawContext& context, int row, int col,
                         Rect rect);
  // The editor has reported; forget it.
  virtual void OnEndEdit() {}

  virtual void OnMouseEnter() {}
  virtual void OnMouseOver() {}
  virtual void OnMouseLeave() {}
  virtual void OnClick(QPoint /*pointInCell*/) {}
  virtual void OnClickDown(QPoint /*pointInCell*/) {}
  virtual void OnRClick(QPoint /*pointInCell*/) {}
  virtual void OnDblClick(QPoint /*pointInCell*/) {}
  virtual QCursor OnSetCursor() const { return QCursor(Qt::ArrowCursor); }

 protected:
  // The font the cell measures its text with, semi-bold when `semiBold`.
  QFont DrawingFont(bool semiBold) const;
  // The text colour a cell draws with when it has none of its own.
  virtual ColorRef DefaultTextColor(const GridDrawContext& context) const;
};
