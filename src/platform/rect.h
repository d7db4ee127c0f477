#pragma once

#include <QPoint>
#include <QRect>
#include <algorithm>

// A rectangle as the drawing code measures it: left and top inclusive, right and bottom
// exclusive, so width = right - left. QRect::right() is inclusive; convert only through
// ToQRect / FromQRect.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr Rect() = default;
  constexpr Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  bool Contains(QPoint point) const { return Contains(point.x(), point.y()); }

  constexpr Rect Offset(int dx, int dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  constexpr Rect Inflate(int dx, int dy) const {
    return {left - dx, top - dy, right + dx, bottom + dy};
  }
  // Empty (all zero) when the two do not overlap.
  constexpr Rect Intersect(const Rect& other) const {
    const Rect overlap{std::max(left, other.left), std::max(top, other.top),
                       std::min(right, other.right), std::min(bottom, other.bottom)};
    return overlap.IsEmpty() ? Rect() : overlap;
  }
  constexpr Rect Union(const Rect& other) const {
    if (IsEmpty()) return other;
    if (other.IsEmpty()) return *this;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
  }
  constexpr Rect Normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
  }

  QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
  static Rect FromQRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
  }

  constexpr bool operator==(const Rect&) const = default;
};
