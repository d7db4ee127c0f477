#include "buttons.h"

#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

#include "bitmap_set.h"
#include "palette.h"
#include "panels.h"
#include "render_scale.h"
#include "text.h"

namespace {

struct ToneColors {
  QColor top;
  QColor bottom;
  QColor edge;
  QColor glow;
};

ToneColors toneColors(ButtonTone tone) {
  switch (tone) {
    case ButtonTone::Coral:
      return {QColor(255, 166, 128), QColor(246, 110, 70), QColor(214, 86, 50),
              QColor(255, 216, 120)};
    case ButtonTone::Teal:
      return {QColor(236, 250, 247), QColor(180, 232, 224), QColor(96, 184, 172),
              QColor(150, 226, 216)};
    case ButtonTone::Cream:
      break;
  }
  return {QColor(255, 255, 255), QColor(255, 232, 218), QColor(226, 160, 134),
          QColor(255, 200, 170)};
}

QColor mix(const QColor& a, const QColor& b, qreal t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                          a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

}  // namespace

QColor buttonInk(ButtonTone tone) {
  switch (tone) {
    case ButtonTone::Coral:
      return palette::white;
    case ButtonTone::Teal:
      return QColor(30, 116, 108);
    case ButtonTone::Cream:
      break;
  }
  return palette::ink;
}

QRectF drawButtonFace(QPainter& painter, const QRectF& area, ButtonTone tone, ButtonState state) {
  const ToneColors colors = toneColors(tone);
  // The face keeps a margin inside the rectangle for its shadow and glow, so
  // nothing spills past the button's own image.
  QRectF face = area.adjusted(1.5, 1.5, -1.5, -2.5);
  if (state == ButtonState::Pressed) face.translate(0, 1);
  const qreal radius = std::min<qreal>(8, face.height() / 2);

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  if (state != ButtonState::Pressed)
    painter.fillPath(roundedRect(face.translated(0, 1.2), radius), palette::shade(55));
  if (state == ButtonState::Hover) {
    QColor glow = colors.glow;
    glow.setAlpha(210);
    painter.fillPath(roundedRect(face.adjusted(-1.4, -1.4, 1.4, 1.4), radius + 1.4), glow);
  }

  QColor top = colors.top;
  QColor bottom = colors.bottom;
  if (state == ButtonState::Hover) {
    // Coral brightens less so its white label keeps its contrast.
    const bool coral = tone == ButtonTone::Coral;
    top = mix(top, palette::white, coral ? 0.2 : 0.45);
    bottom = mix(bottom, palette::white, coral ? 0.1 : 0.3);
  } else if (state == ButtonState::Pressed) {
    top = mix(colors.bottom, colors.edge, 0.35);
    bottom = mix(colors.bottom, colors.edge, 0.1);
  }

  const QPainterPath shape = roundedRect(face, radius);
  painter.fillPath(shape, colors.edge);
  QLinearGradient fill(0, face.top(), 0, face.bottom());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  painter.fillPath(roundedRect(face.adjusted(1, 1, -1, -1), radius - 1), fill);

  painter.setClipPath(shape);
  if (state == ButtonState::Pressed) {
    // Inner shadow along the top: the face sits lower than its frame.
    painter.fillRect(QRectF(face.left(), face.top() + 1, face.width(), 1.5), palette::shade(50));
  } else {
    QColor gloss = palette::white;
    gloss.setAlpha(state == ButtonState::Hover && tone != ButtonTone::Coral ? 150 : 105);
    const QRectF upper = face.adjusted(2, 1.6, -2, -face.height() * 0.52);
    painter.fillPath(roundedRect(upper, std::min<qreal>(radius - 1.5, upper.height() / 2)), gloss);
  }
  painter.restore();
  return face;
}

ButtonArt labelButton(const QString& name, const QRect& rect, const QString& label, ButtonTone tone,
                      int hoverId, int pressedId, IconPainter icon, int fontPixels) {
  ButtonArt button;
  button.name = name;
  button.rect = rect;
  button.hoverId = hoverId;
  button.pressedId = pressedId;
  button.paint = [=](QPainter& painter, const QRectF& area, ButtonState state) {
    const QRectF face = drawButtonFace(painter, area, tone, state);
    const QFont font = uiFont(fontPixels, true);
    const QColor ink = buttonInk(tone);
    const qreal iconSize = icon ? std::min<qreal>(14, face.height() - 8) : 0;
    const qreal gap = icon ? 3 : 0;
    const qreal labelWidth = textWidth(font, label);
    const qreal contentWidth = iconSize + gap + labelWidth;
    if (contentWidth > face.width() - 6)
      std::fprintf(stderr, "warning: label of %s does not fit (%.0f of %.0f px)\n",
                   qPrintable(name), contentWidth, face.width() - 6);

    const qreal left = face.center().x() - contentWidth / 2;
    if (icon)
      icon(painter, QRectF(left, face.center().y() - iconSize / 2, iconSize, iconSize), ink);
    const QColor emboss =
        tone == ButtonTone::Coral ? palette::shade(110) : QColor(255, 255, 255, 220);
    drawEmbossedLabel(painter,
                      QRectF(left + iconSize + gap, face.top(), labelWidth + 2, face.height()),
                      label, font, ink, emboss, Qt::AlignLeft | Qt::AlignVCenter);
  };
  return button;
}

void paintButton(QImage& target, const ButtonArt& button, ButtonState state) {
  QPainter painter(&target);
  painter.translate(button.rect.topLeft());
  const QRectF area(0, 0, button.rect.width(), button.rect.height());
  painter.setClipRect(area);
  button.paint(painter, area, state);
}

namespace {

QImage stateImage(const QImage& background, const ButtonArt& button, ButtonState state) {
  QImage image = cropLogical(background, button.rect);
  QPainter painter(&image);
  const QRectF area(0, 0, button.rect.width(), button.rect.height());
  button.paint(painter, area, state);
  return image;
}

}  // namespace

void addStateImages(BitmapSet& bitmaps, const QImage& background, const ButtonArt& button) {
  if (button.hoverId)
    bitmaps.add(button.hoverId, stateImage(background, button, ButtonState::Hover));
  if (button.pressedId)
    bitmaps.add(button.pressedId, stateImage(background, button, ButtonState::Pressed));
}

void addIdleImage(BitmapSet& bitmaps, const QImage& background, const ButtonArt& button, int id) {
  bitmaps.add(id, stateImage(background, button, ButtonState::Idle));
}
