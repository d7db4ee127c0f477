// Window bodies, title bands, panels and fields.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRect>
#include <QRectF>
#include <QString>

class QPainter;

QPainterPath roundedRect(const QRectF& rect, qreal radius);

// The paper colour at a given y. The gradient runs over absolute y from
// `top` to `bottom`, so windows of different heights that share those
// values match pixel for pixel where they overlap.
struct PaperGradient {
  qreal top;
  qreal bottom;
};

// Edge line, white inner rim and cream paper inside `outer`.
void drawWindowBody(QPainter& painter, const QRectF& outer, qreal radius, PaperGradient paper);

// Peach band across the top of a window body, ending in a gentle wave.
void drawTitleBand(QPainter& painter, const QRectF& outer, qreal radius, qreal bandBottom);

// Small dialog header on the title band: quill mark, title and the name.
void drawDialogHeader(QPainter& painter, const QRectF& outer, qreal bandBottom,
                      const QString& title, const QString& caption);

// A white rounded box 2 px larger than a frameless edit placed at `editRect`.
void drawEditField(QPainter& painter, const QRect& editRect);

// A light box behind text the program writes itself.
void drawValueBox(QPainter& painter, const QRectF& box);

// A rounded panel with an edge line and a vertical gradient.
void drawSoftPanel(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top,
                   const QColor& bottom, const QColor& edge);

// Faint polka dots, the little texture of the paper.
void drawDotPattern(QPainter& painter, const QRectF& area, const QColor& color, qreal spacing,
                    qreal dotRadius);
