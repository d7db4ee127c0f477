#pragma once

#include <QImage>
#include <QWidget>

#include "skin/focus_mark.h"

// The tone knob: a bitmap handle that slides horizontally up to 60 pixels either side of its
// home position. Releasing it reports its offset from home; so does each step of the Left and
// Right keys while it has the focus.
class CToneKnob : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRange = 60;
  // How far one key press moves it.
  static constexpr int kKeyStep = 5;

  CToneKnob(QWidget* parent, QPoint home, const QImage& image);

  // Offset of the knob's left edge from home, -60 ... 60.
  int Offset() const { return x() - home_.x(); }
  int Value() const { return value_; }
  void SetValue(int value) { value_ = value; }
  // Back home, value 0.
  void ResetKnob();
  // Slides it as a drag to that offset would, and reports the offset as a release does.
  void SlideTo(int offset);
  bool IsFocusMarkDrawn() const { return focusMark_.Shown(this); }

  // Where a drag towards `wanted` puts the knob's left edge: strictly inside
  // (home - 60, home + 60), so as near to `wanted` as that allows.
  static int DraggedLeft(int wanted, int home);

 signals:
  void Released(int offset);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void MoveKnob(int left);

  QPoint home_;
  QImage image_;
  int value_ = 0;
  bool dragging_ = false;
  int grabX_ = 0;
  FocusMarkState focusMark_;
};
