#pragma once

#include <QString>

// The text drawn on a bitmap button, keyed by the button's hover bitmap: what a screen reader
// says for it. Empty for a bitmap that is no button.
QString ButtonName(int hoverBitmapId);
