// Quality and speed of the export to phone formats. Every photo of a folder (the photos96 set by
// default, or the folder given as the first argument) becomes the main picture of the
// composition window as a loaded picture would; the real export writes its nine files and
// chooses the attachment, and the attached GIF is compared with the captured canvas: PSNR over
// red, green and blue together. Then the time of one export with a 24-megapixel main picture.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <set>
#include <vector>

#include "app/settings_store.h"
#include "app/temp_folder.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/phone_export.h"
#include "imaging/full_color_image.h"
#include "imaging/image_impl_gif.h"
#include "platform/program_folder.h"
#include "send/attachment_path.h"
#include "support/bench_timing.h"
#include "support/bench_window.h"
#include "support/test_photos.h"

namespace {

constexpr int kPasses = 3;

double Psnr(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 0;
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const double dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q), db = qBlue(p) - qBlue(q);
      sum += dr * dr + dg * dg + db * db;
    }
  const double mse = sum / (3.0 * a.width() * a.height());
  return mse <= 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

// How many of its table's colours a GIF uses.
int ColorsUsed(const QString& gif) {
  CImageImplGif image;
  if (!image.LoadFromFile(gif)) return 0;
  std::set<int> used;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) used.insert(image.PixelIndexAt(x, y));
  return static_cast<int>(used.size());
}

// The PNG writer reports every palette on standard output; the figures must stay readable.
class QuietStdout {
 public:
  QuietStdout() {
    std::fflush(stdout);
    saved_ = dup(1);
    std::freopen("/dev/null", "w", stdout);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    dup2(saved_, 1);
    close(saved_);
  }

 private:
  int saved_;
};

// The tenth percentile, interpolated between ranks.
double Percentile10(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const double rank = 0.1 * static_cast<double>(values.size() - 1);
  const auto low = static_cast<std::size_t>(rank);
  const std::size_t high = std::min(low + 1, values.size() - 1);
  return values[low] + (rank - static_cast<double>(low)) * (values[high] - values[low]);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QUILLORA_PHOTOS_DIR;
  QTemporaryDir scratch;
  qputenv("XDG_CONFIG_HOME", scratch.path().toUtf8());
  SetProgramFolder(scratch.path());

  CSettingsStore store;
  CComposeDlg window(store);
  ShowExposed(window);
  CComposeCanvas& canvas = window.Canvas();

  QStringList photos;
  for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
    if (ReadImageFileSize(info.filePath()).isValid()) photos << info.filePath();

  std::vector<double> psnrs, times;
  std::printf("%-16s %-9s %6s %6s %7s\n", "photo", "attached", "colors", "bytes", "psnr");
  for (int pass = 0; pass < kPasses; ++pass) {
    for (int n = 0; n < photos.size(); ++n) {
      if (!canvas.LoadMainPicture(photos[n])) continue;
      const QImage capture = canvas.CaptureImage();
      const QString base = TempFolder() + QStringLiteral("/photo%1").arg(n);
      {
        QuietStdout quiet;
        times.push_back(Milliseconds([&] { ExportPhoneFormats(canvas, base); }));
      }
      if (pass > 0) continue;  // the files come out the same each pass
      const QString attached = AttachmentPath();
      const double psnr = Psnr(capture, LoadFullColorImage(attached));
      psnrs.push_back(psnr);
      std::printf("%-16s %-9s %6d %6lld %7.2f\n", qPrintable(QFileInfo(photos[n]).fileName()),
                  qPrintable(QFileInfo(attached).fileName().section('_', 1)), ColorsUsed(attached),
                  static_cast<long long>(QFileInfo(attached).size()), psnr);
    }
  }
  if (psnrs.empty()) {
    std::fprintf(stderr, "no photos in %s\n", qPrintable(folder));
    return 1;
  }
  std::printf("BENCH export_attached_psnr_median %.2f dB anchor=39.40 target=41.0\n",
              Median(psnrs));
  std::printf("BENCH export_attached_psnr_p10 %.2f dB anchor=36.87 target=37.5\n",
              Percentile10(psnrs));
  std::printf("BENCH export_ms %.1f ms anchor=none target=20\n", Median(times));

  // A camera's photo as the main picture: what one export costs besides the small picture.
  const QString large = scratch.path() + QStringLiteral("/large.jpg");
  MakeLargePhoto(photos[0], 6000, 4000, 23).save(large, "JPG", 90);
  if (!canvas.LoadMainPicture(large)) {
    std::fprintf(stderr, "the 24-megapixel photo cannot be loaded\n");
    return 1;
  }
  std::vector<double> largeTimes;
  for (int run = 0; run < 7; ++run) {
    const QString base = TempFolder() + QStringLiteral("/large%1").arg(run);
    QuietStdout quiet;
    largeTimes.push_back(Milliseconds([&] { ExportPhoneFormats(canvas, base); }));
  }
  std::printf("BENCH export_ms_24mp_main %.1f ms anchor=none target=30\n", Median(largeTimes));
  return 0;
}
