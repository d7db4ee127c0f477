#include "motifs.h"

#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "palette.h"

namespace {

QPainterPath heartPath(const QPointF& c, qreal s) {
  QPainterPath path;
  path.moveTo(c.x(), c.y() + 0.42 * s);
  path.cubicTo(c.x() - 0.62 * s, c.y() + 0.02 * s, c.x() - 0.46 * s, c.y() - 0.52 * s, c.x(),
               c.y() - 0.22 * s);
  path.cubicTo(c.x() + 0.46 * s, c.y() - 0.52 * s, c.x() + 0.62 * s, c.y() + 0.02 * s, c.x(),
               c.y() + 0.42 * s);
  return path;
}

struct PainterGuard {
  explicit PainterGuard(QPainter& p) : painter(p) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
  }
  ~PainterGuard() { painter.restore(); }
  QPainter& painter;
};

}  // namespace

void drawHeart(QPainter& painter, const QPointF& center, qreal size, const QColor& color) {
  PainterGuard guard(painter);
  painter.fillPath(heartPath(center, size), color);
  QColor shine = palette::white;
  shine.setAlpha(120);
  painter.setPen(Qt::NoPen);
  painter.setBrush(shine);
  painter.drawEllipse(QPointF(center.x() - size * 0.2, center.y() - size * 0.12), size * 0.08,
                      size * 0.06);
}

void drawSparkle(QPainter& painter, const QPointF& center, qreal size, const QColor& color) {
  PainterGuard guard(painter);
  const qreal r = size / 2;
  const qreal w = size * 0.12;
  QPainterPath star;
  star.moveTo(center.x(), center.y() - r);
  star.quadTo(center.x() + w, center.y() - w, center.x() + r, center.y());
  star.quadTo(center.x() + w, center.y() + w, center.x(), center.y() + r);
  star.quadTo(center.x() - w, center.y() + w, center.x() - r, center.y());
  star.quadTo(center.x() - w, center.y() - w, center.x(), center.y() - r);
  painter.fillPath(star, color);
}

