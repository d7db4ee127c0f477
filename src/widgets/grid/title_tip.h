#pragma once

#include <QFont>
#include <QWidget>
#include <optional>

#include "platform/color_ref.h"
#include "platform/log_font.h"
#include "platform/rect.h"

// Where a title tip goes, in the parent's coordinates: from the text rectangle's left + offset,
// as wide as the text (measured with a space on each side) plus the offset, as high as the
// rectangle. None when the text fits, i.e. when the tip would not pass the rectangle's right
// edge minus the offset, or when the rectangle is empty.
std::optional<Rect> TitleTipRect(const Rect& textRect, int textWidth, int offset);

// The small popup that shows the whole text of a cell too narrow for it while the pointer
// rests on the cell. It takes no input: the pointer's moves, clicks and keys go on to the grid
// below it, which hides the tip when they leave the hover rectangle.
class CTitleTip : public QWidget {
  Q_OBJECT

 public:
  explicit CTitleTip(QWidget* parent);

  // Shows `text` over `textRect` (parent coordinates) unless it fits there, while the pointer
  // stays in `hoverRect`. Nothing happens while the tip is shown already or when no window of
  // the application has the keyboard focus.
  void Show(const Rect& textRect, const QString& text, int offset, const Rect& hoverRect,
            const LogFont* font = nullptr, ColorRef textColor = CLR_DEFAULT,
            ColorRef backColor = CLR_DEFAULT);
  void Hide();

  // The hover rectangle in parent coordinates (empty while hidden).
  Rect HoverRect() const { return isVisible() ? hoverRect_ : Rect(); }
  QString Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* owner_;
  Rect hoverRect_;
  QString text_;
  QFont font_;
  ColorRef textColor_ = CLR_DEFAULT;
  ColorRef backColor_ = CLR_DEFAULT;
};
