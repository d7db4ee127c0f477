#include "skin_button.h"

#include <QPainter>

#include "platform/bitmap_resource.h"

const QImage* ChooseButtonImage(const SkinButtonLook& look, const QImage& normal,
                                const QImage& hover, const QImage& pressed) {
  if (look.down && !pressed.isNull()) return &pressed;
  if (look.hovered && !hover.isNull()) return &hover;
  if (!normal.isNull()) return &normal;
  if (!look.down && !hover.isNull()) return &hover;
  return nullptr;
}

CSkinButton::CSkinButton(QWidget* parent, int controlId)
    : QAbstractButton(parent), controlId_(controlId) {
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_Hover, false);
}

void CSkinButton::LoadButtonImages(int hoverId, int normalId) {
  if (hoverId != 0) SetHoverImage(LoadBitmapResource(hoverId));
  if (normalId != 0) normal_ = LoadBitmapResource(normalId);
  update();
}

void CSkinButton::SetPressedImage(int id) {
  if (id != 0) SetPressedImage(LoadBitmapResource(id));
}

void CSkinButton::SetHoverImage(const QImage& image) {
  hover_ = image;
  if (!hover_.isNull()) resize(hover_.size());
  update();
}

void CSkinButton::SetPressedImage(const QImage& image) {
  pressed_ = image;
  update();
}

void CSkinButton::FitToImage() {
  if (!hover_.isNull()) {
    resize(hover_.size());
  } else if (!pressed_.isNull()) {
    resize(pressed_.size());
  }
}

void CSkinButton::CutNormalImage(const QImage& background, const QRect& rect) {
  QImage piece(rect.size(), QImage::Format_RGB32);
  piece.fill(Qt::white);
  if (!background.isNull()) {
    QPainter painter(&piece);
    painter.drawImage(QPoint(0, 0), background, rect);
  }
  normal_ = piece;
  update();
}

QSize CSkinButton::sizeHint() const {
  if (!hover_.isNull()) return hover_.size();
  if (!pressed_.isNull()) return pressed_.size();
  return normal_.isNull() ? QSize(16, 16) : normal_.size();
}

void CSkinButton::paintEvent(QPaintEvent*) {
  const SkinButtonLook look{isDown(), hovered_ && !isDown()};
  const QImage* image = ChooseButtonImage(look, normal_, hover_, pressed_);
  if (!image) return;
  QPainter painter(this);
  painter.setClipRect(rect());
  painter.drawImage(QPoint(0, 0), *image);
}

void CSkinButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void CSkinButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void CSkinButton::hideEvent(QHideEvent* event) {
  hovered_ = false;
  QAbstractButton::hideEvent(event);
}