void drawQuill(QPainter& painter, const QPointF& nib, const QPointF& tip, qreal vaneWidth,
               const QColor& vane, const QColor& shaft) {
  PainterGuard guard(painter);
  const QLineF axis(nib, tip);
  const qreal length = axis.length();
  const QPointF along = (tip - nib) / length;
  const QPointF across(-along.y(), along.x());

  const QPointF vaneStart = nib + along * length * 0.26;
  QPainterPath feather;
  feather.moveTo(vaneStart);
  feather.cubicTo(vaneStart + along * length * 0.18 + across * vaneWidth * 1.1,
                  tip - along * length * 0.3 + across * vaneWidth * 1.2, tip);
  feather.cubicTo(tip - along * length * 0.25 - across * vaneWidth * 0.7,
                  vaneStart + along * length * 0.25 - across * vaneWidth * 0.8, vaneStart);

  painter.fillPath(feather, vane);
  painter.strokePath(feather, QPen(shaft, std::max<qreal>(0.8, vaneWidth * 0.14)));

  // Two notches in the vane make it read as a feather rather than a leaf.
  const QPen notchPen(shaft, std::max<qreal>(0.7, vaneWidth * 0.12), Qt::SolidLine, Qt::RoundCap);
  painter.setPen(notchPen);
  for (qreal t : {0.5, 0.7}) {
    const QPointF onShaft = nib + along * length * t;
    painter.drawLine(onShaft, onShaft + across * vaneWidth * 0.8 + along * vaneWidth * 0.5);
  }

  // Shaft and nib.
  painter.setPen(QPen(shaft, std::max<qreal>(1.0, vaneWidth * 0.2), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(nib + along * length * 0.08, tip - along * length * 0.08);
  QPainterPath point;
  point.moveTo(nib);
  point.lineTo(nib + along * length * 0.12 + across * vaneWidth * 0.22);
  point.lineTo(nib + along * length * 0.12 - across * vaneWidth * 0.22);
  point.closeSubpath();
  painter.fillPath(point, shaft);
}

void drawEnvelope(QPainter& painter, const QRectF& rect, const QColor& paper, const QColor& line,
                  bool heartSeal) {
  PainterGuard guard(painter);
  const qreal lineWidth = std::max<qreal>(1.0, rect.width() / 28);
  const qreal radius = rect.width() / 14;
  QPainterPath body;
  body.addRoundedRect(rect, radius, radius);
  painter.fillPath(body, paper);

  // The lower folds, a touch darker than the paper.
  QPainterPath folds;
  folds.moveTo(rect.bottomLeft());
  folds.lineTo(rect.center().x(), rect.top() + rect.height() * 0.48);
  folds.lineTo(rect.bottomRight());
  painter.setClipPath(body);
  painter.fillPath(folds, paper.darker(106));
  painter.setClipping(false);

  QPainterPath flap;
  flap.moveTo(rect.left() + radius * 0.4, rect.top() + radius * 0.4);
  flap.lineTo(rect.center().x(), rect.top() + rect.height() * 0.58);
  flap.lineTo(rect.right() - radius * 0.4, rect.top() + radius * 0.4);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(line, lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(flap);
  painter.drawPath(body);

  if (heartSeal)
    drawHeart(painter, QPointF(rect.center().x(), rect.top() + rect.height() * 0.58),
              rect.width() * 0.26, palette::coral);
}

void drawPaperPlane(QPainter& painter, const QRectF& box, const QColor& paper, const QColor& fold,
                    const QColor& line) {
  PainterGuard guard(painter);
  auto at = [&](qreal fx, qreal fy) {
    return QPointF(box.left() + fx * box.width(), box.top() + fy * box.height());
  };
  QPainterPath upper;
  upper.moveTo(at(0.0, 0.45));
  upper.lineTo(at(1.0, 0.0));
  upper.lineTo(at(0.38, 0.62));
  upper.closeSubpath();
  QPainterPath lower;
  lower.moveTo(at(0.38, 0.62));
  lower.lineTo(at(1.0, 0.0));
  lower.lineTo(at(0.72, 0.95));
  lower.closeSubpath();
  QPainterPath keel;
  keel.moveTo(at(0.38, 0.62));
  keel.lineTo(at(1.0, 0.0));
  keel.lineTo(at(0.42, 0.92));
  keel.closeSubpath();

  const QPen pen(line, std::max<qreal>(1.0, box.width() / 30), Qt::SolidLine, Qt::RoundCap,
                 Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(fold);
  painter.drawPath(keel);
  painter.setBrush(paper);
  painter.drawPath(lower);
  painter.drawPath(upper);
}

void drawPicture(QPainter& painter, const QRectF& rect) {
  PainterGuard guard(painter);
  painter.setClipRect(rect);
  QLinearGradient sky(0, rect.top(), 0, rect.bottom());
  sky.setColorAt(0, QColor(150, 210, 245));
  sky.setColorAt(1, QColor(220, 242, 252));
  painter.fillRect(rect, sky);

  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::sunny);
  const qreal unit = rect.width();
  painter.drawEllipse(QPointF(rect.left() + unit * 0.74, rect.top() + rect.height() * 0.3),
                      unit * 0.11, unit * 0.11);

  QPainterPath farHill;
  farHill.moveTo(rect.left(), rect.bottom());
  farHill.lineTo(rect.left(), rect.top() + rect.height() * 0.7);
  farHill.quadTo(rect.left() + unit * 0.3, rect.top() + rect.height() * 0.42,
                 rect.left() + unit * 0.62, rect.top() + rect.height() * 0.72);
  farHill.lineTo(rect.right(), rect.bottom());
  farHill.closeSubpath();
  painter.fillPath(farHill, QColor(150, 212, 150));

  QPainterPath nearHill;
  nearHill.moveTo(rect.left(), rect.bottom());
  nearHill.lineTo(rect.left() + unit * 0.25, rect.bottom());
  nearHill.quadTo(rect.left() + unit * 0.65, rect.top() + rect.height() * 0.5, rect.right(),
                  rect.top() + rect.height() * 0.74);
  nearHill.lineTo(rect.right(), rect.bottom());
  nearHill.closeSubpath();
  painter.fillPath(nearHill, QColor(110, 188, 120));
}

void drawPhotoCard(QPainter& painter, const QPointF& center, const QSizeF& size, qreal angle) {
  PainterGuard guard(painter);
  painter.translate(center);
  painter.rotate(angle);
  const QRectF card(-size.width() / 2, -size.height() / 2, size.width(), size.height());
  painter.fillRect(card.translated(1.5, 2), palette::shade(40));
  painter.fillRect(card, palette::white);
  painter.setPen(QPen(QColor(232, 214, 204), 1));
  painter.drawRect(card);
  const qreal border = std::max<qreal>(2, size.width() * 0.08);
  drawPicture(painter, card.adjusted(border, border, -border, -border * 2.2));
}

void drawPhone(QPainter& painter, const QRectF& body, const QColor& shell, const QColor& edge) {
  PainterGuard guard(painter);
  const qreal unit = body.width();
  const qreal radius = unit * 0.18;

  // Antenna stub on the top right.
  const QRectF antenna(body.right() - unit * 0.26, body.top() - unit * 0.22, unit * 0.12,
                       unit * 0.3);
  QPainterPath stub;
  stub.addRoundedRect(antenna, unit * 0.05, unit * 0.05);
  painter.fillPath(stub, edge);

  QPainterPath shape;
  shape.addRoundedRect(body, radius, radius);
  painter.fillPath(shape.translated(2, 3), palette::shade(45));
  QLinearGradient fill(body.topLeft(), body.topRight());
  fill.setColorAt(0, shell.lighter(112));
  fill.setColorAt(1, shell);
  painter.fillPath(shape, fill);
  painter.strokePath(shape, QPen(edge, std::max<qreal>(1.0, unit / 40)));

  const QRectF screen(body.left() + unit * 0.14, body.top() + unit * 0.3, unit * 0.72,
                      unit * 0.72 * 0.92);
  painter.fillRect(screen.adjusted(-unit * 0.03, -unit * 0.03, unit * 0.03, unit * 0.03),
                   QColor(90, 72, 84));
  drawPicture(painter, screen);

  // Speaker slot.
  painter.setPen(Qt::NoPen);
  painter.setBrush(edge);
  painter.drawRoundedRect(
      QRectF(body.center().x() - unit * 0.14, body.top() + unit * 0.13, unit * 0.28, unit * 0.05),
      unit * 0.025, unit * 0.025);

  // Keypad: a round select key and a grid of small keys.
  const qreal keysTop = screen.bottom() + unit * 0.1;
  painter.setBrush(palette::white);
  painter.setPen(QPen(edge, std::max<qreal>(0.8, unit / 60)));
  painter.drawEllipse(QPointF(body.center().x(), keysTop + unit * 0.1), unit * 0.11, unit * 0.08);
  const qreal keyW = unit * 0.18;
  const qreal keyH = unit * 0.08;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 3; ++col) {
      const QPointF keyCenter(body.center().x() + (col - 1) * unit * 0.24,
                              keysTop + unit * 0.3 + row * unit * 0.13);
      if (keyCenter.y() + keyH > body.bottom() - unit * 0.06) continue;
      painter.drawRoundedRect(
          QRectF(keyCenter.x() - keyW / 2, keyCenter.y() - keyH / 2, keyW, keyH), keyH / 2,
          keyH / 2);
    }
  }
}

void drawPhoneGlyph(QPainter& painter, const QRectF& box, const QColor& color) {
  PainterGuard guard(painter);
  const qreal w = box.height() * 0.55;
  const QRectF body(box.center().x() - w / 2, box.top(), w, box.height());
  QPainterPath shape;
  shape.addRoundedRect(body, w * 0.22, w * 0.22);
  QPainterPath screen;
  screen.addRoundedRect(
      body.adjusted(w * 0.16, box.height() * 0.14, -w * 0.16, -box.height() * 0.44), w * 0.06,
      w * 0.06);
  painter.fillPath(shape.subtracted(screen), color);
  // Keypad dots.
  painter.setPen(Qt::NoPen);
  painter.setBrush(color.darker(135));
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 3; ++col)
      painter.drawEllipse(QPointF(body.left() + w * (0.25 + 0.25 * col),
                                  body.top() + box.height() * (0.68 + 0.14 * row)),
                          w * 0.06, w * 0.06);
  }
}

