// The user settings window (266, 300 x 175) with its OK (270 / 269) and cancel (268 / 267)
// images. The program shows the mail address in the box at (150, 48) and places the password
// edit at (154, 77)-(281, 94) and the server edit at (154, 104)-(281, 121).
#include <QPainter>

#include "bitmap_set.h"
#include "buttons.h"
#include "layout_check.h"
#include "motifs.h"
#include "palette.h"
#include "panels.h"
#include "shaped_window.h"
#include "text.h"
#include "windows.h"

namespace {

const QSize kSize(300, 175);
const qreal kRadius = 14;
const qreal kBandBottom = 28;

void drawRowLabel(QPainter& painter, qreal top, const QString& text) {
  drawEmbossedLabel(painter, QRectF(16, top, 128, 18), text, uiFont(11, true), palette::ink,
                    palette::white, Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

bool renderSettingsWindow(BitmapSet& bitmaps) {
  QImage image = newWindowCanvas(kSize);
  const QRectF outer(QPointF(0, 0), QSizeF(kSize));
  {
    QPainter painter(&image);
    drawWindowBody(painter, outer, kRadius, {0, qreal(kSize.height())});
    drawTitleBand(painter, outer, kRadius, kBandBottom);
    drawDialogHeader(painter, outer, kBandBottom, QStringLiteral("ユーザー設定"), QString());
    drawRowLabel(painter, 47, QStringLiteral("メールアドレス"));
    drawValueBox(painter, QRectF(150, 46, 136, 20));
    drawRowLabel(painter, 76, QStringLiteral("パスワード"));
    drawEditField(painter, QRect(QPoint(154, 77), QPoint(281, 94)));
    drawRowLabel(painter, 103, QStringLiteral("サーバー"));
    drawEditField(painter, QRect(QPoint(154, 104), QPoint(281, 121)));
    drawSparkle(painter, QPointF(28, 144), 8, palette::sunny);
    drawHeart(painter, QPointF(282, 146), 9, palette::blush);
  }
  const QList<ButtonArt> buttons{
      labelButton(QStringLiteral("settings cancel"), QRect(85, 129, 88, 32),
                  QStringLiteral("キャンセル"), ButtonTone::Cream, 268, 267, nullptr, 12),
      labelButton(QStringLiteral("settings OK"), QRect(187, 129, 88, 32), QStringLiteral("OK"),
                  ButtonTone::Coral, 270, 269, nullptr, 12)};
  for (const ButtonArt& button : buttons) addStateImages(bitmaps, image, button);
  for (const ButtonArt& button : buttons) paintButton(image, button, ButtonState::Idle);
  cutToShape(image, roundedRect(outer, kRadius));
  bitmaps.add(266, image);
  return checkWindow(266, image, buttons);
}
