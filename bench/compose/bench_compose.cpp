// The composition window with a 24-megapixel photo as the main picture: how faithfully the
// canvas shows it (against the exact mean of the picture area under each canvas pixel), and the
// speed of loading it, one pan step and one zoom step (redisplay, tone and repaint).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/lead.h"
#include "compose/tone_knob.h"
#include "skin/skin_button.h"
#include "support/bench_timing.h"
#include "support/bench_window.h"
#include "support/test_photos.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// A photo-like test picture: smooth gradients with fine texture, so it compresses like one.
QImage MakePhoto() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  std::uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int n = static_cast<int>((noise >> 16) & 15);
      line[x] = qRgb((x / 24 + n) & 0xFF, (y / 16 + n) & 0xFF, ((x + y) / 40 + n) & 0xFF);
    }
  }
  return image;
}

// The reference: libjpeg-turbo with its defaults decoding the whole file at full size.
double DecodeMs(const QString& path) {
  return Milliseconds([&path] { DecodeJpegFully(path); });
}

// A detailed photo: a small one enlarged smoothly, with fine texture laid over it (grain and a
// pattern a few pixels wide) that sampling single pixels turns into noise and moire.
QImage MakeDetailedPhoto(const QString& small) {
  QImage image = QImage(small).convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) image = MakePhoto().scaled(96, 64);
  image = image.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  std::mt19937 random(7);
  for (int y = 0; y < kHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      const int texture =
          static_cast<int>(24 * std::sin(x * 1.9 + y * 0.7)) + static_cast<int>(random() % 33) - 16;
      auto add = [texture](int v) { return std::clamp(v + texture, 0, 255); };
      line[x] = qRgb(add(qRed(line[x])), add(qGreen(line[x])), add(qBlue(line[x])));
    }
  }
  return image;
}

// The exact mean of the picture area under each pixel of `dest`, every picture pixel weighted by
// how much of it the canvas pixel covers.
QImage ExactAreaMeans(const QImage& picture, const QRectF& source, const QSize& dest) {
  QImage out(dest, QImage::Format_RGB32);
  const double sx = source.width() / dest.width(), sy = source.height() / dest.height();
  for (int y = 0; y < dest.height(); ++y) {
    const double y0 = std::max(0.0, source.top() + y * sy);
    const double y1 = std::min<double>(picture.height(), source.top() + (y + 1) * sy);
    for (int x = 0; x < dest.width(); ++x) {
      const double x0 = std::max(0.0, source.left() + x * sx);
      const double x1 = std::min<double>(picture.width(), source.left() + (x + 1) * sx);
      double sum[3] = {}, total = 0;
      for (int py = static_cast<int>(y0); py < y1; ++py) {
        const double wy = std::min<double>(y1, py + 1) - std::max<double>(y0, py);
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(py));
        for (int px = static_cast<int>(x0); px < x1; ++px) {
          const double w = wy * (std::min<double>(x1, px + 1) - std::max<double>(x0, px));
          sum[0] += w * qRed(line[px]);
          sum[1] += w * qGreen(line[px]);
          sum[2] += w * qBlue(line[px]);
          total += w;
        }
      }
      out.setPixel(x, y,
                   qRgb(static_cast<int>(std::lround(sum[0] / total)),
                        static_cast<int>(std::lround(sum[1] / total)),
                        static_cast<int>(std::lround(sum[2] / total))));
    }
  }
  return out;
}

// The canvas as drawn before area means: the picture pixel under each canvas pixel's centre.
QImage NearestNeighbour(const QImage& picture, const QRectF& source, const QSize& dest) {
  QImage out(dest, QImage::Format_RGB32);
  for (int y = 0; y < dest.height(); ++y)
    for (int x = 0; x < dest.width(); ++x) {
      const double px = source.left() + (x + 0.5) * source.width() / dest.width();
      const double py = source.top() + (y + 0.5) * source.height() / dest.height();
      out.setPixel(x, y, picture.pixel(static_cast<int>(px), static_cast<int>(py)));
    }
  return out;
}