void drawMascot(QPainter& painter, const QPointF& center, qreal width) {
  PainterGuard guard(painter);
  const qreal h = width * 0.68;
  const QRectF body(center.x() - width / 2, center.y() - h / 2, width, h);

  // Wings behind the body, each a fan of three round feathers.
  const QColor wing(255, 255, 255);
  const QColor wingEdge = palette::coralLight.darker(108);
  painter.setPen(QPen(wingEdge, std::max<qreal>(1.0, width / 40)));
  painter.setBrush(wing);
  for (int side : {-1, 1}) {
    for (int i = 2; i >= 0; --i) {
      const QPointF feather(center.x() + side * (width * 0.5 + width * 0.06 * i),
                            center.y() - h * 0.12 - i * h * 0.14);
      painter.drawEllipse(feather, width * 0.2 - i * width * 0.02, h * 0.16);
    }
  }

  QPainterPath shadow;
  shadow.addEllipse(QPointF(center.x(), body.bottom() + h * 0.35), width * 0.36, h * 0.07);
  painter.fillPath(shadow, palette::shade(35));
  drawEnvelope(painter, body, QColor(255, 253, 248), palette::coralDeep, false);

  // Face, sitting below the flap's point.
  const qreal faceY = body.top() + h * 0.72;
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::ink);
  painter.drawEllipse(QPointF(center.x() - width * 0.16, faceY), width * 0.035, width * 0.045);
  painter.drawEllipse(QPointF(center.x() + width * 0.16, faceY), width * 0.035, width * 0.045);
  painter.setBrush(palette::blush);
  painter.drawEllipse(QPointF(center.x() - width * 0.27, faceY + h * 0.1), width * 0.06,
                      width * 0.035);
  painter.drawEllipse(QPointF(center.x() + width * 0.27, faceY + h * 0.1), width * 0.06,
                      width * 0.035);
  QPainterPath smile;
  smile.moveTo(center.x() - width * 0.06, faceY + h * 0.06);
  smile.quadTo(center.x(), faceY + h * 0.14, center.x() + width * 0.06, faceY + h * 0.06);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(palette::ink, std::max<qreal>(1.0, width / 36), Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(smile);

  drawHeart(painter, QPointF(center.x(), body.top() + h * 0.44), width * 0.2, palette::coral);
}

