// First-run setup (258) and its confirmation (261), with their button images.
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

const qreal kRadius = 14;
const qreal kBandBottom = 28;

// A label with a little coral bullet before it.
void drawFieldLabel(QPainter& painter, const QRectF& box, const QString& text,
                    Qt::Alignment alignment) {
  const QFont font = uiFont(11, true);
  const qreal width = textWidth(font, text);
  const qreal left = (alignment & Qt::AlignRight) ? box.right() - width : box.left() + 9;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::coral);
  painter.drawEllipse(QPointF(left - 6, box.center().y() + 0.5), 2.5, 2.5);
  painter.restore();
  drawEmbossedLabel(painter, QRectF(left, box.top(), width + 2, box.height()), text, font,
                    palette::ink, palette::white, Qt::AlignLeft | Qt::AlignVCenter);
}

QImage paintDialog(QSize size, const QString& title, const QString& caption,
                   const QString& message) {
  QImage image = newWindowCanvas(size);
  const QRectF outer(QPointF(0, 0), QSizeF(size));
  QPainter painter(&image);
  drawWindowBody(painter, outer, kRadius, {0, qreal(size.height())});
  drawTitleBand(painter, outer, kRadius, kBandBottom);
  drawDialogHeader(painter, outer, kBandBottom, title, caption);
  drawLabel(painter, QRectF(8, 36, size.width() - 16, 18), message, uiFont(11), palette::ink);
  return image;
}

// Adds the buttons' state images, paints them idle, cuts, stores and checks the window.
bool finishDialog(BitmapSet& bitmaps, int id, QImage image, const QList<ButtonArt>& buttons) {
  for (const ButtonArt& button : buttons) addStateImages(bitmaps, image, button);
  for (const ButtonArt& button : buttons) paintButton(image, button, ButtonState::Idle);
  cutToShape(image, roundedRect(QRectF(QPointF(0, 0), QSizeF(logicalSize(image))), kRadius));
  bitmaps.add(id, image);
  return checkWindow(id, image, buttons);
}

bool renderSetup(BitmapSet& bitmaps) {
  QImage image = paintDialog({300, 200}, QStringLiteral("はじめに"), QStringLiteral("初期設定"),
                             QStringLiteral("メールアドレスとパスワードを入力してください。"));
  {
    QPainter painter(&image);
    drawFieldLabel(painter, QRectF(20, 72, 110, 21), QStringLiteral("パスワード"), Qt::AlignRight);
    drawEditField(painter, QRect(138, 74, 127, 17));
    drawFieldLabel(painter, QRectF(26, 98, 200, 16), QStringLiteral("メールアドレス"),
                   Qt::AlignLeft);
    drawEditField(painter, QRect(33, 118, 232, 17));

    drawMascot(painter, QPointF(248, 172), 40);
    drawSparkle(painter, QPointF(214, 158), 9, palette::sunny);
    drawHeart(painter, QPointF(285, 152), 9, palette::blush);
  }
  return finishDialog(
      bitmaps, 258, image,
      {labelButton(QStringLiteral("setup cancel"), QRect(12, 159, 88, 32),
                   QStringLiteral("キャンセル"), ButtonTone::Cream, 293, 295, nullptr, 12),
       labelButton(QStringLiteral("setup OK"), QRect(106, 159, 88, 32), QStringLiteral("OK"),
                   ButtonTone::Coral, 259, 260, nullptr, 12)});
}

bool renderConfirmation(BitmapSet& bitmaps) {
  QImage image = paintDialog({320, 280}, QStringLiteral("確認"), QString(),
                             QStringLiteral("以下の内容で登録します。よろしいですか？"));
  {
    QPainter painter(&image);
    // The program writes the password at (140, 74) and the address at (35, 118);
    // the boxes reach to x 306 so a 270 px address still fits.
    drawFieldLabel(painter, QRectF(20, 70, 110, 20), QStringLiteral("パスワード"), Qt::AlignRight);
    drawValueBox(painter, QRectF(136, 70, 170, 20));
    drawFieldLabel(painter, QRectF(26, 95, 200, 16), QStringLiteral("メールアドレス"),
                   Qt::AlignLeft);
    drawValueBox(painter, QRectF(31, 114, 275, 20));

    drawMascot(painter, QPointF(160, 186), 50);
    drawPhotoCard(painter, QPointF(86, 190), QSizeF(40, 34), -10);
    drawStarFace(painter, QPointF(236, 180), 13, palette::sunny, QColor(226, 170, 60));
    drawHeart(painter, QPointF(206, 158), 10, palette::blush);
    drawSparkle(painter, QPointF(116, 160), 10, palette::coralLight);
    drawSparkle(painter, QPointF(262, 204), 8, palette::teal);
  }
  return finishDialog(
      bitmaps, 261, image,
      {labelButton(QStringLiteral("confirm back"), QRect(17, 233, 88, 32), QStringLiteral("戻る"),
                   ButtonTone::Cream, 262, 263, nullptr, 12),
       labelButton(QStringLiteral("confirm OK"), QRect(216, 233, 88, 32), QStringLiteral("登録"),
                   ButtonTone::Coral, 264, 265, nullptr, 12)});
}

}  // namespace

bool renderSetupWindows(BitmapSet& bitmaps) {
  bool fine = renderSetup(bitmaps);
  fine &= renderConfirmation(bitmaps);
  return fine;
}