double Psnr(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::pow(qRed(p) - qRed(q), 2) + std::pow(qGreen(p) - qGreen(q), 2) +
             std::pow(qBlue(p) - qBlue(q), 2);
    }
  const double mse = sum / (3.0 * a.width() * a.height());
  return mse <= 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QTemporaryDir folder;
  qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
  const QString photo = folder.path() + "/photo.jpg";
  MakePhoto().save(photo, "JPG", 90);

  CSettingsStore store;
  CComposeDlg window(store);
  ShowExposed(window);
  CComposeCanvas& canvas = window.Canvas();

  // Fidelity of the canvas right after loading a detailed photo.
  const QString detailed = folder.path() + "/detailed.jpg";
  MakeDetailedPhoto(QUILLORA_PHOTOS_DIR "/kodim08.png").save(detailed, "JPG", 95);
  if (!canvas.LoadMainPicture(detailed)) {
    std::fprintf(stderr, "the detailed photo did not load\n");
    return 1;
  }
  const QImage master = canvas.Master()->Bitmap();
  const QRectF source = canvas.Canvas()->SourceRect();
  const QSize shown = canvas.Canvas()->size();
  const QImage reference = ExactAreaMeans(master, source, shown);
  const QImage face = canvas.Canvas()->RenderFace().convertToFormat(QImage::Format_RGB32);
  std::printf("BENCH canvas_psnr_24mp %.2f dB anchor=%.2f target=40\n", Psnr(face, reference),
              Psnr(NearestNeighbour(master, source, shown), reference));

  std::vector<double> decode, load;
  for (int run = 0; run < 5; ++run) {
    decode.push_back(DecodeMs(photo));
    QElapsedTimer timer;
    timer.start();
    canvas.LoadMainPicture(photo);
    canvas.Canvas()->repaint();
    load.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }

  if (!canvas.HasPicture()) {
    std::fprintf(stderr, "the photo did not load\n");
    return 1;
  }
  const float zoomBefore = canvas.ZoomPercent();

  // Zoomed in a little and toned, as a user would have it while panning.
  for (int i = 0; i < 4; ++i) window.Button(CComposeDlg::kZoomInButton)->click();
  QWidget* knob = canvas.Knob();
  SendMouse(knob, QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton);
  SendMouse(knob, QEvent::MouseMove, {24, 4}, Qt::LeftButton);
  SendMouse(knob, QEvent::MouseButtonRelease, {24, 4}, Qt::NoButton);
  CLead* view = canvas.Canvas();
  SendMouse(view, QEvent::MouseButtonPress, {48, 45}, Qt::LeftButton);
  std::vector<double> pan;
  for (int step = 0; step < 200; ++step) {
    const QPoint at(48 + (step % 20 < 10 ? step % 10 : 10 - step % 10), 45);
    QElapsedTimer timer;
    timer.start();
    SendMouse(view, QEvent::MouseMove, at, Qt::LeftButton);
    view->repaint();
    pan.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  SendMouse(view, QEvent::MouseButtonRelease, {48, 45}, Qt::NoButton);

  std::vector<double> zoom;
  for (int step = 0; step < 200; ++step) {
    const int id = step % 2 == 0 ? CComposeDlg::kZoomInButton : CComposeDlg::kZoomOutButton;
    QElapsedTimer timer;
    timer.start();
    window.Button(id)->click();
    view->repaint();
    zoom.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }

  if (canvas.ZoomPercent() == zoomBefore || canvas.AdjustAmount() == 0) {
    std::fprintf(stderr, "zooming or toning had no effect\n");
    return 1;
  }
  const double anchor = Median(decode);
  std::printf("BENCH load_main_24mp %.1f ms anchor=%.1f target=%.1f\n", Median(load), anchor,
              1.3 * anchor);
  std::printf("BENCH pan_step_24mp %.3f ms anchor=none target=8\n", Median(pan));
  std::printf("BENCH zoom_step_24mp %.3f ms anchor=none target=8\n", Median(zoom));
  return 0;
}
