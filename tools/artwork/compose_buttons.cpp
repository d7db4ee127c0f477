// Composition window: its buttons, the preview badge and the tone knob.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include "compose_layout.h"
#include "motifs.h"
#include "palette.h"
#include "panels.h"
#include "render_scale.h"

namespace compose {

namespace {

ButtonArt zoomButton(const QString& name, const QRect& rect, bool zoomIn, int hoverId) {
  ButtonArt button;
  button.name = name;
  button.rect = rect;
  button.hoverId = hoverId;
  button.paint = [zoomIn](QPainter& painter, const QRectF& area, ButtonState state) {
    const QRectF face = drawButtonFace(painter, area, ButtonTone::Cream, state);
    const qreal size = face.height() - 5;
    drawMagnifier(painter,
                  QRectF(face.center().x() - size / 2, face.center().y() - size / 2, size, size),
                  palette::coralDeep, zoomIn);
  };
  return button;
}

void envelopeIcon(QPainter& painter, const QRectF& box, const QColor&) {
  drawEnvelope(painter, box.adjusted(0, 2.5, 0, -2.5), palette::white, palette::coralDeep, false);
}

void paintBadge(QPainter& painter, const QRectF& area, ButtonState state) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF center = area.center();
  const qreal radius = area.width() / 2;
  // The outer ring is the window edge colour: it is the window's outline here.
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::windowEdge);
  painter.drawEllipse(center, radius, radius);
  painter.setBrush(palette::white);
  painter.drawEllipse(center, radius - 2, radius - 2);
  if (state == ButtonState::Hover) {
    painter.setBrush(QColor(255, 220, 130));
    painter.drawEllipse(center, radius - 3, radius - 3);
  }
  QLinearGradient fill(0, center.y() - radius, 0, center.y() + radius);
  const bool pressed = state == ButtonState::Pressed;
  const bool hover = state == ButtonState::Hover;
  fill.setColorAt(0, pressed ? palette::tealDeep : palette::teal.lighter(hover ? 122 : 110));
  fill.setColorAt(1, pressed ? palette::teal : (hover ? palette::teal : palette::tealDeep));
  painter.setBrush(fill);
  painter.drawEllipse(center, radius - 4.5, radius - 4.5);
  if (!pressed) {
    QColor gloss = palette::white;
    gloss.setAlpha(hover ? 110 : 80);
    painter.setBrush(gloss);
    painter.drawEllipse(QPointF(center.x(), center.y() - radius * 0.36), radius * 0.56,
                        radius * 0.3);
  }
  painter.restore();

  const qreal shift = pressed ? 1 : 0;
  drawPhoneGlyph(painter, QRectF(center.x() - 9, center.y() - 10 + shift, 18, 20), palette::white);
}

}  // namespace

ButtonArt previewBadge() {
  ButtonArt button;
  button.name = QStringLiteral("phone preview");
  button.rect = kPreviewBadge;
  button.hoverId = 150;
  button.roundCorners = true;
  button.paint = paintBadge;
  return button;
}

ButtonArt openPictureButton() {
  return labelButton(QStringLiteral("open picture"), QRect(284, 142, 80, 22),
                     QStringLiteral("開く"), ButtonTone::Coral, 171, 194,
                     [](QPainter& painter, const QRectF& box, const QColor&) {
                       drawFolder(painter, box.adjusted(0, 1, 0, -1), QColor(255, 236, 170));
                     });
}

QList<ButtonArt> sideButtons() {
  const auto cream = ButtonTone::Cream;
  const auto teal = ButtonTone::Teal;
  return {
      previewBadge(),
      labelButton(QStringLiteral("clear"), QRect(28, 107, 62, 24), QStringLiteral("クリア"), cream,
                  143, 192),
      labelButton(QStringLiteral("reset"), QRect(117, 107, 62, 24), QStringLiteral("リセット"),
                  cream, 151, 196),
      zoomButton(QStringLiteral("zoom in"), QRect(54, 243, 30, 24), true, 172),
      zoomButton(QStringLiteral("zoom out"), QRect(116, 243, 30, 24), false, 170),
      labelButton(QStringLiteral("send"), QRect(31, 334, 64, 28), QStringLiteral("送信"),
                  ButtonTone::Coral, 153, 198, envelopeIcon, 12),
      labelButton(QStringLiteral("save"), QRect(30, 365, 64, 28), QStringLiteral("保存"), cream,
                  152, 197, nullptr, 12),
      labelButton(QStringLiteral("settings"), QRect(101, 365, 64, 28), QStringLiteral("設定"),
                  cream, 242, 243, nullptr, 12),
      labelButton(QStringLiteral("home page"), QRect(20, 397, 72, 24), QStringLiteral("ホーム"),
                  teal, 252, 253,
                  [](QPainter& painter, const QRectF& box, const QColor& color) {
                    drawHouse(painter, box.adjusted(1, 1, -1, -1), color);
                  }),
      labelButton(QStringLiteral("public album"), QRect(100, 407, 76, 24),
                  QStringLiteral("アルバム"), teal, 254, 255),
      labelButton(QStringLiteral("album editor"), QRect(89, 435, 88, 24),
                  QStringLiteral("アルバム編集"), teal, 256, 257),
      labelButton(QStringLiteral("help"), QRect(243, 523, 64, 28), QStringLiteral("ヘルプ"), cream,
                  290, 289),
      labelButton(QStringLiteral("quit"), QRect(315, 524, 64, 28), QStringLiteral("終了"), cream,
                  145, 193),
  };
}

QImage knobImage(const QImage& background) {
  // The knob carries the tray and groove under it, so it blends in wherever
  // it slides along the plain groove.
  QImage knob = cropLogical(background, kKnobHome);
  QPainter painter(&knob);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face(1.5, 1, 13, 21.5);
  painter.fillPath(roundedRect(face.translated(0, 1), 5), palette::shade(60));
  painter.fillPath(roundedRect(face, 5), palette::coralDeep);
  QLinearGradient fill(face.left(), 0, face.right(), 0);
  fill.setColorAt(0, QColor(255, 178, 146));
  fill.setColorAt(1, palette::coral);
  painter.fillPath(roundedRect(face.adjusted(1, 1, -1, -1), 4), fill);
  QColor gloss = palette::white;
  gloss.setAlpha(110);
  painter.fillPath(roundedRect(QRectF(face.left() + 2, face.top() + 2, 3, face.height() - 4), 1.5),
                   gloss);
  // Grip lines across the middle.
  for (qreal y : {9.0, 11.5, 14.0}) {
    painter.fillRect(QRectF(5, y, 6, 1), QColor(255, 240, 230));
    painter.fillRect(QRectF(5, y + 1, 6, 0.8), QColor(200, 80, 48, 140));
  }
  return knob;
}

}  // namespace compose
