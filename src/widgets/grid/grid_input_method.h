#pragma once

#include <QString>
#include <QVariant>
#include <Qt>

class CGridCtrl;
class QInputMethodEvent;
class QPainter;

// Typing through an input method into a grid whose focus cell has no editor yet: the text
// being composed is drawn in the focus cell (and the candidate window is asked to sit there);
// the committed text starts the edit once, as a typed character does.
class CGridInputMethod {
 public:
  explicit CGridInputMethod(CGridCtrl& grid) : grid_(grid) {}

  void Event(QInputMethodEvent* event);
  // The grid's answer to an input-method query, or an invalid value for the widget's own.
  QVariant Query(Qt::InputMethodQuery query) const;
  // Draws the text being composed over the focus cell.
  void Paint(QPainter& painter) const;
  // The composition ends without a commit (the grid lost the focus).
  void Clear();

 private:
  void UpdateFocusCell() const;

  CGridCtrl& grid_;
  QString preedit_;
  int cursor_ = 0;
  // An edit is being opened: the editor takes the focus, and on that focus change the input
  // method hands the text it just committed to the grid once more.
  bool opening_ = false;
};
