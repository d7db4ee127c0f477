// Speed of the composition window with a 24-megapixel photo as the main picture:
// loading it, one pan step and one zoom step (redisplay, tone and repaint of the canvas).
#include <cstddef>
#include <cstdio>
// libjpeg's header uses size_t and FILE without including their headers.
#include <jpeglib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/lead.h"
#include "compose/tone_knob.h"
#include "skin/skin_button.h"
#include "support/bench_timing.h"

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

// The reference: libjpeg-turbo with its defaults decoding the whole file at full size, from
// memory into a buffer that stays allocated between runs.
double DecodeMs(const QString& path) {
  static std::vector<unsigned char> pixels;
  QElapsedTimer timer;
  timer.start();
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  const QByteArray bytes = file.readAll();
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  const std::size_t stride = static_cast<std::size_t>(info.output_width) * 4;
  pixels.resize(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
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
  window.show();
  // Painting reaches the window only once it is exposed.
  QElapsedTimer exposing;
  exposing.start();
  while ((!window.windowHandle() || !window.windowHandle()->isExposed()) &&
         exposing.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  CComposeCanvas& canvas = window.Canvas();

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
