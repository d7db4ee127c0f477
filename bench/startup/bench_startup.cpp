// Start-up with ten recent 24-megapixel photos: from creating the composition window to its
// ten picture thumbnails shown, against ten full decodes of the same files; and the memory the
// thumbnails keep. The first figure is a start with no thumbnails kept from an earlier run (the
// cache emptied before each run), the second a start after a run that showed the same photos.
// Then how long the same cold start takes until the window is on screen, against a start with
// no recent pictures.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "app/settings_store.h"
#include "compose/compose_dlg.h"
#include "compose/lead.h"
#include "support/bench_timing.h"
#include "support/bench_window.h"
#include "support/test_photos.h"

namespace {

constexpr int kPhotos = 10;

QString RecentValue(int slot) {
  return QStringLiteral("LeadMain%1").arg(slot, 2, 10, QLatin1Char('0'));
}

void WriteRecent(CSettingsStore& store, const QStringList& photos) {
  for (int i = 0; i < kPhotos; ++i) store.WriteValue(RecentValue(i), photos.value(i));
}

// Milliseconds from creating the window until it is exposed.
double StartToWindow(CSettingsStore& store) {
  QElapsedTimer timer;
  timer.start();
  CComposeDlg window(store);
  ShowExposed(window);
  const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  window.hide();
  return ms;
}

bool AllThumbnailsShown(const CComposeDlg& window) {
  for (int slot = 0; slot < kPhotos; ++slot) {
    const CLead* thumbnail = window.Materials().Thumbnail(CMaterialPanel::kPictureTab, slot);
    if (!thumbnail->isVisible() || !thumbnail->HasBitmap()) return false;
  }
  return true;
}

double ThumbnailMiB(const CComposeDlg& window) {
  double bytes = 0;
  for (int slot = 0; slot < kPhotos; ++slot) {
    const CLead* thumbnail = window.Materials().Thumbnail(CMaterialPanel::kPictureTab, slot);
    bytes += 4.0 * thumbnail->BitmapWidth() * thumbnail->BitmapHeight();
  }
  return bytes / (1024 * 1024);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QTemporaryDir folder;
  qputenv("XDG_CONFIG_HOME", (folder.path() + "/config").toUtf8());
  qputenv("XDG_CACHE_HOME", (folder.path() + "/cache").toUtf8());
  const QStringList smallPhotos = QDir(QStringLiteral(QUILLORA_PHOTOS96)).entryList({"*.png"});
  if (smallPhotos.size() < kPhotos) {
    std::fprintf(stderr, "the test photos are missing\n");
    return 1;
  }
  QStringList photos;
  for (int i = 0; i < kPhotos; ++i) {
    const QString path = folder.path() + QStringLiteral("/photo%1.jpg").arg(i);
    MakeLargePhoto(QStringLiteral(QUILLORA_PHOTOS96) + "/" + smallPhotos[i], 6000, 4000, 17 + i)
        .save(path, "JPG", 90);
    photos << path;
  }

  CSettingsStore store;
  store.OpenSettingsKey(RegistryAccess::Full);
  store.WriteFirstRunMark();

  std::vector<double> decodes, coldStarts, warmStarts, coldWindows, emptyWindows;
  double mib = 0;
  for (int run = 0; run < 6; ++run) {
    const bool cold = run % 2 == 0;
    if (cold) QDir(folder.path() + "/cache").removeRecursively();
    decodes.push_back(Milliseconds([&] {
      for (const QString& photo : photos) DecodeJpegFully(photo);
    }));
    WriteRecent(store, {});
    emptyWindows.push_back(StartToWindow(store));
    WriteRecent(store, photos);
    QElapsedTimer timer;
    timer.start();
    CComposeDlg window(store);
    ShowExposed(window);
    if (cold) coldWindows.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    // Waiting as the program's own loop waits, without taking a core from the decoding.
    while (!AllThumbnailsShown(window) && timer.elapsed() < 20000)
      QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (!AllThumbnailsShown(window)) {
      std::fprintf(stderr, "the thumbnails are not all shown\n");
      return 1;
    }
    (cold ? coldStarts : warmStarts).push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    mib = ThumbnailMiB(window);
    window.hide();
  }
  const double anchor = Median(decodes);
  std::printf("BENCH startup_10_recent_24mp %.1f ms anchor=%.1f target=%.1f\n", Median(coldStarts),
              anchor, 0.25 * anchor);
  std::printf("BENCH startup_10_recent_24mp_warm %.1f ms anchor=%.1f target=%.1f\n",
              Median(warmStarts), anchor, 0.25 * anchor);
  std::printf("BENCH thumbnails_10_24mp_mib %.3f MiB anchor=none target=8\n", mib);
  const double emptyStart = Median(emptyWindows);
  std::printf("BENCH startup_to_window_10_recent_24mp %.1f ms anchor=%.1f target=%.1f\n",
              Median(coldWindows), emptyStart, 1.25 * emptyStart);
  return 0;
}
