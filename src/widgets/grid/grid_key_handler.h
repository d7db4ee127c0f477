#pragma once

#include <QString>
#include <Qt>

class CGridCtrl;
class CGridMouseHandler;
class QEvent;
class QKeyEvent;

// The keyboard side of a grid: the clipboard keys, Tab, the page, Home/End and arrow keys move
// the focus cell (extending the selection with Shift), Delete clears the focus cell, F2 and
// typed characters start an in-place edit.
class CGridKeyHandler {
 public:
  enum class KeyResult {
    PassedOn,  // the grid does nothing with the key
    Used,      // the key did its work in the grid (the focus may have moved)
    LeftGrid,  // Tab past the last (first) cell: the focus went on to the next control
  };

  CGridKeyHandler(CGridCtrl& grid, CGridMouseHandler& mouse) : grid_(grid), mouse_(mouse) {}

  // Keys the grid takes before Qt does: Tab (moving between cells while the grid handles it)
  // and its clipboard keys (over application shortcuts). True when the event was used.
  bool Intercept(QEvent* event);
  // A key press: the key table, then typed text; what neither uses goes on to the parent.
  void KeyPress(QKeyEvent* event);
  // A key went down (virtual-key code).
  KeyResult OnKeyDown(unsigned vk, Qt::KeyboardModifiers modifiers);
  // Typed text; false when it does not start an edit.
  bool OnChar(const QString& text, Qt::KeyboardModifiers modifiers);

 private:
  // After the focus moved out of view: one more scroll step in the key's direction.
  enum class FollowStep { None, Up, Down, Left, Right, WrapForward, WrapBackward };

  KeyResult LeaveByTab(bool backwards);

  CGridCtrl& grid_;
  CGridMouseHandler& mouse_;
};
