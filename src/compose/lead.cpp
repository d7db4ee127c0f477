#include "lead.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "imaging/full_color_image.h"
#include "imaging/phone_gif_plan.h"
#include "imaging/picture_pyramid.h"
#include "platform/safe_copy.h"

namespace {

int ButtonCode(Qt::MouseButtons buttons) {
  int code = 0;
  if (buttons & Qt::LeftButton) code |= 1;
  if (buttons & Qt::RightButton) code |= 2;
  if (buttons & Qt::MiddleButton) code |= 4;
  return code;
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers & Qt::ShiftModifier) code |= 1;
  if (modifiers & Qt::ControlModifier) code |= 2;
  if (modifiers & Qt::AltModifier) code |= 4;
  return code;
}

// The virtual-key code of a key, as key events report it.
int VirtualKey(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  switch (qtKey) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      return 0;
  }
}

QRgb Opaque(ColorRef color) { return qRgb(RedOf(color), GreenOf(color), BlueOf(color)); }

}  // namespace

CLead::CLead(QWidget* parent, int controlId) : QWidget(parent), controlId_(controlId) {
  setFocusPolicy(Qt::ClickFocus);
}

void CLead::Changed() {
  if (autoRepaint_) update();
}

void CLead::SetBitmap(const QImage& image) {
  bitmap_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
  pyramid_ = bitmap_.isNull() ? nullptr : std::make_shared<const PicturePyramid>(bitmap_);
  solid_ = false;
  tone_ = IdentityTone();
  toned_ = false;
  Changed();
}

CLead::HeldPicture CLead::Held() const {
  return {bitmap_, pyramid_, solid_, solidSize_, solidColor_, tone_, toned_};
}

void CLead::Restore(const HeldPicture& held) {
  bitmap_ = held.bitmap;  // shared until one of them writes
  pyramid_ = held.pyramid;
  solid_ = held.solid;
  solidSize_ = held.solidSize;
  solidColor_ = held.solidColor;
  tone_ = held.tone;
  toned_ = held.toned;
  Changed();
}

void CLead::ClearBitmap() {
  bitmap_ = QImage();
  pyramid_ = nullptr;
  solid_ = false;
  tone_ = IdentityTone();
  toned_ = false;
  Changed();
}

QImage CLead::Bitmap() const {
  QImage image = bitmap_;
  if (solid_) {
    image = QImage(solidSize_, QImage::Format_RGB32);
    image.fill(solidColor_);
  }
  if (toned_ && !image.isNull()) {
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x)
        line[x] = qRgb(tone_[qRed(line[x])], tone_[qGreen(line[x])], tone_[qBlue(line[x])]);
    }
  }
  return image;
}

bool CLead::Load(const QString& path) {
  const QImage image = LoadFullColorImage(path);
  if (image.isNull()) return false;
  SetBitmap(image);
  return true;
}

bool CLead::SaveGif(const QString& path, int bitsPerPixel) const {
  if (!HasBitmap() || bitsPerPixel < 5 || bitsPerPixel > 8) return false;
  const PhoneGifPlan plan(Bitmap());
  const std::vector<std::uint8_t>& bytes = plan.FileFor(bitsPerPixel).bytes;
  return !bytes.empty() && TryWriteFileReplacing(path, QByteArrayView(bytes));
}

bool CLead::GetFileInfo(const QString& path) {
  const QSize size = ReadImageFileSize(path);
  if (!size.isValid() || size.isEmpty()) return false;
  infoWidth_ = static_cast<float>(size.width());
  infoHeight_ = static_cast<float>(size.height());
  return true;
}

ColorRef CLead::PixelColor(float x, float y) const {
  const int px = static_cast<int>(x);
  const int py = static_cast<int>(y);
  const QSize size = PictureSize();
  if (!HasBitmap() || x < 0 || y < 0 || px >= size.width() || py >= size.height()) return 0;
  const QRgb c = solid_ ? solidColor_ : bitmap_.pixel(px, py);
  return MakeColorRef(tone_[qRed(c)], tone_[qGreen(c)], tone_[qBlue(c)]);
}

void CLead::Fill(ColorRef color) {
  if (!HasBitmap()) return;
  tone_ = IdentityTone();
  toned_ = false;
  // Remembered rather than painted: a large picture is often replaced right after.
  solidSize_ = PictureSize();
  solidColor_ = Opaque(color);
  solid_ = true;
  bitmap_ = QImage();
  pyramid_ = nullptr;
  Changed();
}

void CLead::AdjustTone(int amount) {
  if (!HasBitmap()) return;
  // Applied where the picture is shown or read, so that a large shared picture is not
  // copied for a change of the few pixels on screen.
  tone_ = ChainTones(tone_, BrightnessTone(amount));
  toned_ = !IsIdentity(tone_);
  Changed();
}

void CLead::Repaint() { update(); }

void CLead::SetDestinationRect(const QRectF& rect) {
  destination_ = rect;
  Changed();
}

