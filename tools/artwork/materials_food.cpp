// item/たべもの: sweets and snacks, most of them smiling.
#include <QPainter>
#include <cmath>

#include "materials.h"
#include "materials_drawing.h"
#include "palette.h"

namespace {

const QColor kLeaf(136, 206, 112);
const QColor kBerry(246, 96, 112);
const QColor kCream(255, 253, 246);

void drawSmallBerry(QPainter& p, const QPointF& center, qreal size) {
  QPainterPath berry;
  berry.moveTo(center.x(), center.y() + size);
  berry.cubicTo(center.x() - size * 1.2, center.y() + size * 0.5, center.x() - size,
                center.y() - size * 0.9, center.x(), center.y() - size * 0.7);
  berry.cubicTo(center.x() + size, center.y() - size * 0.9, center.x() + size * 1.2,
                center.y() + size * 0.5, center.x(), center.y() + size);
  fillOutlined(p, berry, kBerry, 1.0);
  p.fillPath(ellipsePath(center + QPointF(0, -size * 0.75), size * 0.6, size * 0.28), kLeaf);
}

MaterialArt strawberry() {
  return paintMaterial("strawberry.bmp", {54, 62}, [](QPainter& p) {
    QPainterPath berry;
    berry.moveTo(27, 59);
    berry.cubicTo(14, 57, 4, 42, 5, 29);
    berry.cubicTo(6, 19, 17, 16, 27, 19);
    berry.cubicTo(37, 16, 48, 19, 49, 29);
    berry.cubicTo(50, 42, 40, 57, 27, 59);
    fillOutlined(p, berry, verticalGradient(18, 58, QColor(255, 128, 138), QColor(238, 82, 100)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 170));
    for (const QPointF& seed :
         {QPointF(13, 28), QPointF(41, 28), QPointF(10, 38), QPointF(44, 38), QPointF(16, 47),
          QPointF(38, 47), QPointF(27, 52), QPointF(21, 25), QPointF(33, 25)})
      p.drawEllipse(seed, 1.1, 1.5);
    for (int i = 0; i < 5; ++i) {
      const qreal angle = 180 + 36 * i;
      const qreal rad = qDegreesToRadians(angle);
      fillOutlined(p,
                   turnedEllipse({27 + 7 * std::cos(rad), 17 + 3.5 * std::sin(rad)}, 6.5, 3, angle),
                   kLeaf, 1.0);
    }
    p.strokePath(linePath({27, 16}, {29, 6}), linePen(2.6));
    p.strokePath(linePath({27, 16}, {29, 6}), QPen(kLeaf, 1.2, Qt::SolidLine, Qt::RoundCap));
    drawCuteFace(p, {27, 36}, 14, 2.3);
    drawShine(p, {14, 33}, 2.2, 4, 130);
  });
}

MaterialArt onigiri() {
  return paintMaterial("onigiri.bmp", {66, 60}, [](QPainter& p) {
    const QPainterPath rice = roundedPolygonPath({{33, 4}, {4, 55}, {62, 55}}, 14);
    fillOutlined(p, rice, verticalGradient(4, 55, QColor(255, 255, 255), QColor(244, 240, 232)));
    p.save();
    p.setClipPath(rice);
    QPainterPath nori;
    nori.addRoundedRect(QRectF(23.5, 41, 19, 20), 2, 2);
    fillOutlined(p, nori, QColor(74, 100, 86), 1.0);
    p.restore();
    // A few grains at the edge give the rice its texture.
    for (const QPointF& grain : {QPointF(18, 34), QPointF(47, 33), QPointF(33, 14)})
      p.strokePath(linePath(grain, grain + QPointF(2, -1)),
                   QPen(QColor(226, 218, 206), 1.4, Qt::SolidLine, Qt::RoundCap));
    drawCuteFace(p, {33, 28}, 16, 2.4);
  });
}

MaterialArt cake() {
  return paintMaterial("cake.bmp", {64, 70}, [](QPainter& p) {
    const qreal left = 9, right = 55, top = 36, bottom = 60;
    const QPointF middle((left + right) / 2, 0);
    const qreal rx = (right - left) / 2, ry = 7;
    fillOutlined(p, ellipsePath({middle.x(), bottom + 2}, rx + 6, ry + 1), QColor(220, 238, 250));

    QPainterPath side;
    side.moveTo(left, top);
    side.lineTo(left, bottom);
    side.arcTo(QRectF(left, bottom - ry, rx * 2, ry * 2), 180, 180);
    side.lineTo(right, top);
    side.closeSubpath();
    fillOutlined(p, side,
                 verticalGradient(top, bottom + ry, QColor(255, 236, 196), QColor(250, 214, 160)));
    // Cream on top, running a little way down the side in rounded drips.
    QPainterPath cream = ellipsePath({middle.x(), top}, rx, ry);
    for (int i = 0; i < 5; ++i) {
      const qreal x = left + 5 + i * (rx * 2 - 10) / 4;
      cream = cream.united(ellipsePath({x, top + 5 + (i % 2) * 2}, 4, 4));
    }
    fillOutlined(p, cream, kCream);

    // The candle, with pink stripes and a drop of flame.
    const QRectF candle(middle.x() - 3, 15, 6, 18);
    fillOutlined(p,
                 polygonPath({candle.topLeft(), candle.topRight(), candle.bottomRight(),
                              candle.bottomLeft()}),
                 palette::lilacPale, 1.0);
    for (qreal y : {18.5, 24.5, 30.5})
      p.fillPath(polygonPath({{candle.left() + 0.6, y + 2},
                              {candle.right() - 0.6, y - 1},
                              {candle.right() - 0.6, y + 1},
                              {candle.left() + 0.6, y + 4}}),
                 palette::blush);
    QPainterPath flame;
    flame.moveTo(middle.x(), 3);
    flame.cubicTo(middle.x() + 5, 8, middle.x() + 4, 13, middle.x(), 13);
    flame.cubicTo(middle.x() - 4, 13, middle.x() - 5, 8, middle.x(), 3);
    fillOutlined(p, flame, verticalGradient(3, 13, palette::sunny, QColor(255, 150, 70)), 1.0);

    drawSmallBerry(p, {left + 9, top - 1}, 4);
    drawSmallBerry(p, {right - 9, top - 1}, 4);
    drawCuteFace(p, {middle.x(), 49}, 16, 2.4);
  });
}

MaterialArt iceCream() {
  return paintMaterial("icecream.bmp", {50, 74}, [](QPainter& p) {
    const QColor waffle(240, 196, 128);
    const QPainterPath cone = roundedPolygonPath({{11, 38}, {39, 38}, {25, 71}}, 3);
    fillOutlined(p, cone, waffle);
    p.save();
    p.setClipPath(cone);
    const QPen grid(waffle.darker(118), 1.1);
    for (int i = -2; i <= 3; ++i) {
      p.strokePath(linePath({qreal(6 + i * 8), 38}, {qreal(26 + i * 8), 72}), grid);
      p.strokePath(linePath({qreal(44 - i * 8), 38}, {qreal(24 - i * 8), 72}), grid);
    }
    p.restore();

    const QColor mint(172, 232, 206);
    QPainterPath lower = circlePath({25, 33}, 14);
    for (int i = 0; i < 4; ++i) lower = lower.united(circlePath({qreal(14 + i * 7.3), 40}, 4));
    fillOutlined(p, lower, verticalGradient(19, 44, mint.lighter(106), mint));
    const QColor pink(255, 188, 204);
    fillOutlined(p, circlePath({25, 20}, 12.5), verticalGradient(7, 33, pink.lighter(106), pink));
    p.strokePath(linePath({25, 8}, {28, 2}), linePen(1.2));
    fillOutlined(p, circlePath({25, 7}, 4), kBerry, 1.1);
    drawShine(p, {23.8, 5.8}, 1.3, 1.1, 200);
    drawCuteFace(p, {25, 20}, 12, 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 200, 170));
    for (const QPointF& chip : {QPointF(16, 32), QPointF(33, 31), QPointF(24, 38)})
      p.drawEllipse(chip, 1.3, 1.0);
  });
}

