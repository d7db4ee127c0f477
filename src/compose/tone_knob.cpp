#include "tone_knob.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "compose/tone_knob_accessible.h"
#include "platform/bitmap_resource.h"

CToneKnob::CToneKnob(QWidget* parent, QPoint home, const QImage& image)
    : QWidget(parent), home_(home), image_(image) {
  InstallToneKnobAccessible();
  setGeometry(QRect(home, image.isNull() ? QSize(16, 24) : LogicalSize(image)));
  setCursor(Qt::SizeHorCursor);
  setFocusPolicy(Qt::TabFocus);
  setAccessibleName(QStringLiteral("明るさ"));
}

void CToneKnob::ResetKnob() {
  MoveKnob(home_.x());
  value_ = 0;
}

void CToneKnob::MoveKnob(int left) {
  if (left == x()) return;
  move(left, home_.y());
  QAccessibleValueChangeEvent changed(this, Offset());
  QAccessible::updateAccessibility(&changed);
}

void CToneKnob::SlideTo(int offset) {
  MoveKnob(DraggedLeft(home_.x() + offset, home_.x()));
  emit Released(std::clamp(Offset(), -kRange, kRange));
}

int CToneKnob::DraggedLeft(int wanted, int home) {
  return std::clamp(wanted, home - kRange + 1, home + kRange - 1);
}

void CToneKnob::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawScreenImage(painter, QPointF(0, 0), image_);
  if (focusMark_.Shown(this)) DrawFocusMark(painter, QRectF(rect()));
}

void CToneKnob::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  grabX_ = static_cast<int>(event->position().x());
}

void CToneKnob::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const int wanted = x() + static_cast<int>(event->position().x()) - grabX_;
  MoveKnob(DraggedLeft(wanted, home_.x()));
}

void CToneKnob::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  emit Released(std::clamp(Offset(), -kRange, kRange));
}

void CToneKnob::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
      SlideTo(Offset() + (event->key() == Qt::Key_Left ? -kKeyStep : kKeyStep));
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void CToneKnob::focusInEvent(QFocusEvent* event) {
  focusMark_.FocusIn(event, this);
  update();
  QWidget::focusInEvent(event);
}

void CToneKnob::focusOutEvent(QFocusEvent* event) {
  focusMark_.FocusOut(event);
  update();
  QWidget::focusOutEvent(event);
}
