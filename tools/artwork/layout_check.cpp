#include "layout_check.h"

#include <cstdio>

#include "render_scale.h"
#include "shaped_window.h"

namespace {

bool insideShape(const QImage& background, const ButtonArt& button) {
  const QRect rect = button.rect;
  if (!QRect(QPoint(), logicalSize(background)).contains(rect)) return false;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (button.roundCorners) {
        // Only the inscribed ellipse of a round button has to be on the window.
        const double dx = (x + 0.5 - rect.left() - rect.width() / 2.0) / (rect.width() / 2.0);
        const double dy = (y + 0.5 - rect.top() - rect.height() / 2.0) / (rect.height() / 2.0);
        if (dx * dx + dy * dy > 1.0) continue;
      }
      if (isKeyPixel(background, x, y)) return false;
    }
  }
  return true;
}

}  // namespace

bool checkWindow(int id, const QImage& background, const QList<ButtonArt>& buttons, bool shaped) {
  bool fine = true;
  const auto complain = [&](const QString& message) {
    std::fprintf(stderr, "warning: %d: %s\n", id, qPrintable(message));
    fine = false;
  };
  if (shaped && !isKeyPixel(background, 0, logicalSize(background).height() - 1))
    complain(QStringLiteral("bottom-left pixel is not the key colour"));
  for (qsizetype i = 0; i < buttons.size(); ++i) {
    if (shaped && !insideShape(background, buttons[i]))
      complain(buttons[i].name + QStringLiteral(" reaches outside the window"));
    for (qsizetype j = i + 1; j < buttons.size(); ++j) {
      if (buttons[i].rect.intersects(buttons[j].rect))
        complain(buttons[i].name + QStringLiteral(" overlaps ") + buttons[j].name);
    }
  }
  return fine;
}
