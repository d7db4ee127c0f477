#include "text.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "palette.h"

namespace {

QString labelFamily() {
  static const QString family = [] {
    const QStringList families = QFontDatabase::families();
    for (const QString& candidate : {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}) {
      if (families.contains(candidate)) return candidate;
    }
    std::fprintf(stderr, "warning: IPA Gothic fonts not found, labels will use a fallback font\n");
    return QStringLiteral("IPAPGothic");
  }();
  return family;
}

}  // namespace

QFont uiFont(int pixelSize, bool bold) {
  QFont font(labelFamily());
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

qreal textWidth(const QFont& font, const QString& text) {
  return QFontMetricsF(font).horizontalAdvance(text);
}

void drawLabel(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
               const QColor& color, Qt::Alignment alignment) {
  painter.save();
  painter.setFont(font);
  painter.setPen(color);
  painter.drawText(box, int(alignment), text);
  painter.restore();
}

void drawEmbossedLabel(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                       const QColor& color, const QColor& emboss, Qt::Alignment alignment) {
  drawLabel(painter, box.translated(0, 1), text, font, emboss, alignment);
  drawLabel(painter, box, text, font, color, alignment);
}

qreal drawLogo(QPainter& painter, const QPointF& baselineLeft, qreal pixelSize) {
  QFont font = uiFont(int(pixelSize), false);
  font.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize * 0.02);
  QPainterPath word;
  word.addText(baselineLeft, font, QStringLiteral("Quillora"));
  const QRectF bounds = word.boundingRect();

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal outline = pixelSize * 0.17;
  const auto strokeWith = [&](const QBrush& brush, qreal width, const QPainterPath& path) {
    painter.strokePath(path, QPen(brush, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  };

  // Soft drop shadow, then a white rim that lifts the letters off any backdrop.
  const QPainterPath shadow = word.translated(0, pixelSize * 0.06);
  strokeWith(palette::shade(50), outline + 2, shadow);
  strokeWith(palette::white, outline, word);

  QLinearGradient fill(0, bounds.top(), 0, bounds.bottom());
  fill.setColorAt(0, palette::coral.lighter(108));
  fill.setColorAt(1, palette::coralDeep);
  // The thin stroke in the fill colour makes the regular face read as bold.
  strokeWith(fill, pixelSize * 0.045, word);
  painter.fillPath(word, fill);

  // Gloss on the upper half of the letters.
  painter.setClipPath(word);
  QColor gloss = palette::white;
  gloss.setAlpha(70);
  painter.fillRect(
      QRectF(bounds.left() - 2, bounds.top() - 2, bounds.width() + 4, bounds.height() * 0.42),
      gloss);
  painter.restore();
  return bounds.width();
}
