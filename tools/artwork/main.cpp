// quillora_artwork <bitmap-folder> [<data-folder>]
// Renders every window bitmap of Quillora into <bitmap-folder>/<id>.png and,
// given a data folder, the material pictures into its item/ and message/.
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "bitmap_set.h"
#include "materials.h"
#include "windows.h"

int main(int argc, char* argv[]) {
  // Drawing needs fonts but never a screen.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: quillora_artwork <bitmap-folder> [<data-folder>]\n");
    return 2;
  }

  try {
    BitmapSet bitmaps;
    bool fine = true;
    fine &= renderAppIcon(bitmaps);
    fine &= renderNoticeWindows(bitmaps);
    fine &= renderSplashWindow(bitmaps);
    fine &= renderSetupWindows(bitmaps);
    fine &= renderComposeWindow(bitmaps);
    if (!bitmaps.saveAll(QString::fromLocal8Bit(argv[1]))) return 1;
    std::printf("wrote %zu bitmaps to %s\n", bitmaps.all().size(), argv[1]);
    if (argc == 3) fine &= renderMaterials(QString::fromLocal8Bit(argv[2]));
    return fine ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "error: %s\n", error.what());
    return 1;
  }
}
