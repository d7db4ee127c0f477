#pragma once

#include <QColor>
#include <QRectF>
#include <Qt>

class QFocusEvent;
class QPainter;
class QWidget;

// Whether a bitmap control shows that it has the keyboard focus. The mark shows only when the
// focus came from the keyboard (Tab, Shift+Tab, a shortcut typed by the user, not the focus
// moving on by itself from a control that was hidden) and stays while a window opened from it
// comes and goes; a click takes it away, so mouse users see the controls as before.
class FocusMarkState {
 public:
  void FocusIn(const QFocusEvent* event, const QWidget* widget);
  void FocusOut(const QFocusEvent* event);
  bool Shown(const QWidget* widget) const;

 private:
  bool fromKeyboard_ = false;
};

// The skin's accent colour, which the mark is drawn in.
QColor FocusMarkColor();

// A rounded outline just inside `rect` (logical pixels, so a scaled screen gets it at its
// scale): two pixels of the accent colour around one white pixel, visible on any button face.
void DrawFocusMark(QPainter& painter, const QRectF& rect);
