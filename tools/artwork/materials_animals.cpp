// item/どうぶつ: round friendly animal faces, and a whale too big for the
// canvas so it shows being shrunk to fit.
#include <QPainter>

#include "materials.h"
#include "materials_drawing.h"
#include "palette.h"

namespace {

MaterialArt cat() {
  return paintMaterial("cat.bmp", {64, 58}, [](QPainter& p) {
    const QColor fur(255, 222, 176);
    const QColor stripe(240, 166, 104);
    for (int side : {-1, 1}) {
      const qreal x = 32 + side * 19;
      fillOutlined(p, polygonPath({{x + side * 1, 27}, {x - side * 1, 5}, {x - side * 14, 16}}),
                   fur);
      p.fillPath(polygonPath({{x, 21}, {x - side * 1, 10}, {x - side * 8, 16}}), palette::blush);
    }
    fillOutlined(p, ellipsePath({32, 34}, 24, 20), verticalGradient(14, 54, fur.lighter(104), fur));
    for (qreal dx : {-6.0, 0.0, 6.0})
      p.strokePath(linePath({32 + dx, 15}, {32 + dx * 0.9, 20}),
                   QPen(stripe, 2.2, Qt::SolidLine, Qt::RoundCap));
    drawCheeks(p, {32, 34}, 20, 2.5);
    drawEyes(p, {32, 34}, 20, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::coral);
    p.drawEllipse(QPointF(32, 38.5), 1.6, 1.2);
    drawMuzzleMouth(p, {32, 38.5}, 2.8);
    for (int side : {-1, 1})
      for (qreal dy : {-1.5, 2.5})
        p.strokePath(linePath({32 + side * 16.5, 38 + dy}, {32 + side * 25.5, 38 + dy * 1.6}),
                     linePen(0.9));
  });
}

MaterialArt dog() {
  return paintMaterial("dog.bmp", {64, 58}, [](QPainter& p) {
    const QColor ear(214, 160, 118);
    const QPainterPath head = ellipsePath({32, 32}, 21, 19);
    fillOutlined(p, head, verticalGradient(13, 51, QColor(255, 252, 244), QColor(250, 236, 218)));
    p.save();
    p.setClipPath(head);
    p.fillPath(ellipsePath({41, 27}, 7, 6), ear.lighter(112));
    p.restore();
    for (int side : {-1, 1})
      fillOutlined(p, turnedEllipse({32 + side * 19.0, 28}, 6.5, 13.5, side * -14.0),
                   verticalGradient(15, 42, ear.lighter(106), ear));
    drawCheeks(p, {32, 31}, 18, 2.5);
    drawEyes(p, {32, 31}, 18, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(materialLine);
    p.drawEllipse(QPointF(32, 37.5), 3.2, 2.3);
    drawMuzzleMouth(p, {32, 38}, 3.2);
    fillOutlined(p, ellipsePath({32, 43.5}, 2.4, 2.2), palette::coral, 0.9);
  });
}

MaterialArt rabbit() {
  return paintMaterial("rabbit.bmp", {54, 72}, [](QPainter& p) {
    for (int side : {-1, 1}) {
      const QPointF ear(27 + side * 9.0, 21);
      fillOutlined(p, turnedEllipse(ear, 7, 19, side * 9.0), QColor(255, 253, 252));
      p.fillPath(turnedEllipse(ear + QPointF(0, 2), 3.3, 13, side * 9.0), QColor(255, 190, 202));
    }
    fillOutlined(p, ellipsePath({27, 51}, 22, 18.5),
                 verticalGradient(33, 70, QColor(255, 255, 255), QColor(246, 238, 240)));
    drawCheeks(p, {27, 51}, 17, 2.4);
    drawEyes(p, {27, 51}, 17, 2.4);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::coral);
    p.drawEllipse(QPointF(27, 55), 1.8, 1.3);
    drawMuzzleMouth(p, {27, 55}, 2.6);
  });
}

MaterialArt chick() {
  return paintMaterial("chick.bmp", {58, 58}, [](QPainter& p) {
    const QColor yellow(255, 226, 104);
    const QColor orange(255, 160, 76);
    for (int side : {-1, 1})
      p.strokePath(linePath({29 + side * 6.0, 50}, {29 + side * 7.0, 55}),
                   QPen(orange.darker(115), 2.2, Qt::SolidLine, Qt::RoundCap));
    // The tuft: two little leaves on the crown.
    fillOutlined(p, turnedEllipse({26, 10}, 2.6, 5.5, -30), yellow);
    fillOutlined(p, turnedEllipse({31.5, 9.5}, 2.6, 5.5, 25), yellow);
    fillOutlined(p, circlePath({29, 32}, 21),
                 verticalGradient(11, 53, yellow.lighter(110), QColor(255, 206, 80)));
    for (int side : {-1, 1})
      fillOutlined(p, turnedEllipse({29 + side * 19.0, 37}, 4.5, 8, side * -30.0),
                   QColor(255, 214, 84));
    drawCheeks(p, {29, 29}, 17, 2.4);
    drawEyes(p, {29, 29}, 17, 2.4);
    fillOutlined(p, polygonPath({{25.5, 33}, {32.5, 33}, {29, 38}}), orange, 1.0);
    drawShine(p, {20, 20}, 4, 2.5);
  });
}

MaterialArt fish() {
  return paintMaterial("fish.bmp", {72, 50}, [](QPainter& p) {
    const QColor body(150, 206, 246);
    const QColor fin(112, 172, 234);
    QPainterPath tail;
    tail.moveTo(48, 27);
    tail.lineTo(67, 12);
    tail.quadTo(61, 27, 67, 42);
    tail.closeSubpath();
    fillOutlined(p, tail, fin);
    fillOutlined(p, turnedEllipse({34, 12}, 8, 4, -15), fin);
    fillOutlined(p, ellipsePath({31, 27}, 22, 15),
                 verticalGradient(12, 42, body.lighter(106), QColor(222, 242, 252)));
    // Scales: a few soft arcs on the back.
    for (qreal x : {34.0, 41.0})
      for (qreal y : {22.0, 30.0}) {
        QPainterPath scale;
        scale.moveTo(x, y - 3);
        scale.quadTo(x + 3.5, y, x, y + 3);
        p.strokePath(scale, QPen(fin, 1.3, Qt::SolidLine, Qt::RoundCap));
      }
    fillOutlined(p, turnedEllipse({30, 33}, 5, 2.8, 25), fin, 1.0);
    drawCheeks(p, {18, 24}, 0, 2.6);
    drawEyes(p, {18, 24}, 0, 2.8);
    drawSmile(p, {13.5, 25}, 1.8);
    for (const auto& [center, radius] :
         {std::pair{QPointF(6, 11), 2.6}, std::pair{QPointF(11, 4.5), 1.8}})
      fillOutlined(p, circlePath(center, radius), QColor(236, 248, 255), 1.0);
  });
}

MaterialArt bear() {
  return paintMaterial("bear.bmp", {64, 60}, [](QPainter& p) {
    const QColor fur(214, 166, 124);
    for (int side : {-1, 1}) {
      const QPointF ear(32 + side * 18.0, 15);
      fillOutlined(p, circlePath(ear, 8), fur);
      p.fillPath(circlePath(ear, 4), QColor(250, 204, 176));
    }
    fillOutlined(p, ellipsePath({32, 35}, 24, 21), verticalGradient(14, 56, fur.lighter(110), fur));
    fillOutlined(p, ellipsePath({32, 43}, 9, 7), QColor(255, 240, 220), 1.0);
    drawCheeks(p, {32, 32}, 22, 2.5);
    drawEyes(p, {32, 32}, 22, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(materialLine);
    p.drawEllipse(QPointF(32, 40.5), 3, 2.2);
    drawMuzzleMouth(p, {32, 41.5}, 2.8);
  });
}

MaterialArt penguin() {
  return paintMaterial("penguin.bmp", {56, 68}, [](QPainter& p) {
    const QColor coat(112, 132, 180);
    const QColor orange(255, 176, 84);
    for (int side : {-1, 1}) fillOutlined(p, ellipsePath({28 + side * 7.0, 63}, 6, 3), orange, 1.0);
    for (int side : {-1, 1})
      fillOutlined(p, turnedEllipse({28 + side * 20.0, 40}, 4.5, 11, side * -22.0),
                   coat.darker(108));
    fillOutlined(p, ellipsePath({28, 36}, 20, 26),
                 verticalGradient(10, 62, coat.lighter(115), coat));
    const QPainterPath front =
        ellipsePath({28, 30}, 15, 12).united(ellipsePath({28, 44}, 13.5, 16));
    p.fillPath(front, verticalGradient(18, 60, QColor(255, 255, 255), QColor(238, 242, 250)));
    drawCheeks(p, {28, 29}, 14, 2.3);
    drawEyes(p, {28, 29}, 14, 2.3);
    fillOutlined(p, polygonPath({{24.5, 32.5}, {31.5, 32.5}, {28, 37}}), orange, 1.0);
    drawShine(p, {18, 18}, 4, 2.5, 110);
  });
}

// Wider than the canvas: the program shrinks it to fit when placing it.
MaterialArt whale() {
  return paintMaterial("whale.bmp", {116, 84}, [](QPainter& p) {
    const QColor blue(146, 190, 240);
    const QColor water(190, 236, 250);
    // The spout: a stem and three round drops.
    QPainterPath spout;
    spout.moveTo(40, 30);
    spout.cubicTo(39, 20, 34, 14, 28, 13);
    spout.moveTo(40, 30);
    spout.cubicTo(41, 20, 46, 14, 52, 13);
    p.strokePath(spout, QPen(materialLine, 6.6, Qt::SolidLine, Qt::RoundCap));
    p.strokePath(spout, QPen(water, 4, Qt::SolidLine, Qt::RoundCap));
    for (const QPointF& drop : {QPointF(24, 10), QPointF(40, 7), QPointF(56, 10)})
      fillOutlined(p, circlePath(drop, 4.5), water);

    QPainterPath body;
    body.moveTo(8, 56);
    body.cubicTo(6, 32, 46, 24, 72, 40);
    body.cubicTo(82, 46, 90, 44, 96, 32);  // up into the tail
    body.lineTo(104, 44);
    body.cubicTo(98, 60, 84, 76, 54, 76);
    body.cubicTo(26, 76, 9, 70, 8, 56);
    body.closeSubpath();
    QPainterPath fluke;
    fluke.moveTo(96, 34);
    fluke.cubicTo(92, 20, 98, 14, 100, 22);
    fluke.cubicTo(104, 14, 114, 18, 108, 30);
    fluke.cubicTo(106, 38, 100, 40, 96, 34);
    fillOutlined(p, fluke, blue, 1.4);
    fillOutlined(p, body, verticalGradient(28, 76, blue.lighter(108), blue), 1.4);

    QPainterPath belly;
    belly.moveTo(12, 62);
    belly.cubicTo(30, 66, 60, 66, 88, 58);
    belly.cubicTo(80, 70, 66, 76, 54, 76);
    belly.cubicTo(30, 76, 16, 70, 12, 62);
    p.fillPath(belly, QColor(232, 244, 255));
    for (qreal x : {38.0, 48.0, 58.0}) {
      p.strokePath(linePath({x, 67}, {x + 1, 73}), QPen(blue, 1.2, Qt::SolidLine, Qt::RoundCap));
    }
    p.strokePath(belly, linePen(1.2));
    drawCheeks(p, {34, 50}, 22, 3);
    drawEyes(p, {34, 50}, 22, 3);
    drawSmile(p, {34, 51}, 3);
    drawShine(p, {52, 36}, 9, 3.5, 120);
  });
}

}  // namespace

QList<MaterialArt> drawAnimals() {
  return {cat(), dog(), rabbit(), chick(), fish(), bear(), penguin(), whale()};
}