MaterialArt donut() {
  return paintMaterial("donut.bmp", {64, 64}, [](QPainter& p) {
    const QPointF center(32, 32);
    const QPainterPath ring = circlePath(center, 28).subtracted(circlePath(center, 9));
    fillOutlined(p, ring, verticalGradient(4, 60, QColor(246, 200, 140), QColor(226, 164, 100)));
    // The icing: a wavy ring, so it looks poured on.
    QPainterPath icing;
    for (int i = 0; i <= 48; ++i) {
      const qreal angle = i * 2 * M_PI / 48;
      const qreal r = 23 + 1.8 * std::sin(angle * 7);
      const QPointF point = center + QPointF(std::cos(angle), std::sin(angle)) * r;
      if (i == 0)
        icing.moveTo(point);
      else
        icing.lineTo(point);
    }
    icing = icing.subtracted(circlePath(center, 12.5));
    fillOutlined(p, icing, verticalGradient(7, 57, QColor(255, 196, 212), QColor(252, 160, 186)),
                 1.1);
    p.strokePath(circlePath(center, 9), linePen(1.3));
    const QColor colours[] = {palette::sunny, palette::teal, palette::white, palette::lilac};
    for (int i = 0; i < 12; ++i) {
      const qreal angle = i * 2 * M_PI / 12 + 0.3;
      const qreal r = i % 2 ? 16 : 20;
      const QPointF at = center + QPointF(std::cos(angle), std::sin(angle)) * r;
      const QPointF along(std::cos(angle * 3) * 2, std::sin(angle * 3) * 2);
      p.strokePath(linePath(at - along, at + along),
                   QPen(colours[i % 4], 1.8, Qt::SolidLine, Qt::RoundCap));
    }
    drawShine(p, {20, 15}, 5, 2.5, 140);
  });
}

