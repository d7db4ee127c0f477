#pragma once

#include <QImage>
#include <QWidget>

// The tone knob: a bitmap handle that slides horizontally up to 60 pixels either side of its
// home position. Releasing it reports its offset from home.
class CToneKnob : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRange = 60;

  CToneKnob(QWidget* parent, QPoint home, const QImage& image);

  // Offset of the knob's left edge from home, -60 ... 60.
  int Offset() const { return x() - home_.x(); }
  int Value() const { return value_; }
  void SetValue(int value) { value_ = value; }
  // Back home, value 0.
  void ResetKnob();

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

 private:
  QPoint home_;
  QImage image_;
  int value_ = 0;
  bool dragging_ = false;
  int grabX_ = 0;
};
