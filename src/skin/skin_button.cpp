#include "skin_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
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
  setMouseTracking(true);  // the hover look comes back on the first move after a click
}

void CSkinButton::LoadButtonImages(int hoverId, int normalId) {
  if (hoverId != 0) SetHoverImage(LoadScreenBitmap(hoverId));
  if (normalId != 0) normal_ = LoadScreenBitmap(normalId);
  update();
}

void CSkinButton::SetPressedImage(int id) {
  if (id != 0) SetPressedImage(LoadScreenBitmap(id));
}

void CSkinButton::SetHoverImage(const QImage& image) {
  hover_ = image;
  if (!hover_.isNull()) resize(LogicalSize(hover_));
  update();
}

void CSkinButton::SetPressedImage(const QImage& image) {
  pressed_ = image;
  update();
}

void CSkinButton::FitToImage() {
  if (!hover_.isNull()) {
    resize(LogicalSize(hover_));
  } else if (!pressed_.isNull()) {
    resize(LogicalSize(pressed_));
  }
}

void CSkinButton::CutNormalImage(const QImage& background, const QRect& rect) {
  // A twice-size background gives a twice-size piece of the same logical size.
  const qreal ratio = background.isNull() ? 1.0 : background.devicePixelRatio();
  // A background made transparent outside its outline gives a piece transparent there too.
  const bool alpha = background.hasAlphaChannel();
  QImage piece(rect.size() * ratio,
               alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  piece.setDevicePixelRatio(ratio);
  piece.fill(Qt::white);
  if (!background.isNull()) {
    QPainter painter(&piece);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRectF source(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio);
    painter.drawImage(QPointF(0, 0), background, source);
  }
  normal_ = piece;
  update();
}

QSize CSkinButton::sizeHint() const {
  if (!hover_.isNull()) return LogicalSize(hover_);
  if (!pressed_.isNull()) return LogicalSize(pressed_);
  return normal_.isNull() ? QSize(16, 16) : LogicalSize(normal_);
}

void CSkinButton::paintEvent(QPaintEvent*) {
  const SkinButtonLook look{isDown(), hovered_ && !isDown()};
  const QImage* image = ChooseButtonImage(look, normal_, hover_, pressed_);
  if (!image) return;
  QPainter painter(this);
  painter.setClipRect(rect());
  DrawScreenImage(painter, QPointF(0, 0), *image);
  if (focusMark_.Shown(this)) DrawFocusMark(painter, QRectF(rect()));
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

void CSkinButton::mouseMoveEvent(QMouseEvent* event) {
  if (!hovered_ && rect().contains(event->position().toPoint())) {
    hovered_ = true;
    update();
  }
  QAbstractButton::mouseMoveEvent(event);
}

// A click ends with the idle look; the hover image returns when the mouse moves again.
void CSkinButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    hovered_ = false;
    update();
  }
  QAbstractButton::mouseReleaseEvent(event);
}

void CSkinButton::hideEvent(QHideEvent* event) {
  hovered_ = false;
  QAbstractButton::hideEvent(event);
}

void CSkinButton::focusInEvent(QFocusEvent* event) {
  focusMark_.FocusIn(event, this);
  update();
  QAbstractButton::focusInEvent(event);
}

void CSkinButton::focusOutEvent(QFocusEvent* event) {
  focusMark_.FocusOut(event);
  update();
  QAbstractButton::focusOutEvent(event);
}

// Enter presses the button that shows the focus, in every window. A button that merely got the
// focus with its window (and shows no mark) leaves Enter to the window.
void CSkinButton::keyPressEvent(QKeyEvent* event) {
  const bool plain =
      event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (plain && enter && focusMark_.Shown(this)) {
    if (isVisible() && isEnabled()) click();
    event->accept();
    return;
  }
  QAbstractButton::keyPressEvent(event);
}
