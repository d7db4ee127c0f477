// Shared strokes of the material pictures: soft pastel fills with a warm
// brown line, dot eyes and pink cheeks, like the mascot of the windows.
#pragma once

#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QSize>
#include <functional>

#include "materials.h"

class QPainter;

// The line around every part and around the whole picture.
inline const QColor materialLine{104, 66, 54};

// Draws one picture on a fresh transparent canvas with anti-aliasing on.
MaterialArt paintMaterial(const QString& fileName, QSize size,
                          const std::function<void(QPainter&)>& draw);

QPen linePen(qreal width = 1.3);
void fillOutlined(QPainter& painter, const QPainterPath& path, const QBrush& fill,
                  qreal lineWidth = 1.3);

QPainterPath ellipsePath(const QPointF& center, qreal rx, qreal ry);
QPainterPath circlePath(const QPointF& center, qreal radius);
// An ellipse turned by `degrees` around its centre.
QPainterPath turnedEllipse(const QPointF& center, qreal rx, qreal ry, qreal degrees);
QPainterPath linePath(const QPointF& from, const QPointF& to);
QPainterPath polygonPath(std::initializer_list<QPointF> points);
// A closed polygon whose corners are rounded off `radius` px back along each side.
QPainterPath roundedPolygonPath(const QList<QPointF>& corners, qreal radius);
// A plump heart `size` px wide around `center`.
QPainterPath heartPath(const QPointF& center, qreal size);
// A five-pointed star; `inner` is the ratio of the inner to the outer radius,
// `rounding` how far back along each side the corners are rounded off.
QPainterPath starPath(const QPointF& center, qreal radius, qreal inner = 0.5, qreal rounding = 0);

// A top-to-bottom gradient over [top, bottom].
QBrush verticalGradient(qreal top, qreal bottom, const QColor& upper, const QColor& lower);

// Dot eyes `spread` apart with a glint, centred on `center`.
void drawEyes(QPainter& painter, const QPointF& center, qreal spread, qreal eyeSize);
// Pink cheeks just outside and below eyes drawn with the same numbers.
void drawCheeks(QPainter& painter, const QPointF& center, qreal spread, qreal eyeSize);
// A small smile below the eye line.
void drawSmile(QPainter& painter, const QPointF& center, qreal eyeSize);
// The cat-and-dog mouth: two little arcs under a nose at `nose`.
void drawMuzzleMouth(QPainter& painter, const QPointF& nose, qreal size);
// Eyes, cheeks and smile together.
void drawCuteFace(QPainter& painter, const QPointF& center, qreal spread, qreal eyeSize);
// A soft white highlight, as on a glossy sticker.
void drawShine(QPainter& painter, const QPointF& center, qreal rx, qreal ry, int alpha = 170);
