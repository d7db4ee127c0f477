// item/きせつ: spring to winter, and a rainbow too wide for the canvas so it
// shows being shrunk to fit.
#include <QPainter>
#include <QTransform>
#include <cmath>

#include "materials.h"
#include "materials_drawing.h"
#include "palette.h"

namespace {

QPointF polar(const QPointF& center, qreal radius, qreal degrees) {
  const qreal rad = qDegreesToRadians(degrees);
  return center + QPointF(std::cos(rad), std::sin(rad)) * radius;
}

// Puffs of cloud side by side, as one shape.
QPainterPath cloudPath(const QPointF& center, qreal width) {
  const qreal r = width / 4;
  QPainterPath cloud = circlePath(center + QPointF(0, -r * 0.5), r * 1.25);
  for (int side : {-1, 1}) cloud = cloud.united(circlePath(center + QPointF(side * r * 1.3, 0), r));
  QPainterPath base;
  base.addRoundedRect(QRectF(center.x() - r * 2.2, center.y() - r * 0.2, r * 4.4, r * 1.1),
                      r * 0.55, r * 0.55);
  return cloud.united(base);
}

MaterialArt sakura() {
  return paintMaterial("sakura.bmp", {62, 62}, [](QPainter& p) {
    const QPointF center(31, 32);
    QPainterPath petal;
    petal.moveTo(0, -3);
    petal.cubicTo(-13, -8, -12, -24, -4.5, -27);
    petal.lineTo(0, -23);
    petal.lineTo(4.5, -27);
    petal.cubicTo(12, -24, 13, -8, 0, -3);
    QPainterPath flower;
    for (int i = 0; i < 5; ++i) {
      QTransform turn;
      turn.translate(center.x(), center.y());
      turn.rotate(i * 72);
      flower = flower.united(turn.map(petal));
    }
    flower = flower.united(circlePath(center, 9));
    QRadialGradient bloom(center, 28);
    bloom.setColorAt(0, QColor(255, 236, 240));
    bloom.setColorAt(1, QColor(255, 178, 198));
    fillOutlined(p, flower, bloom);
    for (int i = 0; i < 5; ++i)
      p.strokePath(linePath(polar(center, 12, -90 + i * 72), polar(center, 17, -90 + i * 72)),
                   QPen(QColor(240, 140, 166), 1.2, Qt::SolidLine, Qt::RoundCap));
    drawCuteFace(p, center + QPointF(0, -1), 11, 2.1);
  });
}

MaterialArt sun() {
  return paintMaterial("sun.bmp", {66, 66}, [](QPainter& p) {
    const QPointF center(33, 33);
    for (int i = 0; i < 8; ++i) {
      const qreal angle = i * 45.0 - 90;
      fillOutlined(p,
                   roundedPolygonPath({polar(center, 31, angle), polar(center, 19, angle - 16),
                                       polar(center, 19, angle + 16)},
                                      2.5),
                   QColor(255, 170, 86));
    }
    fillOutlined(p, circlePath(center, 21),
                 verticalGradient(12, 54, QColor(255, 236, 140), QColor(255, 204, 76)));
    drawCuteFace(p, center + QPointF(0, 1), 16, 2.5);
    drawShine(p, {24, 21}, 4.5, 2.5, 150);
  });
}

MaterialArt umbrella() {
  return paintMaterial("umbrella.bmp", {66, 70}, [](QPainter& p) {
    const QPointF top(33, 10);
    // Handle first: the canopy covers its upper end.
    QPainterPath handle;
    handle.moveTo(33, 30);
    handle.lineTo(33, 60);
    handle.arcTo(QRectF(25, 56, 8, 8), 0, -180);
    p.strokePath(handle, linePen(4.4));
    p.strokePath(handle, QPen(QColor(236, 180, 120), 2, Qt::SolidLine, Qt::RoundCap));

    // The canopy: a dome whose hem dips between the ribs.
    QPainterPath canopy;
    canopy.moveTo(5, 36);
    canopy.cubicTo(5, 18, 18, 10, 33, 10);
    canopy.cubicTo(48, 10, 61, 18, 61, 36);
    for (int i = 3; i >= 0; --i) {
      const qreal from = 5 + 14 * (i + 1), to = 5 + 14 * i;
      canopy.quadTo((from + to) / 2, 31, to, 36);
    }
    canopy.closeSubpath();
    fillOutlined(p, canopy, palette::coral.lighter(118));
    p.save();
    p.setClipPath(canopy);
    for (int i : {1, 3}) {
      QPainterPath panel;
      panel.moveTo(top);
      panel.lineTo(5 + 14 * i, 40);
      panel.lineTo(5 + 14 * (i + 1), 40);
      panel.closeSubpath();
      p.fillPath(panel, QColor(255, 240, 230));
    }
    p.restore();
    for (int i = 1; i < 4; ++i) p.strokePath(linePath(top, {5.0 + 14 * i, 36}), linePen(1.0));
    p.strokePath(canopy, linePen());
    fillOutlined(p, circlePath({33, 7.5}, 2.6), palette::sunny, 1.0);

    // Raindrops around it.
    for (const QPointF& drop :
         {QPointF(8, 48), QPointF(55, 50), QPointF(16, 62), QPointF(50, 64)}) {
      QPainterPath shape;
      shape.moveTo(drop + QPointF(0, -5));
      shape.cubicTo(drop + QPointF(4, 0), drop + QPointF(3.5, 3.5), drop + QPointF(0, 3.5));
      shape.cubicTo(drop + QPointF(-3.5, 3.5), drop + QPointF(-4, 0), drop + QPointF(0, -5));
      fillOutlined(p, shape, palette::teal.lighter(120), 1.0);
    }
  });
}

MaterialArt mapleLeaf() {
  return paintMaterial("maple.bmp", {66, 64}, [](QPainter& p) {
    const QPointF center(33, 32);
    // Tips and notches round the leaf: long lobes up, shorter ones down the sides.
    const qreal tips[] = {-90, -38, 14, 166, 218};
    const qreal tipLengths[] = {30, 29, 23, 23, 29};
    QPainterPath leaf;
    leaf.moveTo(polar(center, 6, 90));
    for (int i : {3, 4, 0, 1, 2}) {
      const qreal angle = tips[i];
      leaf.lineTo(polar(center, tipLengths[i] * 0.52, angle - 22));
      leaf.lineTo(polar(center, tipLengths[i] * 0.8, angle - 13));
      leaf.lineTo(polar(center, tipLengths[i], angle));
      leaf.lineTo(polar(center, tipLengths[i] * 0.8, angle + 13));
      leaf.lineTo(polar(center, tipLengths[i] * 0.52, angle + 22));
    }
    leaf.closeSubpath();
    const QPainterPath stem = linePath(polar(center, 4, 90), polar(center, 25, 100));
    p.strokePath(stem, linePen(4.2));
    p.strokePath(stem, QPen(QColor(200, 110, 60), 1.8, Qt::SolidLine, Qt::RoundCap));
    fillOutlined(p, leaf, verticalGradient(4, 60, QColor(255, 156, 84), QColor(238, 92, 72)));
    for (qreal angle : tips)
      p.strokePath(linePath(polar(center, 13, angle), polar(center, 20, angle)),
                   QPen(QColor(255, 196, 140), 1.2, Qt::SolidLine, Qt::RoundCap));
    drawCuteFace(p, center + QPointF(0, -2), 12, 2.2);
  });
}

MaterialArt snowman() {
  return paintMaterial("snowman.bmp", {58, 74}, [](QPainter& p) {
    const QBrush snow = verticalGradient(10, 72, QColor(255, 255, 255), QColor(230, 240, 250));
    fillOutlined(p, circlePath({29, 55}, 17), snow);
    fillOutlined(p, circlePath({29, 29}, 13.5), snow);
    // A red scarf with one end hanging down.
    const QColor scarf(246, 110, 110);
    fillOutlined(p, roundedPolygonPath({{15, 39}, {43, 39}, {42, 45}, {16, 45}}, 3), scarf, 1.1);
    fillOutlined(p, roundedPolygonPath({{34, 42}, {40, 42}, {41, 53}, {35, 53}}, 2), scarf, 1.1);
    // A bucket hat.
    fillOutlined(p, roundedPolygonPath({{20, 6}, {38, 6}, {40, 19}, {18, 19}}, 2), palette::lilac,
                 1.2);
    fillOutlined(p, roundedPolygonPath({{14, 18}, {44, 18}, {44, 21.5}, {14, 21.5}}, 1.5),
                 palette::lilacDeep.lighter(130), 1.2);
    drawCheeks(p, {29, 29}, 12, 2.2);
    drawEyes(p, {29, 29}, 12, 2.2);
    fillOutlined(p, polygonPath({{28, 32}, {28, 35.5}, {35, 34}}), QColor(255, 156, 70), 0.9);
    p.setPen(Qt::NoPen);
    p.setBrush(materialLine);
    for (qreal y : {52.0, 60.0}) p.drawEllipse(QPointF(29, y), 1.8, 1.8);
    drawShine(p, {21, 50}, 4, 3, 200);
  });
}

MaterialArt christmasTree() {
  return paintMaterial("tree.bmp", {60, 74}, [](QPainter& p) {
    fillOutlined(p, roundedPolygonPath({{25, 60}, {35, 60}, {35, 70}, {25, 70}}, 1.5),
                 QColor(196, 136, 96));
    const QColor green(118, 196, 128);
    const struct { qreal top, bottom, half; } tiers[] = {{34, 62, 26}, {21, 46, 20}, {9, 32, 14}};
    for (const auto& tier : tiers)
      fillOutlined(
          p,
          roundedPolygonPath(
              {{30, tier.top}, {30 + tier.half, tier.bottom}, {30 - tier.half, tier.bottom}}, 3.5),
          verticalGradient(tier.top, tier.bottom, green.lighter(112), green));
    const QColor baubles[] = {palette::coral, palette::sunny, palette::lilac, palette::teal,
                              palette::blush};
    int colour = 0;
    for (const QPointF& bauble : {QPointF(24, 27), QPointF(36, 40), QPointF(20, 44),
                                  QPointF(41, 56), QPointF(27, 54), QPointF(14, 57)})
      fillOutlined(p, circlePath(bauble, 2.6), baubles[colour++ % 5], 1.0);
    fillOutlined(p, starPath({30, 8}, 7.5, 0.48), palette::sunny, 1.2);
  });
}

MaterialArt pumpkin() {
  return paintMaterial("pumpkin.bmp", {66, 58}, [](QPainter& p) {
    const QColor orange(255, 172, 88);
    p.strokePath(linePath({33, 16}, {35, 6}), linePen(5.2));
    p.strokePath(linePath({33, 16}, {35, 6}),
                 QPen(QColor(150, 176, 96), 3, Qt::SolidLine, Qt::RoundCap));
    const QBrush skin = verticalGradient(12, 56, orange.lighter(110), QColor(246, 146, 64));
    for (int side : {-1, 1}) fillOutlined(p, ellipsePath({33 + side * 15.0, 35}, 15, 20), skin);
    fillOutlined(p, ellipsePath({33, 35}, 16, 21.5), skin);
    fillOutlined(p, turnedEllipse({43, 11}, 6, 3, -20), QColor(150, 206, 110), 1.0);
    drawCuteFace(p, {33, 33}, 15, 2.5);
  });
}

// Wider than the canvas: the program shrinks it to fit when placing it.
MaterialArt rainbow() {
  return paintMaterial("rainbow.bmp", {122, 72}, [](QPainter& p) {
    const QPointF center(61, 62);
    const QColor bands[] = {QColor(255, 150, 150), QColor(255, 196, 120), QColor(255, 234, 130),
                            QColor(160, 222, 150), QColor(150, 200, 246), QColor(196, 170, 236)};
    const qreal outer = 54, width = 6.5;
    QPainterPath arch;
    arch.moveTo(center.x() - outer, center.y());
    arch.arcTo(QRectF(center.x() - outer, center.y() - outer, outer * 2, outer * 2), 180, -180);
    const qreal inner = outer - width * 6;
    arch.lineTo(center.x() + inner, center.y());
    arch.arcTo(QRectF(center.x() - inner, center.y() - inner, inner * 2, inner * 2), 0, 180);
    arch.closeSubpath();
    for (int i = 0; i < 6; ++i) {
      const qreal r = outer - width * (i + 0.5);
      QPainterPath band;
      band.moveTo(center.x() - r, center.y());
      band.arcTo(QRectF(center.x() - r, center.y() - r, r * 2, r * 2), 180, -180);
      p.strokePath(band, QPen(bands[i], width + 0.6, Qt::SolidLine, Qt::FlatCap));
    }
    p.strokePath(arch, linePen());
    for (int side : {-1, 1}) {
      fillOutlined(p, cloudPath(center + QPointF(side * 39, -4), 34),
                   verticalGradient(44, 68, QColor(255, 255, 255), QColor(232, 242, 252)));
    }
    drawCuteFace(p, center + QPointF(-39, -6), 10, 2.1);
    drawCuteFace(p, center + QPointF(39, -6), 10, 2.1);
  });
}

}  // namespace

QList<MaterialArt> drawSeasons() {
  return {sakura(),  sun(),           umbrella(), mapleLeaf(),
          snowman(), christmasTree(), pumpkin(),  rainbow()};
}
