#include "materials_lettering.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "materials_drawing.h"
#include "motifs.h"
#include "palette.h"
#include "text.h"

namespace {

// The white rim around the letters; half of it lies outside their edges.
constexpr qreal kRimWidth = 3.6;
// A thin stroke in the fill colour fattens the strokes and rounds their ends.
constexpr qreal kFattening = 0.9;

// An exclamation mark from `top` to the baseline `bottom`: the font's own one
// is so narrow that its dot runs into the bar once the rim is drawn.
QPainterPath exclamationPath(qreal left, qreal top, qreal bottom, int pixelSize) {
  const qreal height = bottom - top;
  const qreal width = pixelSize * 0.26;
  const qreal center = left + width / 2;
  QPainterPath mark = roundedPolygonPath({{left, top},
                                          {left + width, top},
                                          {center + width * 0.28, top + height * 0.56},
                                          {center - width * 0.28, top + height * 0.56}},
                                         width * 0.4);
  mark.addEllipse(QPointF(center, bottom - width * 0.42), width * 0.42, width * 0.42);
  return mark;
}

// Kanji have too many strokes for the bold face at this size: they fill in.
bool hasKanji(const QString& line) {
  return std::any_of(line.cbegin(), line.cend(),
                     [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

// One line centred on x = 0 with its baseline at `baseline`.
QPainterPath textLinePath(QString line, qreal baseline, int pixelSize) {
  const bool exclaimed = line.endsWith(QChar(0xFF01));  // the full-width "!"
  if (exclaimed) line.chop(1);
  QPainterPath path;
  path.addText(0, baseline, uiFont(pixelSize, !hasKanji(line)), line);
  if (exclaimed) {
    const QRectF letters = path.boundingRect();
    path.addPath(exclamationPath(letters.right() + pixelSize * 0.16, letters.top(),
                                 std::max(baseline, letters.bottom()), pixelSize));
  }
  path.translate(-path.boundingRect().center().x(), 0);
  return path;
}

// Every line centred on x = 0, the first baseline at y = 0.
QList<QPainterPath> linePaths(const QStringList& lines, int pixelSize) {
  QList<QPainterPath> paths;
  for (int i = 0; i < lines.size(); ++i)
    paths << textLinePath(lines[i], i * pixelSize * 1.1, pixelSize);
  return paths;
}

QRectF unitedBounds(const QList<QPainterPath>& paths) {
  QRectF bounds;
  for (const QPainterPath& path : paths) bounds |= path.boundingRect();
  return bounds;
}

}  // namespace

void drawLettering(QPainter& painter, const QStringList& lines, const QRectF& box, int maxPixelSize,
                   const QColor& top, const QColor& bottom) {
  QList<QPainterPath> paths;
  for (int size = maxPixelSize; size >= 8; --size) {
    paths = linePaths(lines, size);
    const QSizeF needed = unitedBounds(paths).size() + QSizeF(kRimWidth, kRimWidth);
    if (needed.width() <= box.width() && needed.height() <= box.height()) break;
  }
  const QPointF shift = box.center() - unitedBounds(paths).center();
  for (QPainterPath& path : paths) path.translate(shift);

  painter.save();
  // All rims first, so no line's rim covers the letters of the line above.
  for (const QPainterPath& path : paths)
    painter.strokePath(path,
                       QPen(palette::white, kRimWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QColor gloss = palette::white;
  gloss.setAlpha(50);
  for (const QPainterPath& path : paths) {
    const QRectF bounds = path.boundingRect();
    const QBrush fill = verticalGradient(bounds.top(), bounds.bottom(), top, bottom);
    painter.strokePath(path, QPen(fill, kFattening, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, fill);
    // Gloss on the upper part of the letters.
    painter.save();
    painter.setClipPath(path);
    painter.fillRect(
        QRectF(bounds.left() - 2, bounds.top() - 2, bounds.width() + 4, bounds.height() * 0.42),
        gloss);
    painter.restore();
  }
  painter.restore();
}

void drawOrnament(QPainter& painter, Ornament kind, const QPointF& center, qreal size,
                  const QColor& colour) {
  const qreal r = size / 2;
  switch (kind) {
    case Ornament::Heart:
      painter.fillPath(heartPath(center, size), colour);
      drawShine(painter, center + QPointF(-r * 0.45, -r * 0.35), r * 0.2, r * 0.14, 200);
      break;
    case Ornament::Star:
      painter.fillPath(starPath(center, r, 0.5, r * 0.12), colour);
      break;
    case Ornament::Sparkle:
      drawSparkle(painter, center, size, colour);
      break;
    case Ornament::Note: {
      QPainterPath note =
          turnedEllipse(center + QPointF(-r * 0.3, r * 0.6), r * 0.42, r * 0.32, -20);
      note.addRect(QRectF(center.x() + r * 0.02, center.y() - r, r * 0.2, r * 1.6));
      QPainterPath flag;
      flag.moveTo(center.x() + r * 0.1, center.y() - r);
      flag.cubicTo(center.x() + r * 0.4, center.y() - r * 0.6, center.x() + r * 0.8,
                   center.y() - r * 0.5, center.x() + r * 0.6, center.y());
      flag.cubicTo(center.x() + r * 0.6, center.y() - r * 0.3, center.x() + r * 0.4,
                   center.y() - r * 0.4, center.x() + r * 0.1, center.y() - r * 0.45);
      painter.fillPath(note.united(flag), colour);
      break;
    }
    case Ornament::Moon:
      painter.fillPath(circlePath(center, r).subtracted(
                           circlePath(center + QPointF(r * 0.55, -r * 0.3), r * 0.8)),
                       colour);
      break;
    case Ornament::Drop: {
      QPainterPath drop;
      drop.moveTo(center + QPointF(0, -r));
      drop.cubicTo(center + QPointF(r * 0.8, 0), center + QPointF(r * 0.7, r),
                   center + QPointF(0, r));
      drop.cubicTo(center + QPointF(-r * 0.7, r), center + QPointF(-r * 0.8, 0),
                   center + QPointF(0, -r));
      painter.fillPath(drop, colour);
      drawShine(painter, center + QPointF(-r * 0.2, r * 0.2), r * 0.15, r * 0.25, 200);
      break;
    }
    case Ornament::Dot:
      painter.fillPath(circlePath(center, r), colour);
      break;
  }
}
