#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

// Shows a window and waits (at most five seconds) until it is exposed: painting reaches a
// window only then.
inline void ShowExposed(QWidget& window) {
  window.show();
  QElapsedTimer exposing;
  exposing.start();
  while ((!window.windowHandle() || !window.windowHandle()->isExposed()) &&
         exposing.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
}
