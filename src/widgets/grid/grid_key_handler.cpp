#include "grid_key_handler.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

#include "widgets/grid/grid_cell_base.h"
#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_keys.h"
#include "widgets/grid/grid_mouse_handler.h"
#include "widgets/grid/grid_navigation.h"

namespace {
bool IsMovementKey(unsigned vk) {
  return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_HOME ||
         vk == VK_END || vk == VK_PRIOR || vk == VK_NEXT;
}
}  // namespace

bool CGridKeyHandler::Intercept(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && grid_.GetHandleTabKey() && !(key->modifiers() & Qt::ControlModifier)) {
      KeyPress(key);
      return true;
    }
  }
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const unsigned vk = VirtualKeyFromQt(key->key());
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    if ((ctrl && (vk == 'C' || vk == 'X' || vk == 'V' || vk == 'A' || vk == VK_INSERT)) ||
        (shift && vk == VK_INSERT)) {
      event->accept();
      return true;
    }
  }
  return false;
}

void CGridKeyHandler::KeyPress(QKeyEvent* event) {
  grid_.HideTitleTip();
  Qt::KeyboardModifiers modifiers = event->modifiers();
  const unsigned vk = VirtualKeyFromQt(event->key());
  if (event->key() == Qt::Key_Backtab) modifiers |= Qt::ShiftModifier;
  // The first key on a grid without a focus cell finds one: a movement key lands on the first
  // cell, F2 and typing work on it.
  if (vk != 0 && vk != VK_TAB && vk != VK_ESCAPE && grid_.TakeFirstFocusCell() &&
      IsMovementKey(vk)) {
    event->accept();
    return;
  }
  if (vk != 0 && OnKeyDown(vk, modifiers) != KeyResult::PassedOn) {
    event->accept();
    return;
  }
  if (OnChar(event->text(), modifiers)) {
    event->accept();
    return;
  }
  event->ignore();
}

// The one place where Tab leaves the grid: the focus goes on to the next (previous) control,
// as the dialog would move it.
CGridKeyHandler::KeyResult CGridKeyHandler::LeaveByTab(bool backwards) {
  grid_.FocusNextControl(!backwards);
  return KeyResult::LeftGrid;
}

