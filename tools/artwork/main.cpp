// quillora_artwork <bitmap-folder> [<data-folder> [<icon-folder>]]
// Renders every window bitmap of Quillora into <bitmap-folder>/<id>.png and, at twice the
// size for scaled screens, <id>@2x.png; given a data folder, the material pictures into its
// item/ and message/ and the preview's phone; given an icon folder, the desktop icons.
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "bitmap_set.h"
#include "materials.h"
#include "render_scale.h"
#include "windows.h"

namespace {

// Every window family at the current render scale.
bool renderWindows(BitmapSet& bitmaps) {
  bool fine = true;
  fine &= renderAppIcon(bitmaps);
  fine &= renderNoticeWindows(bitmaps);
  fine &= renderSplashWindow(bitmaps);
  fine &= renderSetupWindows(bitmaps);
  fine &= renderComposeWindow(bitmaps);
  fine &= renderPickerWindows(bitmaps);
  fine &= renderSettingsWindow(bitmaps);
  fine &= renderSendWindows(bitmaps);
  return fine;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Drawing needs fonts but never a screen.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  if (argc < 2 || argc > 4) {
    std::fprintf(stderr,
                 "usage: quillora_artwork <bitmap-folder> [<data-folder> [<icon-folder>]]\n");
    return 2;
  }

  try {
    bool fine = true;
    const QString bitmapFolder = QString::fromLocal8Bit(argv[1]);
    for (const int scale : {1, 2}) {
      setRenderScale(scale);
      BitmapSet bitmaps;
      fine &= renderWindows(bitmaps);
      const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
      if (!bitmaps.saveAll(bitmapFolder, suffix)) return 1;
      std::printf("wrote %zu bitmaps at scale %d to %s\n", bitmaps.all().size(), scale, argv[1]);
    }
    setRenderScale(1);
    if (argc >= 3) {
      fine &= renderMaterials(QString::fromLocal8Bit(argv[2]));
      fine &= renderPhoneFrame(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 4) fine &= renderDesktopIcons(QString::fromLocal8Bit(argv[3]));
    return fine ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "error: %s\n", error.what());
    return 1;
  }
}
