// 128: the 64 x 64 application icon, a coral tile with a letter and a quill.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include "bitmap_set.h"
#include "motifs.h"
#include "palette.h"
#include "panels.h"
#include "windows.h"

bool renderAppIcon(BitmapSet& bitmaps) {
  QImage icon(64, 64, QImage::Format_RGB32);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);

  // The tile fills the whole image: there is no alpha to round it off with.
  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(255, 190, 160));
  tile.setColorAt(1, QColor(250, 116, 78));
  painter.fillRect(icon.rect(), tile);
  painter.strokePath(roundedRect(QRectF(1.5, 1.5, 61, 61), 12),
                     QPen(QColor(255, 255, 255, 150), 1.6));
  QColor gloss = palette::white;
  gloss.setAlpha(50);
  painter.fillPath(roundedRect(QRectF(4, 4, 56, 24), 10), gloss);

  painter.save();
  painter.translate(27, 40);
  painter.rotate(-10);
  const QRectF letter(-20, -13, 40, 27);
  painter.fillPath(roundedRect(letter.translated(1, 2), 3), palette::shade(70));
  drawEnvelope(painter, letter, palette::white, palette::coralDeep, true);
  painter.restore();

  drawQuill(painter, QPointF(38, 55), QPointF(58, 7), 9, QColor(255, 252, 240),
            QColor(150, 70, 50));
  drawSparkle(painter, QPointF(13, 13), 10, palette::white);
  drawSparkle(painter, QPointF(22, 7), 5, QColor(255, 240, 200));
  painter.end();

  bitmaps.add(128, icon);
  return true;
}
