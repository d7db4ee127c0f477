#include "grid_scroll_bars.h"

#include <QScrollBar>
#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "widgets/grid/grid_cell_store.h"
#include "widgets/grid/grid_view.h"

CGridScrollBars::CGridScrollBars(QWidget* grid, Request request)
    : grid_(grid),
      vertical_(new QScrollBar(Qt::Vertical, grid)),
      horizontal_(new QScrollBar(Qt::Horizontal, grid)),
      request_(std::move(request)) {
  for (QScrollBar* bar : {vertical_, horizontal_}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
  }
  QObject::connect(vertical_, &QScrollBar::actionTriggered, grid,
                   [this](int action) { OnAction(Qt::Vertical, action); });
  QObject::connect(horizontal_, &QScrollBar::actionTriggered, grid,
                   [this](int action) { OnAction(Qt::Horizontal, action); });
}

int CGridScrollBars::Layout(const CGridCellStore& store, CGridView& view, int fullWidth,
                            int fullHeight) {
  QStyle* style = grid_->style();
  const int barWidth = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vertical_);
  const int barHeight = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontal_);
  const ScrollBarLayout layout = LayOutScrollBars(store.VirtualWidth(), store.VirtualHeight(),
                                                  fullWidth, fullHeight, barWidth, barHeight);
  view.SetClientSize(layout.clientWidth, layout.clientHeight);
  vertical_->setGeometry(layout.clientWidth, 0, barWidth, layout.clientHeight);
  horizontal_->setGeometry(0, layout.clientHeight, layout.clientWidth, barHeight);
  vertical_->setVisible(layout.vertical);
  horizontal_->setVisible(layout.horizontal);
  return (layout.vertical ? 1 : 0) | (layout.horizontal ? 2 : 0);
}

void CGridScrollBars::Sync(const CGridCellStore& store, const CGridView& view, int lineHeight,
                           int lineWidth) {
  const QSignalBlocker blockVertical(vertical_), blockHorizontal(horizontal_);
  vertical_->setRange(0, view.MaxScrollY());
  vertical_->setPageStep(std::max(1, view.ClientHeight() - store.FixedRowHeight()));
  vertical_->setSingleStep(std::max(1, lineHeight));
  vertical_->setValue(view.ScrollY());
  horizontal_->setRange(0, view.MaxScrollX());
  horizontal_->setPageStep(std::max(1, view.ClientWidth() - store.FixedColumnWidth()));
  horizontal_->setSingleStep(std::max(1, lineWidth));
  horizontal_->setValue(view.ScrollX());
  position_[0] = view.ScrollX();
  position_[1] = view.ScrollY();
}

bool CGridScrollBars::BothShown() const {
  return vertical_->isVisible() && horizontal_->isVisible();
}

void CGridScrollBars::OnAction(Qt::Orientation orientation, int action) {
  QScrollBar* bar = orientation == Qt::Vertical ? vertical_ : horizontal_;
  int code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      code = SB_LINEDOWN;
      break;
    case QAbstractSlider::SliderSingleStepSub:
      code = SB_LINEUP;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      code = SB_PAGEDOWN;
      break;
    case QAbstractSlider::SliderPageStepSub:
      code = SB_PAGEUP;
      break;
    case QAbstractSlider::SliderToMinimum:
      code = SB_TOP;
      break;
    case QAbstractSlider::SliderToMaximum:
      code = SB_BOTTOM;
      break;
    case QAbstractSlider::SliderMove:
      code = SB_THUMBTRACK;
      break;
    default:
      return;
  }
  request_(orientation, code, bar->sliderPosition());
  // The grid decides where the bar ends up, not the bar's own step.
  bar->setSliderPosition(position_[orientation == Qt::Vertical ? 1 : 0]);
}
