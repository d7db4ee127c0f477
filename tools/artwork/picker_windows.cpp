// The two file windows: the picture chooser (199) and the save window (279), each 520 x 300
// with its OK and cancel images. The program lays its own controls over the spots kept free:
// the place list at (151, 36) 218 wide, the file list at (23, 62)-(495, 189), the type list or
// the name box at y 199-216, and (chooser only) the preview at (41, 220)-(101, 280).
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

const QSize kSize(520, 300);
const qreal kRadius = 16;
const qreal kBandBottom = 28;
const QRect kPlaceBox(151, 36, 218, 20);
const QRect kFileList(23, 62, 472, 127);
const QRect kPreview(41, 220, 60, 60);
const QColor kPreviewBackground(255, 230, 236);  // the preview control's own background
const int kButtonTop = 254;

struct PickerLook {
  int id;
  QString title;
  QString caption;
  QString lowerLabel;  // before the type list or the name box
  QRect lowerBox;
  QString okLabel;
  int okHover, okPressed, cancelHover, cancelPressed;
  bool preview;
};

// Returns the label's left edge.
qreal drawLabelBefore(QPainter& painter, const QRect& box, const QString& text) {
  const QFont font = uiFont(11, true);
  const qreal width = textWidth(font, text);
  const qreal left = box.left() - width - 10;
  drawEmbossedLabel(painter, QRectF(left, box.top(), width + 2, box.height()), text, font,
                    palette::ink, palette::white, Qt::AlignLeft | Qt::AlignVCenter);
  return left;
}

// A white well with a soft edge around a control the program places.
void drawWell(QPainter& painter, const QRect& inner, const QColor& fill) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette::fieldBorder, 1.2));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(inner).adjusted(-3.5, -3.5, 3.5, 3.5), 6, 6);
  painter.restore();
}

bool renderPicker(BitmapSet& bitmaps, const PickerLook& look) {
  QImage image = newWindowCanvas(kSize);
  const QRectF outer(QPointF(0, 0), QSizeF(kSize));
  {
    QPainter painter(&image);
    drawWindowBody(painter, outer, kRadius, {0, qreal(kSize.height())});
    drawTitleBand(painter, outer, kRadius, kBandBottom);
    drawDialogHeader(painter, outer, kBandBottom, look.title, look.caption);
    drawDotPattern(painter, QRectF(380, 34, 126, 22), palette::coralPale, 8, 1.3);

    const qreal placeLabel = drawLabelBefore(painter, kPlaceBox, QStringLiteral("場所"));
    drawFolder(painter, QRectF(placeLabel - 24, kPlaceBox.top() + 2, 18, 15), palette::coral);
    drawEditField(painter, kPlaceBox.adjusted(0, 1, 0, -1));
    drawWell(painter, kFileList, palette::white);

    drawLabelBefore(painter, look.lowerBox, look.lowerLabel);
    drawEditField(painter, look.lowerBox);

    if (look.preview) {
      drawWell(painter, kPreview, kPreviewBackground);
      drawLabel(painter, QRectF(108, 262, 80, 16), QStringLiteral("プレビュー"), uiFont(10),
                palette::inkSoft, Qt::AlignLeft | Qt::AlignVCenter);
      drawSparkle(painter, QPointF(112, 236), 8, palette::sunny);
    } else {
      drawPhotoCard(painter, QPointF(70, 252), QSizeF(44, 36), -8);
      drawHeart(painter, QPointF(104, 236), 9, palette::blush);
    }
    drawMascot(painter, QPointF(232, 262), 38);
  }
  const QList<ButtonArt> buttons{
      labelButton(QStringLiteral("cancel"), QRect(320, kButtonTop, 88, 32),
                  QStringLiteral("キャンセル"), ButtonTone::Cream, look.cancelHover,
                  look.cancelPressed, nullptr, 12),
      labelButton(QStringLiteral("OK"), QRect(417, kButtonTop, 88, 32), look.okLabel,
                  ButtonTone::Coral, look.okHover, look.okPressed, nullptr, 12)};
  for (const ButtonArt& button : buttons) addStateImages(bitmaps, image, button);
  for (const ButtonArt& button : buttons) paintButton(image, button, ButtonState::Idle);
  cutToShape(image, roundedRect(outer, kRadius));
  bitmaps.add(look.id, image);
  return checkWindow(look.id, image, buttons);
}

}  // namespace

bool renderPickerWindows(BitmapSet& bitmaps) {
  bool fine = renderPicker(
      bitmaps, {199, QStringLiteral("画像を開く"), QStringLiteral("写真やイラストを選びます"),
                QStringLiteral("ファイルの種類"), QRect(284, 199, 199, 17), QStringLiteral("開く"),
                190, 236, 188, 232, true});
  fine &= renderPicker(
      bitmaps, {279, QStringLiteral("画像の保存"), QStringLiteral("場所と名前を決めます"),
                QStringLiteral("ファイル名"), QRect(257, 199, 226, 17), QStringLiteral("保存"), 283,
                282, 281, 280, false});
  return fine;
}
