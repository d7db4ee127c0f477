// Composition window: outline, paper and title band, and the left-hand art
// (phone screen, tone tray, mascot corner) that all three tabs share.
#include <QLinearGradient>
#include <QPainter>

#include "compose_layout.h"
#include "motifs.h"
#include "palette.h"
#include "panels.h"
#include "text.h"

namespace compose {

namespace {

const QColor kPhonePink(255, 226, 232);
const QColor kPhoneEdge(214, 120, 132);

void paintTitleMotif(QPainter& painter) {
  drawPhotoCard(painter, QPointF(292, 50), QSizeF(40, 32), -16);
  painter.save();
  painter.translate(336, 60);
  painter.rotate(-8);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(roundedRect(QRectF(-28, -19, 56, 38).translated(1.5, 2.5), 4),
                   palette::shade(45));
  drawEnvelope(painter, QRectF(-28, -19, 56, 38), palette::white, palette::coralDeep, true);
  painter.restore();
  drawQuill(painter, QPointF(356, 92), QPointF(386, 24), 8, palette::coralPale, palette::coralDeep);
  drawSparkle(painter, QPointF(268, 24), 10, palette::white);
  drawSparkle(painter, QPointF(252, 84), 8, palette::white);
  drawHeart(painter, QPointF(372, 86), 10, palette::coral);
}

void paintPhoneShell(QPainter& painter) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QPainterPath shell = roundedRect(kPhoneShell, 14);
  painter.fillPath(shell.translated(0, 2), palette::shade(40));
  painter.fillPath(shell, kPhoneEdge);
  QLinearGradient fill(kPhoneShell.left(), 0, kPhoneShell.right(), 0);
  fill.setColorAt(0, kPhonePink.lighter(106));
  fill.setColorAt(0.5, kPhonePink);
  fill.setColorAt(1, kPhonePink.darker(104));
  painter.fillPath(roundedRect(kPhoneShell.adjusted(1.2, 1.2, -1.2, -1.2), 13), fill);
  QColor gloss = palette::white;
  gloss.setAlpha(110);
  painter.fillPath(roundedRect(QRectF(43.5, 138, 3, 110), 1.5), gloss);

  // Speaker slot above the screen.
  painter.fillPath(roundedRect(QRectF(88, 136, 22, 2.6), 1.3), kPhoneEdge);

  // Dark glass round the screen; the screen itself is the program's canvas.
  painter.fillPath(roundedRect(QRectF(kCanvas).adjusted(-3, -3, 3, 3), 3), QColor(92, 72, 86));
  painter.restore();
  painter.fillRect(kCanvas, palette::white);

  // A little heart between the zoom keys.
  drawHeart(painter, QPointF(100, 256), 12, palette::coral);
}

void paintToneTray(QPainter& painter) {
  drawSoftPanel(painter, kToneTray, 10, QColor(255, 253, 249), QColor(255, 242, 232),
                palette::fieldBorder);
  const QFont font = uiFont(11, true);
  drawEmbossedLabel(painter, QRectF(10, kTrackY - 8, 16, 16), QStringLiteral("暗"), font,
                    palette::ink, palette::white);
  drawEmbossedLabel(painter, QRectF(164, kTrackY - 8, 16, 16), QStringLiteral("明"), font,
                    palette::coralDeep, palette::white);

  // A plain groove: the knob is one bitmap wherever it sits, so the track
  // looks the same all along.
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF groove(kTrackLeft, kTrackY - 2, kTrackRight - kTrackLeft, 4);
  painter.fillPath(roundedRect(groove.adjusted(0, 0, 0, 1), 2), palette::white);
  painter.fillPath(roundedRect(groove, 2), QColor(214, 176, 160));
  painter.fillRect(QRectF(groove.left() + 1, groove.top() + 1, groove.width() - 2, 1),
                   QColor(190, 150, 134));
  painter.restore();
}

void paintMascotCorner(QPainter& painter) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::coralLight);
  QPainterPath trail;
  trail.moveTo(122, 520);
  trail.cubicTo(140, 528, 160, 522, 172, 500);
  for (qreal at = 0; at <= 1.0; at += 0.14) painter.drawEllipse(trail.pointAtPercent(at), 1.6, 1.6);
  painter.restore();

  drawPhotoCard(painter, QPointF(42, 520), QSizeF(42, 34), -12);
  drawMascot(painter, QPointF(98, 512), 44);
  drawStarFace(painter, QPointF(160, 486), 12, palette::sunny, QColor(226, 170, 60));
  drawHeart(painter, QPointF(150, 540), 10, palette::blush);
  drawSparkle(painter, QPointF(30, 482), 9, palette::coralLight);
  drawSparkle(painter, QPointF(176, 528), 8, palette::teal);
}

}  // namespace

QPainterPath windowOutline() {
  QPainterPath outline = roundedRect(kBody, kBodyRadius);
  QPainterPath badge;
  badge.addEllipse(QRectF(kPreviewBadge));
  return outline.united(badge);
}

void paintFrame(QPainter& painter) {
  drawWindowBody(painter, kBody, kBodyRadius, {kBody.top(), kBody.bottom()});

  painter.save();
  painter.setClipPath(roundedRect(kBody.adjusted(3, 3, -3, -3), kBodyRadius - 3));
  drawDotPattern(painter, kBody, QColor(255, 214, 190, 110), 16, 1.3);
  painter.restore();

  drawTitleBand(painter, kBody, kBodyRadius, kBandBottom);
  const qreal logoWidth = drawLogo(painter, QPointF(54, 58), 40);
  drawEmbossedLabel(painter, QRectF(57, 66, logoWidth + 40, 18),
                    QStringLiteral("ピクチャーメールを作ろう"), uiFont(13, true), palette::ink,
                    palette::white, Qt::AlignLeft | Qt::AlignVCenter);
  paintTitleMotif(painter);
}

void paintLeftSide(QPainter& painter) {
  paintPhoneShell(painter);
  paintToneTray(painter);
  paintMascotCorner(painter);
}

}  // namespace compose
