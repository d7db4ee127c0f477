// The phone of the preview window, written as <data-folder>/mobilephone.gif: a candy-coloured
// handset of the early 2000s, 350 x 600, on the key colour. The program draws the picture into
// its display at (127, 203), 96 x 91 (black here), writes a caption in the dark strip below it
// (y 297-309) and puts its hide button over the key plate at (220, 340), 68 x 28. Scaled screens
// draw mobilephone@2x.png, the same phone at twice the size; the window's outline still comes
// from the GIF.
#include <gif_lib.h>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <vector>

#include "materials_quantize.h"
#include "motifs.h"
#include "palette.h"
#include "render_scale.h"
#include "shaped_window.h"
#include "text.h"
#include "windows.h"

namespace {

const QSize kSize(350, 600);
const QRectF kBody(22, 40, 306, 552);
const qreal kBodyRadius = 52;
const QRect kDisplay(127, 203, 96, 91);
const QRectF kBezel(109, 185, 132, 130);
const QRectF kHidePlate(220, 340, 68, 28);

QPainterPath bodyOutline() {
  QPainterPath outline;
  outline.addRoundedRect(kBody, kBodyRadius, kBodyRadius);
  QPainterPath antenna;
  antenna.addRoundedRect(QRectF(246, 4, 26, 60), 11, 11);
  return outline.united(antenna);
}

void drawKey(QPainter& painter, const QRectF& key, const QString& label, const QString& small) {
  QPainterPath shape;
  shape.addRoundedRect(key, key.height() / 2, key.height() / 2);
  painter.fillPath(shape.translated(0, 2), palette::shade(40));
  QLinearGradient face(key.topLeft(), key.bottomLeft());
  face.setColorAt(0, palette::white);
  face.setColorAt(1, palette::coralPale);
  painter.fillPath(shape, face);
  painter.strokePath(shape, QPen(palette::fieldBorder, 1));
  drawLabel(painter, key.adjusted(0, -1, small.isEmpty() ? 0 : -18, 0), label, uiFont(14, true),
            palette::ink);
  if (!small.isEmpty())
    drawLabel(painter, QRectF(key.right() - 26, key.top(), 20, key.height()), small, uiFont(9),
              palette::inkSoft);
}

QImage paintPhone() {
  QImage image = newImage(kSize);
  image.fill(palette::windowEdge);
  const QPainterPath outline = bodyOutline();
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shell(kBody.topLeft(), kBody.topRight());
    shell.setColorAt(0, palette::coralLight.lighter(108));
    shell.setColorAt(0.55, palette::coralLight);
    shell.setColorAt(1, palette::coral);
    painter.fillPath(outline, shell);
    painter.strokePath(outline, QPen(palette::coralDeep, 2));
    // A soft highlight down the left of the shell.
    QPainterPath shine;
    shine.addRoundedRect(QRectF(38, 70, 22, 470), 11, 11);
    QColor gloss = palette::white;
    gloss.setAlpha(90);
    painter.fillPath(shine, gloss);

    // Face plate, speaker and name.
    QPainterPath plate;
    plate.addRoundedRect(QRectF(52, 96, 246, 470), 34, 34);
    painter.fillPath(plate, palette::paperTop);
    painter.strokePath(plate, QPen(palette::fieldBorder, 1.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::inkSoft);
    painter.drawRoundedRect(QRectF(150, 118, 50, 7), 3.5, 3.5);
    drawLogo(painter, QPointF(128, 164), 22);
    drawHeart(painter, QPointF(236, 158), 10, palette::blush);

    // The display with its dark bezel; the strip under the display holds the caption.
    QPainterPath bezel;
    bezel.addRoundedRect(kBezel, 12, 12);
    painter.fillPath(bezel, QColor(74, 58, 66));
    painter.fillRect(kDisplay, Qt::black);

    // Select key, two soft keys and the plate of the hide button.
    painter.setPen(QPen(palette::fieldBorder, 1.2));
    painter.setBrush(palette::white);
    painter.drawEllipse(QPointF(175, 354), 34, 22);
    painter.setBrush(palette::coralPale);
    painter.drawEllipse(QPointF(175, 354), 14, 9);
    drawKey(painter, QRectF(62, 340, 68, 28), QStringLiteral("メニュー"), QString());
    QPainterPath hidePlate;
    hidePlate.addRoundedRect(kHidePlate, 14, 14);
    painter.fillPath(hidePlate, palette::coralPale);

    static const char* const kLabels[12][2] = {{"1", ""},   {"2", "あ"}, {"3", "か"}, {"4", "さ"},
                                               {"5", "た"}, {"6", "な"}, {"7", "は"}, {"8", "ま"},
                                               {"9", "や"}, {"*", ""},   {"0", "わ"}, {"#", ""}};
    for (int i = 0; i < 12; ++i) {
      const QRectF key(66 + 76 * (i % 3), 396 + 40 * (i / 3), 66, 30);
      drawKey(painter, key, QString::fromUtf8(kLabels[i][0]), QString::fromUtf8(kLabels[i][1]));
    }
    drawSparkle(painter, QPointF(88, 552), 9, palette::sunny);
    drawSparkle(painter, QPointF(262, 556), 7, palette::teal);
  }
  cutToShape(image, outline);
  return image;
}

// 255 colours for the phone and the key as the last entry, so the window's shape comes out
// exact.
bool writeGif(const QImage& image, const QString& path) {
  const QRgb key = palette::key.rgb();
  const QList<QRgb> phoneColours = medianCutPalette(image, 255, key);
  QList<QRgb> colours = phoneColours;
  colours.append(key);
  std::vector<GifColorType> entries(256, GifColorType{0, 0, 0});
  for (int i = 0; i < colours.size(); ++i)
    entries[i] = {static_cast<GifByteType>(qRed(colours[i])),
                  static_cast<GifByteType>(qGreen(colours[i])),
                  static_cast<GifByteType>(qBlue(colours[i]))};
  ColorMapObject* map = GifMakeMapObject(256, entries.data());
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
  bool fine = gif && map;
  if (fine) {
    EGifSetGifVersion(gif, true);
    fine = EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, map) != GIF_ERROR &&
           EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) != GIF_ERROR;
    std::vector<GifPixelType> row(static_cast<std::size_t>(image.width()));
    const int keyIndex = static_cast<int>(colours.size()) - 1;
    for (int y = 0; fine && y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        row[x] = static_cast<GifPixelType>(pixel == key ? keyIndex
                                                        : nearestIndex(phoneColours, pixel, 0));
      }
      fine = EGifPutLine(gif, row.data(), image.width()) != GIF_ERROR;
    }
  }
  if (gif) fine &= EGifCloseFile(gif, &error) != GIF_ERROR;
  GifFreeMapObject(map);
  if (!fine) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return fine;
}

}  // namespace

bool renderPhoneFrame(const QString& dataFolder) {
  const int scale = renderScale();
  setRenderScale(1);
  const QImage phone = paintPhone();
  setRenderScale(2);
  const QImage twice = paintPhone();
  setRenderScale(scale);
  if (!isKeyPixel(phone, 0, kSize.height() - 1)) {
    std::fprintf(stderr, "warning: the phone's bottom-left pixel is not the key\n");
    return false;
  }
  const QString path = dataFolder + QStringLiteral("/mobilephone.gif");
  if (!writeGif(phone, path)) return false;
  const QString twicePath = dataFolder + QStringLiteral("/mobilephone@2x.png");
  if (!twice.convertToFormat(QImage::Format_RGB888).save(twicePath, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(twicePath));
    return false;
  }
  std::printf("wrote %s and %s\n", qPrintable(path), qPrintable(twicePath));
  return true;
}
