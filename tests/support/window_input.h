#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QString;
class QWidget;

// Mouse and key input as a real pointer and keyboard deliver it: to the top-level window at window
// coordinates, so that Qt's own routing runs (the child under the pointer, the implicit grab,
// context menus on the press, double clicks from two quick presses).
namespace testenv {

// Where a point of `widget` (its centre by default) lies in its top-level window.
QPoint InWindow(const QWidget* widget, QPoint local);
QPoint InWindow(const QWidget* widget);

void WindowPress(QWidget* window, Qt::MouseButton button, QPoint at);
void WindowRelease(QWidget* window, Qt::MouseButton button, QPoint at);
void WindowMove(QWidget* window, QPoint at);
void WindowClick(QWidget* window, Qt::MouseButton button, QPoint at);
// Press, release, double click, release.
void WindowDoubleClick(QWidget* window, Qt::MouseButton button, QPoint at);
// Press at `from`, one move to `to`, release there.
void WindowDrag(QWidget* window, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton);

// A key typed into the window: it reaches the widget with the keyboard focus.
void WindowKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A left click on the middle of `target`, one of the window's widgets.
void WindowClickOn(QWidget* window, QWidget* target);
// Text committed by an input method (as Japanese is typed) into the widget with the focus.
void WindowCommitText(QWidget* window, const QString& text);

// Clicks the item `text` of the next popup menu that opens, as the pointer would.
void ChooseInNextMenu(const QString& text);

}  // namespace testenv
