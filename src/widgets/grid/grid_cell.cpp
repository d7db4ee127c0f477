#include "grid_cell.h"

#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_edit_rules.h"
#include "widgets/grid/grid_in_place_edit.h"
#include "widgets/grid/grid_in_place_list.h"

CGridCell::CGridCell() = default;

CGridCell::~CGridCell() {
  // An editor still open would report for a cell that no longer exists: silence it first.
  if (editor_) {
    editor_->disconnect();
    editor_->hide();
    editor_->deleteLater();
  }
}

void CGridCell::Reset() {
  CGridCellBase::Reset();
  editing_ = false;
  editor_ = nullptr;
}

bool CGridCell::Edit(int row, int col, const Rect& rect, QPoint /*point*/, int id, unsigned key) {
  if (!grid_) return false;
  if (editing_ && (editor_ || makingEditor_)) return true;
  // Windows made the editor over the cell's inclusive rectangle: the grid lines stay visible.
  const Rect editRect(rect.left, rect.top, rect.right - 1, rect.bottom - 1);
  // Marked first: the new editor takes the focus while it is made, and what that focus change
  // sets off must find the cell already being edited.
  editing_ = true;
  makingEditor_ = true;
  if (choice_) {
    if (choices_.isEmpty()) choices_ = DefaultChoices();
    auto* list = new CGridInPlaceList(grid_, editRect, format_, id, row, col, choices_, text_, key);
    QObject::connect(list, &CGridInPlaceList::EndEditNotify, grid_, &CGridCtrl::OnEndInPlaceEdit);
    editor_ = list;
  } else {
    auto* edit = new CGridInPlaceEdit(grid_, editRect, format_, id, row, col, text_, key);
    QObject::connect(edit, &CGridInPlaceEdit::EndEditNotify, grid_, &CGridCtrl::OnEndInPlaceEdit);
    editor_ = edit;
  }
  makingEditor_ = false;
  return true;
}

void CGridCell::EndEdit() {
  if (auto* edit = qobject_cast<CGridInPlaceEdit*>(editor_.data())) {
    edit->EndEdit();
  } else if (auto* list = qobject_cast<CGridInPlaceList*>(editor_.data())) {
    list->EndEdit();
  }
}

void CGridCell::OnEndEdit() {
  editing_ = false;
  editor_ = nullptr;
}
