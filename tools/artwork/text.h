// Fonts and text: IPA P Gothic for every label, and the "Quillora" logo.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

QFont uiFont(int pixelSize, bool bold = false);
qreal textWidth(const QFont& font, const QString& text);

// Text with a soft 1 px highlight underneath, so it reads well on pastel.
void drawLabel(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
               const QColor& color, Qt::Alignment alignment = Qt::AlignCenter);
void drawEmbossedLabel(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                       const QColor& color, const QColor& emboss,
                       Qt::Alignment alignment = Qt::AlignCenter);

// The coral "Quillora" wordmark with a white outline; returns its width.
qreal drawLogo(QPainter& painter, const QPointF& baselineLeft, qreal pixelSize);
