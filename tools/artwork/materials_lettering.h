// Message pictures: bold rounded lettering with a white rim, and the little
// ornaments scattered around it.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QStringList>

class QPainter;

// Draws one or two lines centred in `box`, at the largest pixel size up to
// `maxPixelSize` that fits, filled with a top-to-bottom gradient.
void drawLettering(QPainter& painter, const QStringList& lines, const QRectF& box, int maxPixelSize,
                   const QColor& top, const QColor& bottom);

enum class Ornament { Heart, Star, Sparkle, Note, Moon, Drop, Dot };

// One ornament about `size` px across.
void drawOrnament(QPainter& painter, Ornament kind, const QPointF& center, qreal size,
                  const QColor& colour);
