// The send dialog (174, 440 x 300) and the address book (179, 530 x 330) with their button
// images, and the address book grid's image list (132). The program lays its own controls over
// the spots kept free: in the send dialog the recipients edit at (143, 49) and the subject edit
// at (143, 90), both 246 x 23, and the message edit at (38, 131) 362 x 97; in the address book
// the grid at (56, 43) 417 x 223.
#include <QPainter>

#include "bitmap_set.h"
#include "buttons.h"
#include "layout_check.h"
#include "motifs.h"
#include "palette.h"
#include "panels.h"
#include "render_scale.h"
#include "shaped_window.h"
#include "text.h"
#include "windows.h"

namespace {

const qreal kRadius = 16;
const qreal kBandBottom = 28;

// A label before a field, right-aligned against `right`, with a little coral bullet.
void drawRowLabel(QPainter& painter, qreal right, const QRect& field, const QString& text) {
  const QFont font = uiFont(12, true);
  const qreal width = textWidth(font, text);
  const qreal left = right - width;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::coral);
  painter.drawEllipse(QPointF(left - 7, field.center().y() + 0.5), 2.5, 2.5);
  painter.restore();
  drawEmbossedLabel(painter, QRectF(left, field.top(), width + 2, field.height()), text, font,
                    palette::ink, palette::white, Qt::AlignLeft | Qt::AlignVCenter);
}

// A white well with a soft edge around a control the program places.
void drawWell(QPainter& painter, const QRect& inner) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(roundedRect(QRectF(inner).adjusted(-5, -5, 5, 6), 8),
                   QColor(255, 255, 255, 160));
  painter.setPen(QPen(palette::fieldBorder, 1.2));
  painter.setBrush(palette::white);
  painter.drawRoundedRect(QRectF(inner).adjusted(-3.5, -3.5, 3.5, 3.5), 6, 6);
  painter.restore();
}

void envelopeIcon(QPainter& painter, const QRectF& box, const QColor&) {
  drawEnvelope(painter, box.adjusted(0, 2.5, 0, -2.5), palette::white, palette::coralDeep, false);
}

// A small address book: a cover with a spine and an index tab.
void bookIcon(QPainter& painter, const QRectF& box, const QColor& color) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF cover = box.adjusted(1.5, 0.5, -1.5, -0.5);
  painter.setPen(QPen(color, 1.3));
  painter.setBrush(palette::coralPale);
  painter.drawRoundedRect(cover, 2, 2);
  painter.drawLine(QPointF(cover.left() + 3, cover.top()),
                   QPointF(cover.left() + 3, cover.bottom()));
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::coral);
  painter.drawRect(QRectF(cover.right() - 0.5, cover.top() + 3, 2, 4));
  painter.setBrush(color);
  painter.drawEllipse(QPointF(cover.center().x() + 1.5, cover.top() + 5), 1.8, 1.8);
  painter.drawRoundedRect(QRectF(cover.center().x() - 2, cover.top() + 7.5, 7, 3), 1.5, 1.5);
  painter.restore();
}

void plusIcon(QPainter& painter, const QRectF& box, const QColor& color) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap));
  const QPointF c = box.center();
  const qreal r = box.width() / 2 - 2;
  painter.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
  painter.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
  painter.restore();
}

void crossIcon(QPainter& painter, const QRectF& box, const QColor& color) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(color, 2.0, Qt::SolidLine, Qt::RoundCap));
  const QRectF r = box.adjusted(3, 3, -3, -3);
  painter.drawLine(r.topLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomLeft());
  painter.restore();
}

// Adds the buttons' state images, paints them idle, cuts, stores and checks the window.
bool finishWindow(BitmapSet& bitmaps, int id, QImage image, const QList<ButtonArt>& buttons) {
  for (const ButtonArt& button : buttons) addStateImages(bitmaps, image, button);
  for (const ButtonArt& button : buttons) paintButton(image, button, ButtonState::Idle);
  cutToShape(image, roundedRect(QRectF(QPointF(0, 0), QSizeF(logicalSize(image))), kRadius));
  bitmaps.add(id, image);
  return checkWindow(id, image, buttons);
}

