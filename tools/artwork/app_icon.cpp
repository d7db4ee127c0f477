// 128: the 64 x 64 application icon, a coral tile with a letter and a quill; and the same
// picture as the desktop's icon at the sizes of the hicolor theme, with rounded corners.
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

#include "bitmap_set.h"
#include "motifs.h"
#include "palette.h"
#include "panels.h"
#include "render_scale.h"
#include "windows.h"

namespace {

const QRectF kTile(0, 0, 64, 64);
const qreal kTileRadius = 12;

// Paints the icon in a 64 x 64 space. The bitmap has no alpha, so its tile fills the whole
// image; the desktop's icons are rounded off.
void paintIcon(QPainter& painter, bool rounded) {
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(255, 190, 160));
  tile.setColorAt(1, QColor(250, 116, 78));
  if (rounded)
    painter.fillPath(roundedRect(kTile, kTileRadius), tile);
  else
    painter.fillRect(kTile.toRect(), tile);
  painter.strokePath(roundedRect(QRectF(1.5, 1.5, 61, 61), kTileRadius),
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
}

}  // namespace

bool renderAppIcon(BitmapSet& bitmaps) {
  QImage icon = newImage({64, 64});
  QPainter painter(&icon);
  paintIcon(painter, false);
  painter.end();
  bitmaps.add(128, icon);
  return true;
}

bool renderDesktopIcons(const QString& folder) {
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
    return false;
  }
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.scale(size / kTile.width(), size / kTile.height());
    paintIcon(painter, true);
    painter.end();
    const QString path = QDir(folder).filePath(QStringLiteral("quillora_%1.png").arg(size));
    if (!icon.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return false;
    }
  }
  std::printf("wrote the desktop icons to %s\n", qPrintable(folder));
  return true;
}