void drawMagnifier(QPainter& painter, const QRectF& box, const QColor& color, bool plus) {
  PainterGuard guard(painter);
  const qreal s = std::min(box.width(), box.height());
  const QPointF lens(box.center().x() - s * 0.1, box.center().y() - s * 0.1);
  const qreal r = s * 0.33;
  const qreal pen = std::max<qreal>(1.5, s * 0.12);
  painter.setPen(QPen(color, pen * 1.4, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(lens + QPointF(r * 0.75, r * 0.75), lens + QPointF(r * 1.55, r * 1.55));
  painter.setPen(QPen(color, pen));
  painter.setBrush(QColor(255, 255, 255, 200));
  painter.drawEllipse(lens, r, r);
  painter.setPen(QPen(color, pen, Qt::SolidLine, Qt::RoundCap));
  const qreal arm = r * 0.5;
  painter.drawLine(lens - QPointF(arm, 0), lens + QPointF(arm, 0));
  if (plus) painter.drawLine(lens - QPointF(0, arm), lens + QPointF(0, arm));
}

void drawFolder(QPainter& painter, const QRectF& box, const QColor& color) {
  PainterGuard guard(painter);
  const qreal w = box.width();
  const qreal h = box.height() * 0.8;
  const QRectF body(box.left(), box.top() + box.height() * 0.2, w, h);
  QPainterPath back;
  back.moveTo(body.left(), body.top() - h * 0.18);
  back.lineTo(body.left() + w * 0.38, body.top() - h * 0.18);
  back.lineTo(body.left() + w * 0.5, body.top());
  back.lineTo(body.right(), body.top());
  back.lineTo(body.right(), body.bottom());
  back.lineTo(body.left(), body.bottom());
  back.closeSubpath();
  painter.fillPath(back, color.darker(112));
  QPainterPath front;
  front.moveTo(body.left() + w * 0.08, body.top() + h * 0.28);
  front.lineTo(body.right() + w * 0.04, body.top() + h * 0.28);
  front.lineTo(body.right() - w * 0.06, body.bottom());
  front.lineTo(body.left(), body.bottom());
  front.closeSubpath();
  painter.fillPath(front, color);
}

void drawHouse(QPainter& painter, const QRectF& box, const QColor& color) {
  PainterGuard guard(painter);
  const qreal w = box.width();
  const qreal h = box.height();
  QPainterPath roof;
  roof.moveTo(box.left(), box.top() + h * 0.5);
  roof.lineTo(box.center().x(), box.top());
  roof.lineTo(box.right(), box.top() + h * 0.5);
  painter.strokePath(roof, QPen(color, std::max<qreal>(1.5, w * 0.14), Qt::SolidLine, Qt::RoundCap,
                                Qt::RoundJoin));
  QPainterPath walls;
  walls.addRect(QRectF(box.left() + w * 0.18, box.top() + h * 0.45, w * 0.64, h * 0.55));
  QPainterPath door;
  door.addRect(QRectF(box.center().x() - w * 0.1, box.top() + h * 0.68, w * 0.2, h * 0.32));
  painter.fillPath(walls.subtracted(door), color);
}

void drawSpeechBubble(QPainter& painter, const QRectF& box, const QColor& fill,
                      const QColor& line) {
  PainterGuard guard(painter);
  const QRectF bubble(box.left(), box.top(), box.width(), box.height() * 0.78);
  QPainterPath shape;
  shape.addRoundedRect(bubble, bubble.height() * 0.45, bubble.height() * 0.45);
  QPainterPath tail;
  tail.moveTo(bubble.left() + box.width() * 0.25, bubble.bottom() - 2);
  tail.lineTo(bubble.left() + box.width() * 0.18, box.bottom());
  tail.lineTo(bubble.left() + box.width() * 0.45, bubble.bottom() - 2);
  tail.closeSubpath();
  shape = shape.united(tail);
  painter.fillPath(shape, fill);
  painter.strokePath(shape, QPen(line, std::max<qreal>(1.0, box.width() / 16)));
  painter.setPen(Qt::NoPen);
  painter.setBrush(line);
  for (int i = -1; i <= 1; ++i)
    painter.drawEllipse(QPointF(bubble.center().x() + i * box.width() * 0.22, bubble.center().y()),
                        box.width() * 0.06, box.width() * 0.06);
}

void drawStarFace(QPainter& painter, const QPointF& center, qreal radius, const QColor& fill,
                  const QColor& line) {
  PainterGuard guard(painter);
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const qreal angle = -M_PI / 2 + i * M_PI / 5;
    const qreal r = (i % 2) ? radius * 0.55 : radius;
    const QPointF point(center.x() + r * std::cos(angle), center.y() + r * std::sin(angle));
    if (i == 0)
      star.moveTo(point);
    else
      star.lineTo(point);
  }
  star.closeSubpath();
  painter.fillPath(star, fill);
  painter.strokePath(star, QPen(line, std::max<qreal>(1.0, radius / 8), Qt::SolidLine, Qt::RoundCap,
                                Qt::RoundJoin));
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::ink);
  painter.drawEllipse(QPointF(center.x() - radius * 0.2, center.y() + radius * 0.02), radius * 0.07,
                      radius * 0.09);
  painter.drawEllipse(QPointF(center.x() + radius * 0.2, center.y() + radius * 0.02), radius * 0.07,
                      radius * 0.09);
  painter.setBrush(palette::blush);
  painter.drawEllipse(QPointF(center.x() - radius * 0.34, center.y() + radius * 0.2), radius * 0.1,
                      radius * 0.06);
  painter.drawEllipse(QPointF(center.x() + radius * 0.34, center.y() + radius * 0.2), radius * 0.1,
                      radius * 0.06);
}

void drawRoundBadge(QPainter& painter, const QPointF& center, qreal radius, const QColor& top,
                    const QColor& bottom) {
  PainterGuard guard(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::shade(40));
  painter.drawEllipse(center + QPointF(0, 1.5), radius, radius);
  painter.setBrush(palette::white);
  painter.drawEllipse(center, radius, radius);
  QLinearGradient fill(0, center.y() - radius, 0, center.y() + radius);
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  painter.setBrush(fill);
  painter.drawEllipse(center, radius - 2.5, radius - 2.5);
  // Gloss across the upper part.
  QColor gloss = palette::white;
  gloss.setAlpha(80);
  painter.setBrush(gloss);
  painter.drawEllipse(QPointF(center.x(), center.y() - radius * 0.38), radius * 0.62,
                      radius * 0.36);
}
