// 238 message box and 286 sending window, with the OK images 239/240 they share, and the
// sending window's stop button (idle 298, hover 296, pressed 297), which it shows only while a
// send takes long.
#include <QPainter>

#include "bitmap_set.h"
#include "buttons.h"
#include "layout_check.h"
#include "motifs.h"
#include "palette.h"
#include "panels.h"
#include "render_scale.h"
#include "shaped_window.h"
#include "windows.h"

namespace {

const qreal kRadius = 16;
const qreal kBandBottom = 28;
// Both windows take their paper from the taller one, so the shared OK images
// match either background.
const PaperGradient kPaper{0, 161};
const QRect kOkRect(103, 117, 88, 32);
const QRect kStopRect(83, 104, 88, 32);

// Frame, band and header of a notice window; returns its outline.
QPainterPath paintNoticeFrame(QImage& image, const QString& title) {
  const QRectF outer(QPointF(0, 0), QSizeF(logicalSize(image)));
  QPainter painter(&image);
  drawWindowBody(painter, outer, kRadius, kPaper);
  drawTitleBand(painter, outer, kRadius, kBandBottom);
  drawDialogHeader(painter, outer, kBandBottom, title, QString());
  return roundedRect(outer, kRadius);
}

void paintDottedTrail(QPainter& painter, const QPainterPath& path, const QColor& color) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  const qreal length = path.length();
  for (qreal at = 0; at <= length; at += 7) {
    const qreal size = 1.1 + 0.9 * (at / length);
    painter.drawEllipse(path.pointAtPercent(path.percentAtLength(at)), size, size);
  }
  painter.restore();
}

bool renderMessageBox(BitmapSet& bitmaps, const ButtonArt& ok) {
  QImage image = newWindowCanvas({290, 161});
  const QPainterPath outline = paintNoticeFrame(image, QStringLiteral("お知らせ"));
  {
    QPainter painter(&image);
    drawRoundBadge(painter, QPointF(45, 54), 22, palette::coral.lighter(112), palette::coralDeep);
    drawHeart(painter, QPointF(45, 55), 26, palette::white);
    drawSparkle(painter, QPointF(64, 33), 9, palette::sunny);

    // A soft dotted rule between the message and the button.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::coralLight);
    for (qreal x = 24; x <= 266; x += 6) painter.drawEllipse(QPointF(x, 104), 1.1, 1.1);
  }
  addStateImages(bitmaps, image, ok);
  paintButton(image, ok, ButtonState::Idle);
  cutToShape(image, outline);
  bitmaps.add(238, image);
  return checkWindow(238, image, {ok});
}

bool renderSendingWindow(BitmapSet& bitmaps) {
  QImage image = newWindowCanvas({254, 143});
  const QPainterPath outline = paintNoticeFrame(image, QStringLiteral("メール送信"));
  {
    QPainter painter(&image);
    drawRoundBadge(painter, QPointF(45, 54), 22, palette::teal.lighter(110), palette::tealDeep);
    drawPaperPlane(painter, QRectF(31, 42, 28, 24), palette::white, QColor(214, 240, 236),
                   palette::tealDeep);

    // The trail the letter leaves on its way out; it stays clear of the
    // text line and of the place where an OK button may appear.
    QPainterPath trail;
    trail.moveTo(78, 84);
    trail.cubicTo(120, 104, 180, 100, 214, 74);
    paintDottedTrail(painter, trail, palette::coralLight);
    painter.save();
    painter.translate(224, 68);
    painter.rotate(-18);
    drawEnvelope(painter, QRectF(-11, -7.5, 22, 15), palette::white, palette::coral, false);
    painter.restore();
    drawHeart(painter, QPointF(208, 96), 9, palette::blush);
  }
  const ButtonArt stop = labelButton(QStringLiteral("stop"), kStopRect, QStringLiteral("中止"),
                                     ButtonTone::Cream, 296, 297, nullptr, 12);
  addStateImages(bitmaps, image, stop);
  addIdleImage(bitmaps, image, stop, 298);
  cutToShape(image, outline);
  bitmaps.add(286, image);
  return checkWindow(286, image, {});
}

}  // namespace

bool renderNoticeWindows(BitmapSet& bitmaps) {
  const ButtonArt ok = labelButton(QStringLiteral("OK"), kOkRect, QStringLiteral("OK"),
                                   ButtonTone::Coral, 239, 240, nullptr, 12);
  bool fine = renderMessageBox(bitmaps, ok);
  fine &= renderSendingWindow(bitmaps);
  return fine;
}