void CLead::SetSourceRect(const QRectF& rect) {
  source_ = rect;
  Changed();
}

void CLead::SetTransparent(bool on) {
  transparent_ = on;
  Changed();
}

void CLead::SetTransparentColor(ColorRef color) {
  transparentColor_ = color & 0x00FFFFFFu;
  Changed();
}

void CLead::SetBackgroundColor(ColorRef color) {
  background_ = color;
  Changed();
}

void CLead::SetFlat(bool flat) {
  flat_ = flat;
  Changed();
}

void CLead::SetMousePointer(int pointer) {
  pointer_ = pointer;
  if (pointer == kPointerSizeAll)
    setCursor(Qt::SizeAllCursor);
  else
    unsetCursor();
}

QImage CLead::RenderFace() const {
  QImage face(size(), QImage::Format_ARGB32_Premultiplied);
  if (face.isNull()) return face;
  face.fill(Opaque(background_));
  if (HasBitmap()) {
    const QRectF dest = destination_.isEmpty() ? QRectF(rect()) : destination_;
    const QRectF src = source_.isEmpty() ? QRectF(QRect(QPoint(), PictureSize())) : source_;
    if (pyramid_ && !transparent_) {
      pyramid_->Draw(face, dest, src, toned_ ? tone_.data() : nullptr);
    } else {
      DrawNearest(face, dest, src);
    }
  }
  // A control too thin to have an inside shows its picture, not its border.
  if (!flat_ && face.width() > 2 && face.height() > 2) {
    QPainter painter(&face);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(face.rect().adjusted(0, 0, -1, -1));
  }
  return face;
}

// The picture pixel under each screen pixel's centre; key-coloured pixels clear.
void CLead::DrawNearest(QImage& face, const QRectF& dest, const QRectF& src) const {
  const QSize picture = PictureSize();
  const QRgb key = Opaque(transparentColor_);
  const int x0 = std::max(0, static_cast<int>(std::floor(dest.left())));
  const int y0 = std::max(0, static_cast<int>(std::floor(dest.top())));
  const int x1 = std::min(face.width(), static_cast<int>(std::ceil(dest.right())));
  const int y1 = std::min(face.height(), static_cast<int>(std::ceil(dest.bottom())));
  std::vector<int> columns(static_cast<std::size_t>(std::max(0, x1 - x0)));
  for (int x = x0; x < x1; ++x) {
    const double sx = src.left() + (x + 0.5 - dest.left()) * src.width() / dest.width();
    columns[x - x0] = sx >= 0 && sx < picture.width() ? static_cast<int>(sx) : -1;
  }
  for (int y = y0; y < y1; ++y) {
    const double sy = src.top() + (y + 0.5 - dest.top()) * src.height() / dest.height();
    if (sy < 0 || sy >= picture.height()) continue;
    const auto* in =
        solid_ ? nullptr
               : reinterpret_cast<const QRgb*>(bitmap_.constScanLine(static_cast<int>(sy)));
    auto* out = reinterpret_cast<QRgb*>(face.scanLine(y));
    for (int x = x0; x < x1; ++x) {
      const int sx = columns[x - x0];
      if (sx < 0) continue;
      const QRgb c = (in ? in[sx] : solidColor_) | 0xFF000000u;
      if (transparent_ && c == key) {
        out[x] = 0;  // clear: what lies behind shows
      } else {
        out[x] = toned_ ? qRgb(tone_[qRed(c)], tone_[qGreen(c)], tone_[qBlue(c)]) : c;
      }
    }
  }
}

void CLead::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, RenderFace());
  if (IsFocusMarkDrawn()) DrawFocusMark(painter, QRectF(rect()));
}

void CLead::SetTabStop(bool on) {
  tabStop_ = on;
  setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

void CLead::focusInEvent(QFocusEvent* event) {
  focusMark_.FocusIn(event, this);
  if (tabStop_) update();
  QWidget::focusInEvent(event);
}

void CLead::focusOutEvent(QFocusEvent* event) {
  focusMark_.FocusOut(event);
  if (tabStop_) update();
  QWidget::focusOutEvent(event);
}

void CLead::mousePressEvent(QMouseEvent* event) {
  pressed_ = true;
  const QPointF p = event->position();
  emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                 static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void CLead::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                 static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void CLead::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(p.toPoint());
  pressed_ = false;
  emit MouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()),
               static_cast<float>(p.x()), static_cast<float>(p.y()));
  if (click) emit Clicked();
}

// The second press of a double click is a press like any other, but it completes no click:
// one click, one action.
void CLead::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                 static_cast<float>(p.x()), static_cast<float>(p.y()));
}

// The right button is the control's own (panning, removing an overlay): its presses must not
// open the window's menu, which would take the release away.
void CLead::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

void CLead::keyPressEvent(QKeyEvent* event) {
  const int code = VirtualKey(event->key());
  if (code == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  emit KeyDown(code, ShiftCode(event->modifiers()));
  event->ignore();  // the window still sees the key (Escape, for one)
}
