#include "panels.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>

#include "motifs.h"
#include "palette.h"
#include "text.h"

QPainterPath roundedRect(const QRectF& rect, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(rect, radius, radius);
  return path;
}

void drawWindowBody(QPainter& painter, const QRectF& outer, qreal radius, PaperGradient paper) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.fillPath(roundedRect(outer, radius), palette::windowEdge);
  painter.fillPath(roundedRect(outer.adjusted(2, 2, -2, -2), radius - 2), palette::white);

  QLinearGradient fill(0, paper.top, 0, paper.bottom);
  fill.setColorAt(0, palette::paperTop);
  fill.setColorAt(1, palette::paperBottom);
  painter.fillPath(roundedRect(outer.adjusted(3, 3, -3, -3), radius - 3), fill);
  painter.restore();
}

void drawTitleBand(QPainter& painter, const QRectF& outer, qreal radius, qreal bandBottom) {
  const QRectF inner = outer.adjusted(3, 3, -3, -3);
  QPainterPath band;
  band.moveTo(inner.left(), inner.top());
  band.lineTo(inner.right(), inner.top());
  band.lineTo(inner.right(), bandBottom - 3);
  // A slow wave: two full periods across the window.
  const int steps = 64;
  for (int i = 0; i <= steps; ++i) {
    const qreal t = qreal(i) / steps;
    const qreal x = inner.right() - t * inner.width();
    band.lineTo(x, bandBottom - 3 + 2.5 * std::sin(t * 4 * M_PI));
  }
  band.closeSubpath();

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipPath(roundedRect(inner, radius - 3));
  QLinearGradient fill(0, inner.top(), 0, bandBottom);
  fill.setColorAt(0, palette::bandTop);
  fill.setColorAt(1, palette::bandBottom);
  painter.fillPath(band, fill);

  painter.setClipPath(band, Qt::IntersectClip);
  QColor dots = palette::white;
  dots.setAlpha(90);
  drawDotPattern(painter, inner, dots, 14, 1.4);
  painter.setClipping(false);

  // White seam along the wave.
  QPainterPath seam;
  for (int i = 0; i <= steps; ++i) {
    const qreal t = qreal(i) / steps;
    const QPointF point(inner.right() - t * inner.width(),
                        bandBottom - 3 + 2.5 * std::sin(t * 4 * M_PI));
    if (i == 0)
      seam.moveTo(point);
    else
      seam.lineTo(point);
  }
  painter.setClipPath(roundedRect(inner, radius - 3));
  painter.strokePath(seam, QPen(palette::white, 1.6));
  painter.restore();
}

void drawDialogHeader(QPainter& painter, const QRectF& outer, qreal bandBottom,
                      const QString& title, const QString& caption) {
  const qreal middle = (outer.top() + 3 + bandBottom - 3) / 2;
  drawQuill(painter, QPointF(outer.left() + 13, middle + 8), QPointF(outer.left() + 27, middle - 8),
            5, palette::white, palette::coralDeep);

  const QFont titleFont = uiFont(13, true);
  const QRectF titleBox(outer.left() + 33, middle - 9, 200, 18);
  drawEmbossedLabel(painter, titleBox, title, titleFont, palette::coralDeep, palette::white,
                    Qt::AlignLeft | Qt::AlignVCenter);

  if (!caption.isEmpty()) {
    const QFont captionFont = uiFont(10, true);
    const QRectF captionBox(titleBox.left() + textWidth(titleFont, title) + 8, middle - 8, 140, 17);
    drawLabel(painter, captionBox, caption, captionFont, palette::inkSoft,
              Qt::AlignLeft | Qt::AlignVCenter);
  }

  QFont nameFont = uiFont(11, true);
  nameFont.setItalic(true);
  const QRectF nameBox(outer.right() - 110, middle - 8, 96, 17);
  drawEmbossedLabel(painter, nameBox, QStringLiteral("Quillora"), nameFont, palette::coral,
                    palette::white, Qt::AlignRight | Qt::AlignVCenter);
}

void drawEditField(QPainter& painter, const QRect& editRect) {
  const QRectF box = QRectF(editRect).adjusted(-2, -2, 2, 2);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // Faint glow outside, then the edge line, then pure white to match the edit.
  painter.fillPath(roundedRect(box.adjusted(-1, -1, 1, 2), 5), QColor(255, 255, 255, 160));
  painter.fillPath(roundedRect(box, 4), palette::fieldBorder);
  painter.fillPath(roundedRect(box.adjusted(1, 1, -1, -1), 3), palette::white);
  painter.fillRect(QRectF(editRect), palette::white);
  // A hint of depth along the top edge.
  painter.fillRect(QRectF(box.left() + 3, box.top() + 1, box.width() - 6, 1),
                   QColor(240, 222, 212));
  painter.restore();
}

void drawValueBox(QPainter& painter, const QRectF& box) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(roundedRect(box, 4), palette::coralLight);
  painter.fillPath(roundedRect(box.adjusted(1, 1, -1, -1), 3), palette::valueBox);
  painter.restore();
}

void drawSoftPanel(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top,
                   const QColor& bottom, const QColor& edge) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(roundedRect(rect.adjusted(0, 1, 0, 1), radius), QColor(255, 255, 255, 200));
  painter.fillPath(roundedRect(rect, radius), edge);
  QLinearGradient fill(0, rect.top(), 0, rect.bottom());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  painter.fillPath(roundedRect(rect.adjusted(1.2, 1.2, -1.2, -1.2), radius - 1.2), fill);
  painter.restore();
}

void drawDotPattern(QPainter& painter, const QRectF& area, const QColor& color, qreal spacing,
                    qreal dotRadius) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  int row = 0;
  for (qreal y = area.top() + spacing / 2; y < area.bottom(); y += spacing, ++row) {
    const qreal shift = (row % 2) ? spacing / 2 : 0;
    for (qreal x = area.left() + spacing / 4 + shift; x < area.right(); x += spacing)
      painter.drawEllipse(QPointF(x, y), dotRadius, dotRadius);
  }
  painter.restore();
}
