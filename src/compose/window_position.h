#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

// The saved window position "x,y" when it is usable on a screen of the given size: both
// numbers present, positive, and below the screen's width and height.
std::optional<QPoint> ParseWindowPosition(const QString& text, QSize screen);
QString FormatWindowPosition(QPoint topLeft);

// Whether windows may place themselves and learn where they are. Under Wayland neither holds:
// the compositor places every window, and a window's position reads 0,0.
bool WindowPositionsAreKnown();
