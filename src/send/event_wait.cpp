#include "event_wait.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>
#include <atomic>
#include <exception>
#include <thread>

void RunOffThread(const std::function<void()>& work) {
  QEventLoop loop;
  std::atomic<bool> done = false;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    done = true;
    // Posted, so it also ends the loop when it arrives before the loop has started.
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  if (!done) loop.exec();
  // Should the loop end early (the application quitting), the work still ends first.
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

void WaitFor(std::chrono::milliseconds duration) {
  QEventLoop loop;
  QTimer::singleShot(duration, &loop, &QEventLoop::quit);
  loop.exec();
}
