// Little pictures: quill, envelope, phone, photo, heart, the winged mail mascot.
// All draw with anti-aliasing and leave the painter state as they found it.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>

class QPainter;

void drawHeart(QPainter& painter, const QPointF& center, qreal size, const QColor& color);
void drawSparkle(QPainter& painter, const QPointF& center, qreal size, const QColor& color);

// A quill feather from the nib to the tip of the vane.
void drawQuill(QPainter& painter, const QPointF& nib, const QPointF& tip, qreal vaneWidth,
               const QColor& vane, const QColor& shaft);

void drawEnvelope(QPainter& painter, const QRectF& rect, const QColor& paper, const QColor& line,
                  bool heartSeal);
void drawPaperPlane(QPainter& painter, const QRectF& box, const QColor& paper, const QColor& fold,
                    const QColor& line);

// A tiny landscape (sky, sun, hills) filling `rect`: what a photo looks like.
void drawPicture(QPainter& painter, const QRectF& rect);
// A white-bordered photo print, turned by `angle` degrees around its centre.
void drawPhotoCard(QPainter& painter, const QPointF& center, const QSizeF& size, qreal angle);

// A flip-less candy-bar phone with a photo on its screen.
void drawPhone(QPainter& painter, const QRectF& body, const QColor& shell, const QColor& edge);
// A flat phone silhouette for small icons.
void drawPhoneGlyph(QPainter& painter, const QRectF& box, const QColor& color);

// The mascot: a smiling envelope with little wings.
void drawMascot(QPainter& painter, const QPointF& center, qreal width);

void drawMagnifier(QPainter& painter, const QRectF& box, const QColor& color, bool plus);
void drawFolder(QPainter& painter, const QRectF& box, const QColor& color);
void drawHouse(QPainter& painter, const QRectF& box, const QColor& color);
void drawSpeechBubble(QPainter& painter, const QRectF& box, const QColor& fill, const QColor& line);
void drawStarFace(QPainter& painter, const QPointF& center, qreal radius, const QColor& fill,
                  const QColor& line);

// A circle with a white rim and a glossy gradient: the base of round icons.
void drawRoundBadge(QPainter& painter, const QPointF& center, qreal radius, const QColor& top,
                    const QColor& bottom);
