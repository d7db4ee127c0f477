// item/きらきら: hearts, stars and the mail mascot of the windows.
#include <QPainter>
#include <cmath>

#include "materials.h"
#include "materials_drawing.h"
#include "motifs.h"
#include "palette.h"

namespace {

MaterialArt heart() {
  return paintMaterial("heart.bmp", {62, 56}, [](QPainter& p) {
    fillOutlined(p, heartPath({31, 29}, 58),
                 verticalGradient(4, 55, QColor(255, 160, 170), QColor(246, 96, 116)));
    drawShine(p, {17, 17}, 5, 3.2, 190);
    drawCuteFace(p, {31, 27}, 16, 2.5);
  });
}

MaterialArt twoHearts() {
  return paintMaterial("hearts.bmp", {66, 56}, [](QPainter& p) {
    p.save();
    p.translate(44, 24);
    p.rotate(14);
    fillOutlined(p, heartPath({0, 0}, 36),
                 verticalGradient(-16, 16, palette::lilacPale, palette::lilac));
    drawShine(p, {-8, -8}, 3, 2, 190);
    p.restore();
    p.save();
    p.translate(24, 32);
    p.rotate(-12);
    fillOutlined(p, heartPath({0, 0}, 42),
                 verticalGradient(-19, 19, QColor(255, 190, 196), palette::coral));
    drawShine(p, {-10, -9}, 3.5, 2.2, 190);
    p.restore();
    drawSparkle(p, {59, 48}, 10, palette::sunny);
  });
}

MaterialArt starFace() {
  return paintMaterial("star.bmp", {64, 62}, [](QPainter& p) {
    fillOutlined(p, starPath({32, 33}, 30, 0.52, 3.5),
                 verticalGradient(3, 60, QColor(255, 236, 150), QColor(255, 200, 70)));
    drawCuteFace(p, {32, 35}, 14, 2.4);
    drawShine(p, {25, 22}, 3, 2, 170);
  });
}

MaterialArt sparkles() {
  return paintMaterial("sparkles.bmp", {60, 60}, [](QPainter& p) {
    drawSparkle(p, {24, 27}, 40, palette::sunny);
    drawSparkle(p, {47, 13}, 20, QColor(255, 236, 170));
    drawSparkle(p, {46, 46}, 14, palette::blush);
    drawSparkle(p, {24, 27}, 12, palette::white);
  });
}

MaterialArt mascot() {
  return paintMaterial("mascot.bmp", {78, 56}, [](QPainter& p) {
    drawMascot(p, {39, 26}, 44);
    drawHeart(p, {70, 8}, 10, palette::coral);
  });
}

MaterialArt musicNotes() {
  return paintMaterial("notes.bmp", {60, 60}, [](QPainter& p) {
    // Two notes joined by a beam, then a single one with a flag.
    QPainterPath pair;
    pair.addEllipse(QPointF(13, 44), 7, 5.5);
    pair.addEllipse(QPointF(37, 38), 7, 5.5);
    pair.addRect(QRectF(17.5, 13, 3.5, 31));
    pair.addRect(QRectF(41.5, 7, 3.5, 31));
    pair.addPolygon(
        QPolygonF({QPointF(17.5, 13), QPointF(45, 7), QPointF(45, 14), QPointF(17.5, 20)}));
    QPainterPath notes = pair.simplified();
    fillOutlined(p, notes,
                 verticalGradient(6, 50, QColor(206, 188, 246), palette::lilacDeep.lighter(130)));
    drawShine(p, {10, 42}, 2.4, 1.6, 190);
    drawShine(p, {34, 36}, 2.4, 1.6, 190);
    QPainterPath single;
    single.addEllipse(QPointF(49, 54), 5, 4);
    single.addRect(QRectF(51.8, 32, 2.8, 21));
    QPainterPath flag;
    flag.moveTo(52, 32);
    flag.cubicTo(56, 36, 60, 38, 57, 45);
    flag.cubicTo(57, 40, 55, 39, 52, 38);
    single = single.united(flag);
    fillOutlined(p, single.simplified(), palette::teal, 1.2);
  });
}

MaterialArt ribbon() {
  return paintMaterial("ribbon.bmp", {66, 50}, [](QPainter& p) {
    const QBrush satin = verticalGradient(4, 48, QColor(255, 176, 190), QColor(244, 110, 134));
    for (int side : {-1, 1}) {
      QPainterPath tail;
      tail.moveTo(33 + side * 2, 26);
      tail.lineTo(33 + side * 14, 47);
      tail.lineTo(33 + side * 10, 45);
      tail.lineTo(33 + side * 7, 48);
      tail.lineTo(33 - side * 2, 29);
      tail.closeSubpath();
      fillOutlined(p, tail, satin);
    }
    for (int side : {-1, 1}) {
      QPainterPath loop;
      loop.moveTo(33, 24);
      loop.cubicTo(33 + side * 14, 4, 33 + side * 34, 8, 33 + side * 30, 24);
      loop.cubicTo(33 + side * 30, 38, 33 + side * 14, 36, 33, 24);
      fillOutlined(p, loop, satin);
      p.strokePath(linePath({33 + side * 8.0, 22}, {33 + side * 20.0, 17}),
                   QPen(QColor(255, 214, 222), 1.4, Qt::SolidLine, Qt::RoundCap));
    }
    fillOutlined(p, ellipsePath({33, 24}, 6, 7), satin);
    drawShine(p, {31, 21}, 2, 1.6, 200);
  });
}

MaterialArt letter() {
  return paintMaterial("letter.bmp", {66, 54}, [](QPainter& p) {
    p.save();
    p.translate(31, 30);
    p.rotate(-8);
    drawEnvelope(p, QRectF(-26, -17, 52, 34), QColor(255, 253, 248), materialLine, true);
    p.restore();
    drawSparkle(p, {58, 9}, 13, palette::sunny);
    drawHeart(p, {59, 44}, 10, palette::blush);
  });
}

}  // namespace

QList<MaterialArt> drawSparkles() {
  return {heart(), twoHearts(), starFace(), sparkles(), mascot(), musicNotes(), ribbon(), letter()};
}
