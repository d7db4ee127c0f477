// Composition window: the three tabs and the panel of thumbnails beneath them.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include "compose_layout.h"
#include "motifs.h"
#include "palette.h"
#include "panels.h"
#include "text.h"

namespace compose {

namespace {

const QColor kPanelEdge(222, 168, 148);

enum class TabMode { Idle, Hover, Active };

QColor mix(const QColor& a, const QColor& b, qreal t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                          a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

// A rectangle with only its top corners rounded.
QPainterPath topRounded(const QRectF& r, qreal radius) {
  QPainterPath path;
  path.moveTo(r.left(), r.bottom());
  path.lineTo(r.left(), r.top() + radius);
  path.quadTo(r.left(), r.top(), r.left() + radius, r.top());
  path.lineTo(r.right() - radius, r.top());
  path.quadTo(r.right(), r.top(), r.right(), r.top() + radius);
  path.lineTo(r.right(), r.bottom());
  path.closeSubpath();
  return path;
}

// The panel has near-square top corners so the outer tabs can sit on it.
QPainterPath panelPath(const QRectF& r, qreal topRadius, qreal bottomRadius) {
  QPainterPath path;
  path.moveTo(r.left(), r.top() + topRadius);
  path.quadTo(r.left(), r.top(), r.left() + topRadius, r.top());
  path.lineTo(r.right() - topRadius, r.top());
  path.quadTo(r.right(), r.top(), r.right(), r.top() + topRadius);
  path.lineTo(r.right(), r.bottom() - bottomRadius);
  path.quadTo(r.right(), r.bottom(), r.right() - bottomRadius, r.bottom());
  path.lineTo(r.left() + bottomRadius, r.bottom());
  path.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - bottomRadius);
  path.closeSubpath();
  return path;
}

void paintTab(QPainter& painter, const QRectF& area, const TabLook& look, TabMode mode) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // Idle tabs stand a little lower than the active one; their bottoms run
  // past the area and are clipped, so they meet the panel edge squarely.
  const QRectF face =
      mode == TabMode::Active ? area.adjusted(0.5, 0.5, -0.5, 2) : area.adjusted(1.5, 4.5, -1.5, 1);
  const qreal radius = 7;
  if (mode == TabMode::Hover) {
    QColor glow(255, 220, 130);
    glow.setAlpha(220);
    painter.fillPath(topRounded(face.adjusted(-1.3, -1.3, 1.3, 0), radius + 1.3), glow);
  }
  painter.fillPath(topRounded(face, radius), kPanelEdge);

  const QRectF inner = face.adjusted(1.2, 1.2, -1.2, 0);
  QLinearGradient fill(0, inner.top(), 0, inner.bottom());
  if (mode == TabMode::Active) {
    fill.setColorAt(0, look.pale);
    fill.setColorAt(1, look.pale);
  } else if (mode == TabMode::Hover) {
    fill.setColorAt(0, palette::white);
    fill.setColorAt(1, mix(look.color, palette::white, 0.35));
  } else {
    fill.setColorAt(0, mix(look.color, palette::white, 0.55));
    fill.setColorAt(1, look.color);
  }
  const QPainterPath innerPath = topRounded(inner, radius - 1.2);
  painter.fillPath(innerPath, fill);

  painter.setClipPath(innerPath, Qt::IntersectClip);
  if (mode == TabMode::Active) {
    // A ribbon of the tab's own colour marks the open page.
    painter.fillRect(QRectF(inner.left(), inner.top(), inner.width(), 3.5), look.color);
  } else {
    QColor gloss = palette::white;
    gloss.setAlpha(mode == TabMode::Hover ? 140 : 90);
    painter.fillRect(QRectF(inner.left(), inner.top(), inner.width(), inner.height() * 0.4), gloss);
  }
  painter.restore();