CGridKeyHandler::KeyResult CGridKeyHandler::OnKeyDown(unsigned vk,
                                                      Qt::KeyboardModifiers modifiers) {
  CGridCtrl& grid = grid_;
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  const CellID focus = grid.GetFocusCell();
  if (!grid.IsValid(focus)) return vk == VK_TAB && !ctrl ? LeaveByTab(shift) : KeyResult::PassedOn;
  const CGridCellStore& store = grid.Cells();
  CellID next = focus;
  FollowStep follow = FollowStep::None;

  switch (vk) {
    case 'C':
      if (!ctrl) return KeyResult::PassedOn;
      grid.OnEditCopy();
      return KeyResult::Used;
    case 'X':
      if (!ctrl) return KeyResult::PassedOn;
      grid.OnEditCut();
      return KeyResult::Used;
    case 'V':
      if (!ctrl) return KeyResult::PassedOn;
      grid.OnEditPaste();
      return KeyResult::Used;
    case 'A':
      if (!ctrl) return KeyResult::PassedOn;
      grid.OnEditSelectAll();
      return KeyResult::Used;
    case VK_INSERT:
      if (ctrl) {
        grid.OnEditCopy();
      } else if (shift) {
        grid.OnEditPaste();
      } else {
        return KeyResult::PassedOn;
      }
      return KeyResult::Used;
    case VK_TAB: {
      // Without Tab handling the key belongs to the window, which moves on to the next control.
      if (!grid.GetHandleTabKey()) return ctrl ? KeyResult::PassedOn : LeaveByTab(shift);
      const TabMove move = TabTarget(store, focus, shift);
      if (move.leaves) return LeaveByTab(shift);
      next = move.next;
      if (move.wrapped) {
        follow = shift ? FollowStep::WrapBackward : FollowStep::WrapForward;
      } else {
        follow = shift ? FollowStep::Left : FollowStep::Right;
      }
      break;
    }
    case VK_PRIOR:
    case VK_NEXT: {
      const bool down = vk == VK_NEXT;
      const int before = grid.GetTopleftNonFixedCell().row;
      grid.OnVScroll(down ? SB_PAGEDOWN : SB_PAGEUP);
      const int after = grid.GetTopleftNonFixedCell().row;
      next.row = PageTargetRow(store, focus.row, down, down ? after - before : before - after);
      break;
    }
    case VK_END:
    case VK_HOME: {
      const bool end = vk == VK_END;
      if (ctrl) grid.OnVScroll(end ? SB_BOTTOM : SB_TOP);
      grid.OnHScroll(end ? SB_RIGHT : SB_LEFT);
      next = HomeEndTarget(store, focus, end, ctrl);
      break;
    }
    case VK_DOWN:
    case VK_UP:
    case VK_LEFT:
    case VK_RIGHT:
      next = ArrowTarget(store, focus, vk);
      follow = vk == VK_DOWN   ? FollowStep::Down
               : vk == VK_UP   ? FollowStep::Up
               : vk == VK_LEFT ? FollowStep::Left
                               : FollowStep::Right;
      break;
    case VK_DELETE:
      if (grid.IsCellEditable(focus.row, focus.col)) {
        grid.SendNotify(GRIDN_BEGINEDIT, focus);
        grid.SetCellText(focus.row, focus.col, QString());
        grid.SetModified(true, focus.row, focus.col);
        grid.SendNotify(GRIDN_ENDEDIT, focus);
        grid.RedrawCell(focus.row, focus.col);
      }
      return KeyResult::Used;
    case VK_F2:
      grid.OnEditCell(focus.row, focus.col, QPoint(-1, -1), VK_LBUTTON);
      return KeyResult::Used;
    default:
      return KeyResult::PassedOn;
  }

  if (next == focus) return KeyResult::Used;
  mouse_.SelectByKey(next, shift && vk != VK_TAB);  // Tab always starts anew
  grid.SetFocusCell(next);

  const CellRange whole = grid.GetUnobstructedNonFixedCellRange();
  const bool fullyVisible = (next.row < grid.GetFixedRowCount() ||
                             (next.row >= whole.minRow && next.row <= whole.maxRow)) &&
                            (next.col < grid.GetFixedColumnCount() ||
                             (next.col >= whole.minCol && next.col <= whole.maxCol));
  if (!fullyVisible) {
    grid.EnsureVisible(next.row, next.col);
    switch (follow) {
      case FollowStep::Down:
        grid.OnVScroll(SB_LINEDOWN);
        break;
      case FollowStep::Up:
        grid.OnVScroll(SB_LINEUP);
        break;
      case FollowStep::Right:
        grid.OnHScroll(SB_LINERIGHT);
        break;
      case FollowStep::Left:
        grid.OnHScroll(SB_LINELEFT);
        break;
      case FollowStep::WrapForward:
        grid.OnVScroll(SB_LINEDOWN);
        grid.OnHScroll(SB_LEFT);
        break;
      case FollowStep::WrapBackward:
        grid.OnVScroll(SB_LINEUP);
        grid.OnHScroll(SB_RIGHT);
        break;
      case FollowStep::None:
        break;
    }
    grid.update();
  }
  return KeyResult::Used;
}

bool CGridKeyHandler::OnChar(const QString& text, Qt::KeyboardModifiers modifiers) {
  CGridCtrl& grid = grid_;
  if (text.isEmpty() || (modifiers & Qt::ControlModifier)) return false;
  if (mouse_.Mode() != MouseMode::Nothing) return false;
  const QList<uint> chars = text.toUcs4();
  const char32_t first = chars.front();
  // Escape and Enter belong to the dialog (its cancel and default buttons).
  if (first == 0x1B || first == U'\r' || first == U'\n') return false;
  if (first == U'\t' && grid.GetHandleTabKey()) return false;
  const CellID focus = grid.GetFocusCell();
  if (!grid.IsValid(focus)) return false;
  grid.OnEditCell(focus.row, focus.col, QPoint(-1, -1), TypedChar(first));
  // Text typed in one go (an input method's result) goes on into the editor.
  if (chars.size() > 1) {
    const CGridCellBase* cell = grid.GetCell(focus.row, focus.col);
    if (QWidget* editor = cell && cell->IsEditing() ? cell->Editor() : nullptr) {
      QInputMethodEvent commit;
      commit.setCommitString(
          QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.data()) + 1, chars.size() - 1));
      QCoreApplication::sendEvent(editor, &commit);
    }
  }
  return true;
}
