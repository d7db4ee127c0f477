#include "window_input.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace testenv {
namespace {

QWindow* Handle(QWidget* window) {
  QWidget* top = window->window();
  if (!top->windowHandle()) top->winId();  // creates the native window
  return top->windowHandle();
}

}  // namespace

QPoint InWindow(const QWidget* widget, QPoint local) {
  return widget->mapTo(widget->window(), local);
}

QPoint InWindow(const QWidget* widget) { return InWindow(widget, widget->rect().center()); }

void WindowPress(QWidget* window, Qt::MouseButton button, QPoint at) {
  QTest::mousePress(Handle(window), button, {}, at);
}

void WindowRelease(QWidget* window, Qt::MouseButton button, QPoint at) {
  QTest::mouseRelease(Handle(window), button, {}, at);
}

void WindowMove(QWidget* window, QPoint at) { QTest::mouseMove(Handle(window), at); }

void WindowClick(QWidget* window, Qt::MouseButton button, QPoint at) {
  QTest::mouseClick(Handle(window), button, {}, at);
}

void WindowDoubleClick(QWidget* window, Qt::MouseButton button, QPoint at) {
  QTest::mouseDClick(Handle(window), button, {}, at);
}

void WindowDrag(QWidget* window, QPoint from, QPoint to, Qt::MouseButton button) {
  WindowMove(window, from);
  WindowPress(window, button, from);
  WindowMove(window, to);
  WindowRelease(window, button, to);
}

void WindowKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(Handle(window), key, modifiers);
}

void ChooseInNextMenu(const QString& text) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, text] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu || !menu->isVisible()) return;
    timer->deleteLater();
    timer->stop();
    for (QAction* action : menu->actions()) {
      if (action->text() != text) continue;
      QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {},
                        menu->actionGeometry(action).center());
      return;
    }
    ADD_FAILURE() << "no menu item " << text.toStdString();
    menu->close();
  });
  timer->start(10);
}

void WindowClickOn(QWidget* window, QWidget* target) {
  WindowClick(window, Qt::LeftButton, InWindow(target));
}

void WindowCommitText(QWidget* window, const QString& text) {
  QInputMethodEvent event;
  event.setCommitString(text);
  QApplication::sendEvent(window->window()->focusWidget(), &event);
}

}  // namespace testenv
