#include "screen_order.h"

#include <QWidget>
#include <algorithm>
#include <numeric>

namespace {
// Tops closer than this are one row: labels and buttons of a row are rarely aligned exactly.
constexpr int kRowTolerance = 8;
}  // namespace

std::vector<int> ReadingOrder(const std::vector<QRect>& rects) {
  std::vector<int> order(rects.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return rects[a].top() < rects[b].top(); });
  // Rows start at the topmost rectangle not yet in a row; within a row, left to right.
  auto rowStart = order.begin();
  while (rowStart != order.end()) {
    const int top = rects[*rowStart].top();
    auto rowEnd = std::find_if(rowStart, order.end(),
                               [&](int i) { return rects[i].top() - top >= kRowTolerance; });
    std::stable_sort(rowStart, rowEnd,
                     [&](int a, int b) { return rects[a].left() < rects[b].left(); });
    rowStart = rowEnd;
  }
  return order;
}

QList<QWidget*> TabStops(const QWidget* window) {
  QList<QWidget*> stops;
  for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if ((child->focusPolicy() & Qt::TabFocus) && !child->isWindow()) stops << child;
  return stops;
}

void ChainTabOrder(const QList<QWidget*>& widgets) {
  for (qsizetype i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

QList<QWidget*> InReadingOrder(const QList<QWidget*>& widgets) {
  std::vector<QRect> rects;
  for (const QWidget* widget : widgets) rects.push_back(widget->geometry());
  QList<QWidget*> ordered;
  for (int i : ReadingOrder(rects)) ordered << widgets[i];
  return ordered;
}

void ChainInReadingOrder(const QList<QWidget*>& widgets) { ChainTabOrder(InReadingOrder(widgets)); }