bool renderSendDialog(BitmapSet& bitmaps) {
  const QSize size(440, 300);
  const QRect to(143, 49, 246, 23);
  const QRect subject(143, 90, 246, 23);
  const QRect message(38, 131, 362, 97);
  QImage image = newWindowCanvas(size);
  const QRectF outer(QPointF(0, 0), QSizeF(size));
  {
    QPainter painter(&image);
    drawWindowBody(painter, outer, kRadius, {0, qreal(size.height())});
    drawTitleBand(painter, outer, kRadius, kBandBottom);
    drawDialogHeader(painter, outer, kBandBottom, QStringLiteral("メール送信"),
                     QStringLiteral("写真をメールで送ります"));

    drawRowLabel(painter, 132, to, QStringLiteral("宛先"));
    drawEditField(painter, to);
    drawRowLabel(painter, 132, subject, QStringLiteral("件名"));
    drawEditField(painter, subject);
    drawEnvelope(painter, QRectF(30, 52, 30, 20), palette::white, palette::coral, true);
    drawSparkle(painter, QPointF(70, 96), 7, palette::sunny);

    drawRowLabel(painter, 46 + textWidth(uiFont(12, true), QStringLiteral("本文")),
                 QRect(46, 110, 60, 16), QStringLiteral("本文"));
    drawWell(painter, message);
    drawHeart(painter, QPointF(420, 62), 9, palette::blush);
    drawSparkle(painter, QPointF(414, 104), 8, palette::teal);
    drawDotPattern(painter, QRectF(150, 236, 250, 14), palette::coralPale, 8, 1.3);
  }
  return finishWindow(
      bitmaps, 174, image,
      {labelButton(QStringLiteral("send To:"), QRect(21, 256, 102, 32),
                   QStringLiteral("アドレス帳"), ButtonTone::Teal, 177, 229, bookIcon, 12),
       labelButton(QStringLiteral("send cancel"), QRect(207, 256, 102, 32),
                   QStringLiteral("キャンセル"), ButtonTone::Cream, 175, 225, nullptr, 12),
       labelButton(QStringLiteral("send send"), QRect(319, 256, 102, 32), QStringLiteral("送信"),
                   ButtonTone::Coral, 176, 227, envelopeIcon, 13)});
}

bool renderAddressBook(BitmapSet& bitmaps) {
  const QSize size(530, 330);
  const QRect grid(56, 43, 417, 223);
  QImage image = newWindowCanvas(size);
  const QRectF outer(QPointF(0, 0), QSizeF(size));
  {
    QPainter painter(&image);
    drawWindowBody(painter, outer, kRadius, {0, qreal(size.height())});
    drawTitleBand(painter, outer, kRadius, kBandBottom);
    drawDialogHeader(painter, outer, kBandBottom, QStringLiteral("アドレス帳"),
                     QStringLiteral("送る相手を「送信する」にします"));
    drawWell(painter, grid);
    // Motifs in the margins beside the grid.
    drawPhoneGlyph(painter, QRectF(17, 70, 22, 36), palette::coralLight);
    drawHeart(painter, QPointF(28, 130), 9, palette::blush);
    drawSparkle(painter, QPointF(26, 236), 9, palette::sunny);
    drawEnvelope(painter, QRectF(484, 74, 32, 22), palette::white, palette::coral, true);
    drawSparkle(painter, QPointF(500, 128), 8, palette::teal);
    drawMascot(painter, QPointF(242, 302), 36);
  }
  return finishWindow(
      bitmaps, 179, image,
      {labelButton(QStringLiteral("book new"), QRect(20, 287, 80, 32), QStringLiteral("新規"),
                   ButtonTone::Teal, 182, 221, plusIcon, 12),
       labelButton(QStringLiteral("book delete"), QRect(105, 287, 80, 32), QStringLiteral("削除"),
                   ButtonTone::Cream, 181, 220, crossIcon, 12),
       labelButton(QStringLiteral("book cancel"), QRect(296, 286, 102, 32),
                   QStringLiteral("キャンセル"), ButtonTone::Cream, 180, 219, nullptr, 12),
       labelButton(QStringLiteral("book OK"), QRect(407, 286, 102, 32), QStringLiteral("OK"),
                   ButtonTone::Coral, 183, 222, nullptr, 12)});
}

// Two 9 x 9 marks on white (the mask colour): a tick for "送信する" and a dash for "送信せず".
void renderGridImages(BitmapSet& bitmaps) {
  QImage strip = newImage({18, 9});
  strip.fill(palette::white);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette::coralDeep, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(QPolygonF({QPointF(1.5, 4.5), QPointF(3.8, 7), QPointF(7.5, 1.8)}));
  painter.setPen(QPen(palette::inkSoft, 1.6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(10.5, 4.5), QPointF(16.5, 4.5));
  painter.end();
  bitmaps.add(132, strip);
}

}  // namespace

bool renderSendWindows(BitmapSet& bitmaps) {
  bool fine = renderSendDialog(bitmaps);
  fine &= renderAddressBook(bitmaps);
  renderGridImages(bitmaps);
  return fine;
}
