// 173: the start-up splash with the logo and a strip for progress messages.
#include <QPainter>

#include "bitmap_set.h"
#include "layout_check.h"
#include "motifs.h"
#include "palette.h"
#include "panels.h"
#include "shaped_window.h"
#include "text.h"
#include "windows.h"

namespace {

const QRectF kOuter(0, 0, 400, 240);
const qreal kRadius = 18;
// The program writes "初期化中..." and the like at (20, 216); this strip stays clean.
const QRectF kProgressStrip(12, 208, 376, 26);

void paintLogoBlock(QPainter& painter) {
  const qreal logoWidth = drawLogo(painter, QPointF(30, 84), 52);
  drawQuill(painter, QPointF(30 + logoWidth + 2, 88), QPointF(30 + logoWidth + 30, 34), 9,
            palette::white, palette::coralDeep);
  drawLabel(painter, QRectF(33, 98, 240, 20), QStringLiteral("ピクチャーメール作成ソフト"),
            uiFont(15, true), palette::ink, Qt::AlignLeft | Qt::AlignVCenter);
  drawLabel(painter, QRectF(34, 122, 120, 16), QStringLiteral("Version 1.0"), uiFont(11, false),
            palette::inkSoft, Qt::AlignLeft | Qt::AlignVCenter);
}

void paintScene(QPainter& painter) {
  // A phone showing a photo, a print that just came out of it, and the mascot
  // carrying it off as mail.
  painter.save();
  painter.translate(305, 98);
  painter.rotate(8);
  drawPhone(painter, QRectF(-30, -62, 60, 124), QColor(255, 226, 232), QColor(214, 120, 132));
  painter.restore();

  drawPhotoCard(painter, QPointF(250, 168), QSizeF(48, 40), -12);
  drawMascot(painter, QPointF(356, 170), 38);
  drawStarFace(painter, QPointF(208, 166), 13, palette::sunny, QColor(226, 170, 60));

  drawHeart(painter, QPointF(372, 40), 14, palette::coral);
  drawHeart(painter, QPointF(258, 122), 10, palette::blush);
  drawSparkle(painter, QPointF(352, 22), 10, palette::white);
  drawSparkle(painter, QPointF(382, 118), 12, palette::white);
  drawSparkle(painter, QPointF(214, 78), 9, palette::white);
  drawSparkle(painter, QPointF(238, 30), 9, palette::white);
  drawSparkle(painter, QPointF(178, 150), 9, palette::coralLight);
}

void paintProgressStrip(QPainter& painter) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(roundedRect(kProgressStrip.adjusted(0, 1, 0, 1), 7), QColor(255, 255, 255, 200));
  painter.fillPath(roundedRect(kProgressStrip, 7), palette::coralLight);
  painter.fillPath(roundedRect(kProgressStrip.adjusted(1, 1, -1, -1), 6), QColor(255, 254, 251));
  // Three dots at the far end hint that something is on its way.
  const QColor dots[] = {palette::coralLight, palette::coral, palette::coralDeep};
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < 3; ++i) {
    painter.setBrush(dots[i]);
    painter.drawEllipse(QPointF(kProgressStrip.right() - 30 + i * 9, kProgressStrip.center().y()),
                        2.4, 2.4);
  }
  painter.restore();
}

}  // namespace

bool renderSplashWindow(BitmapSet& bitmaps) {
  QImage image = newWindowCanvas(kOuter.size().toSize());
  {
    QPainter painter(&image);
    drawWindowBody(painter, kOuter, kRadius, {0, 240});
    drawTitleBand(painter, kOuter, kRadius, 150);
    paintScene(painter);
    paintLogoBlock(painter);
    paintProgressStrip(painter);
  }
  cutToShape(image, roundedRect(kOuter, kRadius));
  bitmaps.add(173, image);
  return checkWindow(173, image, {});
}
