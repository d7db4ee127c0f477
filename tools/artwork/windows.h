// One renderer per window family; each adds its bitmaps and returns false
// when its layout check found a problem.
#pragma once

class BitmapSet;

bool renderAppIcon(BitmapSet& bitmaps);
bool renderNoticeWindows(BitmapSet& bitmaps);
bool renderSplashWindow(BitmapSet& bitmaps);
bool renderSetupWindows(BitmapSet& bitmaps);
bool renderComposeWindow(BitmapSet& bitmaps);