  const QRectF labelBox(area.left(), face.top() + (mode == TabMode::Active ? 3 : 0), area.width(),
                        area.bottom() - face.top() - (mode == TabMode::Active ? 3 : 0));
  // The open tab's label is a size larger when it fits.
  QFont font = uiFont(12, true);
  if (mode != TabMode::Active || textWidth(font, look.label) > face.width() - 8)
    font = uiFont(11, true);
  drawEmbossedLabel(painter, labelBox, look.label, font, look.deep, palette::white);
}

void paintPanelIcon(QPainter& painter, const TabLook& look) {
  switch (look.tab) {
    case Tab::Picture:
      drawPhotoCard(painter, QPointF(203, 152), QSizeF(20, 16), -8);
      break;
    case Tab::Message:
      drawSpeechBubble(painter, QRectF(193, 143, 21, 18), palette::white, look.deep);
      break;
    case Tab::Character:
      drawStarFace(painter, QPointF(203, 152), 10, palette::sunny, QColor(226, 170, 60));
      break;
  }
}

void paintThumbnailWell(QPainter& painter, const QRect& cell, const TabLook& look) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF well = QRectF(cell).adjusted(-1, -1, 1, 1);
  painter.fillPath(roundedRect(well.translated(0, 1), 3), QColor(255, 255, 255, 220));
  painter.fillPath(roundedRect(well, 3), mix(look.color, kPanelEdge, 0.4));
  painter.restore();
  painter.fillRect(cell, palette::white);
  // A soft inner shadow along the top edge makes the cell read as a well.
  painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), QColor(236, 226, 222));
  painter.fillRect(QRect(cell.left(), cell.top() + 1, cell.width(), 1), QColor(246, 241, 238));
}

}  // namespace

const QList<TabLook>& tabs() {
  static const QList<TabLook> looks = {
      {Tab::Picture, QStringLiteral("picture tab"), QStringLiteral("写真"), QRect(189, 110, 64, 28),
       QColor(255, 190, 164), QColor(204, 78, 40), QColor(255, 243, 235), 169, 148},
      {Tab::Message, QStringLiteral("message tab"), QStringLiteral("メッセージ"),
       QRect(253, 110, 64, 28), QColor(150, 218, 208), QColor(28, 118, 108), QColor(234, 249, 246),
       160, 147},
      {Tab::Character, QStringLiteral("character tab"), QStringLiteral("キャラ"),
       QRect(317, 110, 64, 28), QColor(206, 190, 242), QColor(108, 84, 184), QColor(244, 240, 253),
       161, 144},
  };
  return looks;
}

void paintTabPanel(QPainter& painter, const TabLook& active) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QPainterPath outer = panelPath(kPanel, 4, 12);
  painter.fillPath(outer.translated(0, 1.5), QColor(255, 255, 255, 220));
  painter.fillPath(outer, kPanelEdge);
  QLinearGradient fill(0, kPanel.top(), 0, kPanel.bottom());
  fill.setColorAt(0, active.pale);
  fill.setColorAt(1, mix(active.pale, palette::white, 0.6));
  painter.fillPath(panelPath(kPanel.adjusted(1.2, 1.2, -1.2, -1.2), 3, 11), fill);
  painter.restore();

  paintPanelIcon(painter, active);
  for (int i = 0; i < kCellCount; ++i) paintThumbnailWell(painter, thumbnailCell(i), active);
}

ButtonArt tabButton(const TabLook& look) {
  ButtonArt button;
  button.name = look.name;
  button.rect = look.rect;
  button.hoverId = look.hoverId;
  button.paint = [look](QPainter& painter, const QRectF& area, ButtonState state) {
    paintTab(painter, area, look, state == ButtonState::Idle ? TabMode::Idle : TabMode::Hover);
  };
  return button;
}

void paintActiveTab(QImage& target, const TabLook& look) {
  // Not clipped to the tab: the active tab runs over the panel's top edge
  // to join the page below.
  QPainter painter(&target);
  painter.translate(look.rect.topLeft());
  paintTab(painter, QRectF(0, 0, look.rect.width(), look.rect.height()), look, TabMode::Active);
}

}  // namespace compose