MaterialArt pudding() {
  return paintMaterial("pudding.bmp", {64, 64}, [](QPainter& p) {
    fillOutlined(p, ellipsePath({32, 55}, 29, 6.5), QColor(226, 240, 252));
    const QPainterPath custard = roundedPolygonPath({{19, 17}, {45, 17}, {55, 56}, {9, 56}}, 6);
    fillOutlined(p, custard,
                 verticalGradient(17, 56, QColor(255, 232, 146), QColor(255, 208, 100)));
    // Caramel on top, dripping down the sides.
    QPainterPath caramel;
    caramel.moveTo(14, 18);
    caramel.lineTo(50, 18);
    caramel.lineTo(50.5, 25);
    caramel.quadTo(48, 31, 45, 26);
    caramel.quadTo(40, 22, 36, 28);
    caramel.quadTo(32, 32, 29, 26);
    caramel.quadTo(24, 21, 20, 28);
    caramel.quadTo(16, 33, 13.5, 26);
    caramel.closeSubpath();
    p.save();
    p.setClipPath(custard);
    fillOutlined(p, caramel, QColor(190, 112, 60), 1.1);
    p.restore();
    p.strokePath(custard, linePen());
    QPainterPath whip = circlePath({32, 14}, 6);
    for (int side : {-1, 1}) whip = whip.united(circlePath({32 + side * 5.5, 17}, 4.5));
    fillOutlined(p, whip, kCream, 1.1);
    p.strokePath(linePath({32, 7}, {35, 1.5}), linePen(1.2));
    fillOutlined(p, circlePath({32, 6}, 3.6), kBerry, 1.1);
    drawCuteFace(p, {32, 40}, 16, 2.4);
  });
}

MaterialArt watermelon() {
  return paintMaterial("watermelon.bmp", {72, 46}, [](QPainter& p) {
    const QRectF round(4, -28, 64, 72);
    QPainterPath rind;
    rind.moveTo(4, 8);
    rind.arcTo(round, 180, 180);
    rind.closeSubpath();
    fillOutlined(p, rind, QColor(120, 196, 110));
    QPainterPath pith;
    pith.moveTo(8, 8);
    pith.arcTo(round.adjusted(4, 4, -4, -4), 180, 180);
    pith.closeSubpath();
    p.fillPath(pith, QColor(236, 250, 220));
    QPainterPath flesh;
    flesh.moveTo(10, 8);
    flesh.arcTo(round.adjusted(6, 6, -6, -6), 180, 180);
    flesh.closeSubpath();
    p.fillPath(flesh, verticalGradient(8, 40, QColor(255, 120, 128), QColor(250, 92, 108)));
    p.strokePath(linePath({4, 8}, {68, 8}), linePen());
    p.setPen(Qt::NoPen);
    p.setBrush(materialLine);
    for (const QPointF& seed :
         {QPointF(16, 14), QPointF(56, 14), QPointF(24, 28), QPointF(48, 28), QPointF(36, 35)})
      p.drawEllipse(seed, 1.2, 1.8);
    drawCuteFace(p, {36, 16}, 14, 2.3);
  });
}

}  // namespace

QList<MaterialArt> drawFood() {
  return {strawberry(), onigiri(), cake(), iceCream(), donut(), pudding(), watermelon()};
}
