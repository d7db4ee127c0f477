// 169 / 161 / 160: the composition window with the picture, character or
// message tab open, plus every button image, tab hover and the tone knob.
#include <QPainter>

#include "bitmap_set.h"
#include "compose_layout.h"
#include "layout_check.h"
#include "shaped_window.h"
#include "windows.h"

namespace {

using namespace compose;

// The window with the given tab's page, before any button or tab is drawn.
QImage paintBase(const TabLook& active) {
  QImage image = newWindowCanvas(kSize);
  QPainter painter(&image);
  paintFrame(painter);
  paintLeftSide(painter);
  paintTabPanel(painter, active);
  return image;
}

}  // namespace

bool renderComposeWindow(BitmapSet& bitmaps) {
  const QList<ButtonArt> side = sideButtons();
  const ButtonArt open = openPictureButton();
  bool fine = true;

  for (const TabLook& active : tabs()) {
    const QImage base = paintBase(active);
    QList<ButtonArt> buttons = side;
    if (active.tab == Tab::Picture) {
      // Every state image comes from the picture page; the left side and the
      // tab strip are the same on all three pages.
      buttons.append(open);
      for (const ButtonArt& button : buttons) addStateImages(bitmaps, base, button);
      for (const TabLook& look : tabs()) addStateImages(bitmaps, base, tabButton(look));
      bitmaps.add(146, knobImage(base));
    }

    QImage background = base;
    for (const ButtonArt& button : buttons) paintButton(background, button, ButtonState::Idle);
    for (const TabLook& look : tabs()) {
      if (look.tab == active.tab)
        paintActiveTab(background, look);
      else
        paintButton(background, tabButton(look), ButtonState::Idle);
      buttons.append(tabButton(look));
    }
    cutToShape(background, windowOutline());
    bitmaps.add(active.backgroundId, background);
    fine &= checkWindow(active.backgroundId, background, buttons);
  }
  return fine;
}
