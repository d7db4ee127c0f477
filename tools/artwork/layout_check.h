// Checks a finished window so layout mistakes show up when rendering.
#pragma once

#include <QImage>
#include <QList>

#include "buttons.h"

// Warns (and returns false) when a shaped window's bottom-left pixel is not
// the key, when a button reaches outside the shape, or when two overlap.
bool checkWindow(int id, const QImage& background, const QList<ButtonArt>& buttons,
                 bool shaped = true);
