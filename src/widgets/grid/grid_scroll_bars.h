#pragma once

#include <Qt>
#include <functional>

class CGridCellStore;
class CGridView;
class QScrollBar;
class QWidget;

// The grid's two scroll bars: shown only when the cells do not fit, laid along the right and
// bottom edges, kept at the view's positions. The user's scroll requests on them come back as
// scroll-bar codes (SB_LINEUP ...) for the grid to carry out.
class CGridScrollBars {
 public:
  using Request = std::function<void(Qt::Orientation orientation, int code, int thumbPos)>;

  CGridScrollBars(QWidget* grid, Request request);

  // Lays the bars out for the grid's full size and sets the view's client area; returns the
  // scroll-bar state (bit 0 vertical bar shown, bit 1 horizontal bar shown).
  int Layout(const CGridCellStore& store, CGridView& view, int fullWidth, int fullHeight);
  // Brings the bars' ranges, steps and positions in line with the view.
  void Sync(const CGridCellStore& store, const CGridView& view, int lineHeight, int lineWidth);
  bool BothShown() const;

 private:
  void OnAction(Qt::Orientation orientation, int action);

  QWidget* grid_;
  QScrollBar* vertical_;
  QScrollBar* horizontal_;
  Request request_;
  int position_[2] = {0, 0};  // where the grid put each bar last (horizontal, vertical)
};
