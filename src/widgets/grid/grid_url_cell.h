#pragma once

#include <QUrl>
#include <functional>
#include <optional>

#include "widgets/grid/grid_cell.h"

// The address a link cell opens for its text: http, https, mailto or ftp only. A text without
// a scheme gets "http://" in front; other schemes (file:, javascript:, a drive letter ...) and
// addresses without a host give none.
std::optional<QUrl> LinkUrlFromText(const QString& text);

// A cell that shows its text as a link (blue), is not edited in place, opens its address on a
// click and shows the hand cursor.
class CGridURLCell : public CGridCell {
 public:
  using UrlOpener = std::function<bool(const QUrl&)>;

  bool Edit(int row, int col, const Rect& rect, QPoint point, int id, unsigned key) override;
  void OnClick(QPoint pointInCell) override;
  QCursor OnSetCursor() const override { return QCursor(Qt::PointingHandCursor); }

  // Replaces the opener (the desktop's default handler); an empty function restores it.
  static void SetUrlOpener(UrlOpener opener);

 protected:
  ColorRef DefaultTextColor(const GridDrawContext&) const override {
    return MakeColorRef(0, 0, 255);
  }
};
