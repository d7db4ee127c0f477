#pragma once

#include <QLineEdit>

#include "platform/rect.h"
#include "widgets/grid/cell_info.h"

// The text box that edits a cell in place. It opens over the cell with the caret placed by the
// key that started the edit, grows with its text, and ends on Tab, Enter, Escape (which puts
// the starting text back), on the arrow and page keys when the edit was started from the
// keyboard (or with Ctrl), and when it loses the focus. Ending reports the text and the last
// key once, then the box closes and deletes itself.
class CGridInPlaceEdit : public QLineEdit {
  Q_OBJECT

 public:
  CGridInPlaceEdit(QWidget* parent, const Rect& rect, unsigned cellFormat, int id, int row, int col,
                   const QString& text, unsigned startKey);

  void EndEdit();
  unsigned LastKey() const { return lastKey_; }
  bool ExitsOnArrows() const { return exitOnArrows_; }
  int Row() const { return row_; }
  int Column() const { return col_; }

 signals:
  void EndEditNotify(const CellDispInfo& info);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Widen();

  int id_;
  int row_;
  int col_;
  QString initialText_;
  unsigned lastKey_ = 0;
  bool exitOnArrows_ = true;
  bool ended_ = false;
  Rect rect_;
};
