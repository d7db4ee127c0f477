#include "tone_knob.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/bitmap_resource.h"

CToneKnob::CToneKnob(QWidget* parent, QPoint home, const QImage& image)
    : QWidget(parent), home_(home), image_(image) {
  setGeometry(QRect(home, image.isNull() ? QSize(16, 24) : LogicalSize(image)));
  setCursor(Qt::SizeHorCursor);
}

void CToneKnob::ResetKnob() {
  move(home_);
  value_ = 0;
}

int CToneKnob::DraggedLeft(int wanted, int home) {
  return std::clamp(wanted, home - kRange + 1, home + kRange - 1);
}

void CToneKnob::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawScreenImage(painter, QPointF(0, 0), image_);
}

void CToneKnob::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  grabX_ = static_cast<int>(event->position().x());
}

void CToneKnob::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const int wanted = x() + static_cast<int>(event->position().x()) - grabX_;
  move(DraggedLeft(wanted, home_.x()), home_.y());
}

void CToneKnob::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  emit Released(std::clamp(Offset(), -kRange, kRange));
}
