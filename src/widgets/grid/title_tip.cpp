#include "title_tip.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include "platform/system_colors.h"

std::optional<Rect> TitleTipRect(const Rect& textRect, int textWidth, int offset) {
  if (textRect.IsEmpty()) return std::nullopt;
  const int left = textRect.left + offset;
  const int right = textRect.left + 2 * offset + textWidth;
  if (right <= textRect.right - offset) return std::nullopt;
  return Rect(left, textRect.top, right, textRect.bottom);
}

CTitleTip::CTitleTip(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
      owner_(parent) {
  setObjectName(QStringLiteral("CTitleTip"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void CTitleTip::Show(const Rect& textRect, const QString& text, int offset, const Rect& hoverRect,
                     const LogFont* font, ColorRef textColor, ColorRef backColor) {
  if (textRect.IsEmpty() || isVisible()) return;
  if (!QApplication::focusWidget()) return;
  font_ = font ? ToQFont(*font) : (owner_ ? owner_->font() : QApplication::font());
  const QString shown = QStringLiteral(" ") + text + QStringLiteral(" ");
  const int textWidth = QFontMetrics(font_).horizontalAdvance(shown);
  const std::optional<Rect> place = TitleTipRect(textRect, textWidth, offset);
  if (!place) return;
  hoverRect_ = hoverRect;
  text_ = shown;
  textColor_ = textColor;
  backColor_ = backColor;
  // The one-pixel border lies outside the text, as a bordered popup's frame would.
  const Rect window = place->Inflate(1, 1);
  const QPoint topLeft = owner_ ? owner_->mapToGlobal(QPoint(window.left, window.top))
                                : QPoint(window.left, window.top);
  setGeometry(QRect(topLeft, QSize(window.Width(), window.Height())));
  show();
  raise();
}

void CTitleTip::Hide() {
  if (isVisible()) hide();
  hoverRect_ = Rect();
}

void CTitleTip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const ColorRef back = backColor_ != CLR_DEFAULT ? backColor_ : GetSysColor(COLOR_INFOBK);
  const ColorRef fore = textColor_ != CLR_DEFAULT ? textColor_ : GetSysColor(COLOR_INFOTEXT);
  painter.fillRect(rect(), ToQColor(back));
  painter.setPen(ToQColor(GetSysColor(COLOR_WINDOWFRAME)));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setFont(font_);
  painter.setPen(ToQColor(fore));
  const QFontMetrics metrics(font_);
  painter.drawText(QPoint(1, 1 + metrics.ascent()), text_);
}
