#include "materials_drawing.h"

#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QTransform>
#include <cmath>

#include "materials_finish.h"
#include "palette.h"

MaterialArt paintMaterial(const QString& fileName, QSize size,
                          const std::function<void(QPainter&)>& draw) {
  QImage art = newMaterialCanvas(size.width(), size.height());
  QPainter painter(&art);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter);
  painter.end();
  return {fileName, art};
}

QPen linePen(qreal width) {
  return QPen(materialLine, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void fillOutlined(QPainter& painter, const QPainterPath& path, const QBrush& fill,
                  qreal lineWidth) {
  painter.fillPath(path, fill);
  painter.strokePath(path, linePen(lineWidth));
}

QPainterPath ellipsePath(const QPointF& center, qreal rx, qreal ry) {
  QPainterPath path;
  path.addEllipse(center, rx, ry);
  return path;
}

QPainterPath circlePath(const QPointF& center, qreal radius) {
  return ellipsePath(center, radius, radius);
}

QPainterPath turnedEllipse(const QPointF& center, qreal rx, qreal ry, qreal degrees) {
  QTransform turn;
  turn.translate(center.x(), center.y());
  turn.rotate(degrees);
  return turn.map(ellipsePath(QPointF(0, 0), rx, ry));
}

QPainterPath linePath(const QPointF& from, const QPointF& to) {
  QPainterPath path(from);
  path.lineTo(to);
  return path;
}

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

QPainterPath roundedPolygonPath(const QList<QPointF>& corners, qreal radius) {
  const int count = int(corners.size());
  const auto toward = [radius](const QPointF& from, const QPointF& to) {
    const QLineF side(from, to);
    return from + (to - from) * std::min<qreal>(0.5, radius / side.length());
  };
  QPainterPath path;
  for (int i = 0; i < count; ++i) {
    const QPointF& corner = corners[i];
    const QPointF in = toward(corner, corners[(i + count - 1) % count]);
    const QPointF out = toward(corner, corners[(i + 1) % count]);
    if (i == 0)
      path.moveTo(in);
    else
      path.lineTo(in);
    path.quadTo(corner, out);
  }
  path.closeSubpath();
  return path;
}

QPainterPath heartPath(const QPointF& center, qreal size) {
  const qreal x = center.x(), y = center.y(), s = size;
  QPainterPath path;
  path.moveTo(x, y + 0.44 * s);
  path.cubicTo(x - 0.3 * s, y + 0.24 * s, x - 0.5 * s, y + 0.02 * s, x - 0.5 * s, y - 0.16 * s);
  path.cubicTo(x - 0.5 * s, y - 0.44 * s, x - 0.14 * s, y - 0.5 * s, x, y - 0.26 * s);
  path.cubicTo(x + 0.14 * s, y - 0.5 * s, x + 0.5 * s, y - 0.44 * s, x + 0.5 * s, y - 0.16 * s);
  path.cubicTo(x + 0.5 * s, y + 0.02 * s, x + 0.3 * s, y + 0.24 * s, x, y + 0.44 * s);
  path.closeSubpath();
  return path;
}

QPainterPath starPath(const QPointF& center, qreal radius, qreal inner, qreal rounding) {
  QList<QPointF> corners;
  for (int i = 0; i < 10; ++i) {
    const qreal angle = -M_PI / 2 + i * M_PI / 5;
    const qreal r = (i % 2) ? radius * inner : radius;
    corners << center + QPointF(r * std::cos(angle), r * std::sin(angle));
  }
  return roundedPolygonPath(corners, rounding);
}

QBrush verticalGradient(qreal top, qreal bottom, const QColor& upper, const QColor& lower) {
  QLinearGradient gradient(0, top, 0, bottom);
  gradient.setColorAt(0, upper);
  gradient.setColorAt(1, lower);
  return QBrush(gradient);
}

void drawEyes(QPainter& painter, const QPointF& center, qreal spread, qreal eyeSize) {
  painter.save();
  painter.setPen(Qt::NoPen);
  for (int side : {-1, 1}) {
    const QPointF eye = center + QPointF(side * spread / 2, 0);
    painter.setBrush(materialLine);
    painter.drawEllipse(eye, eyeSize * 0.8, eyeSize);
    painter.setBrush(palette::white);
    painter.drawEllipse(eye + QPointF(eyeSize * 0.25, -eyeSize * 0.35), eyeSize * 0.3,
                        eyeSize * 0.3);
  }
  painter.restore();
}

void drawCheeks(QPainter& painter, const QPointF& center, qreal spread, qreal eyeSize) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::blush);
  for (int side : {-1, 1})
    painter.drawEllipse(center + QPointF(side * (spread / 2 + eyeSize * 1.3), eyeSize * 1.6),
                        eyeSize * 1.1, eyeSize * 0.7);
  painter.restore();
}

void drawSmile(QPainter& painter, const QPointF& center, qreal eyeSize) {
  QPainterPath smile;
  smile.moveTo(center + QPointF(-eyeSize * 0.9, eyeSize * 1.2));
  smile.quadTo(center + QPointF(0, eyeSize * 2.4), center + QPointF(eyeSize * 0.9, eyeSize * 1.2));
  painter.strokePath(smile, linePen(std::max<qreal>(1.0, eyeSize * 0.45)));
}

void drawMuzzleMouth(QPainter& painter, const QPointF& nose, qreal size) {
  QPainterPath mouth;
  mouth.moveTo(nose.x() - size, nose.y() + size * 0.6);
  mouth.quadTo(nose.x() - size * 0.5, nose.y() + size * 1.3, nose.x(), nose.y() + size * 0.5);
  mouth.quadTo(nose.x() + size * 0.5, nose.y() + size * 1.3, nose.x() + size,
               nose.y() + size * 0.6);
  painter.strokePath(mouth, linePen(1.0));
}

void drawCuteFace(QPainter& painter, const QPointF& center, qreal spread, qreal eyeSize) {
  drawCheeks(painter, center, spread, eyeSize);
  drawEyes(painter, center, spread, eyeSize);
  drawSmile(painter, center, eyeSize);
}

void drawShine(QPainter& painter, const QPointF& center, qreal rx, qreal ry, int alpha) {
  painter.save();
  QColor shine = palette::white;
  shine.setAlpha(alpha);
  painter.setPen(Qt::NoPen);
  painter.setBrush(shine);
  painter.drawEllipse(center, rx, ry);
  painter.restore();
}
