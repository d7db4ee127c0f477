// One renderer per window family; each adds its bitmaps and returns false
// when its layout check found a problem.
#pragma once

class BitmapSet;
class QString;

bool renderAppIcon(BitmapSet& bitmaps);
// The application icon for the desktop, <folder>/quillora_<size>.png at 16 ... 256 pixels.
bool renderDesktopIcons(const QString& folder);
bool renderNoticeWindows(BitmapSet& bitmaps);
bool renderSplashWindow(BitmapSet& bitmaps);
bool renderSetupWindows(BitmapSet& bitmaps);
bool renderComposeWindow(BitmapSet& bitmaps);
bool renderPickerWindows(BitmapSet& bitmaps);
bool renderSettingsWindow(BitmapSet& bitmaps);

// Writes the preview's phone picture, and its twice-size rendering, into the data folder.
bool renderPhoneFrame(const QString& dataFolder);
bool renderSendWindows(BitmapSet& bitmaps);
