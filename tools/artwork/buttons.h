// Bitmap buttons. A window background shows every button idle; the hover and
// pressed images are the same background crop with the other state on top,
// so the corners around a rounded button always match the window.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QString>
#include <functional>

class BitmapSet;
class QPainter;

enum class ButtonState { Idle, Hover, Pressed };

// Coral for the main action, cream for ordinary ones, teal for web pages.
enum class ButtonTone { Cream, Coral, Teal };

// Paints one state of a button into `area` (the button rectangle, at 0,0).
using ButtonPainter = std::function<void(QPainter&, const QRectF& area, ButtonState)>;

// Paints a small icon into `box` in the label colour.
using IconPainter = std::function<void(QPainter&, const QRectF& box, const QColor& color)>;

struct ButtonArt {
  QString name;  // for warnings only
  QRect rect;
  ButtonPainter paint;
  int hoverId = 0;  // 0: no image for this state
  int pressedId = 0;
  bool roundCorners = false;  // corners of the rectangle may lie outside the window
};

// The rounded face of a button; returns the rectangle its content goes in
// (one pixel lower when pressed).
QRectF drawButtonFace(QPainter& painter, const QRectF& area, ButtonTone tone, ButtonState state);

// The label colour that goes with a tone.
QColor buttonInk(ButtonTone tone);

// A button with a bold label and an optional icon before it.
ButtonArt labelButton(const QString& name, const QRect& rect, const QString& label, ButtonTone tone,
                      int hoverId, int pressedId, IconPainter icon = nullptr, int fontPixels = 11);

void paintButton(QImage& target, const ButtonArt& button, ButtonState state);

// Crops `background` at the button and adds its hover and pressed images.
// The background must not show this button yet, and should not be cut to
// its shape yet either: anti-aliased round buttons would blend into the key.
void addStateImages(BitmapSet& bitmaps, const QImage& background, const ButtonArt& button);

// Adds the idle image of a button that the background does not show (one that appears only
// now and then), made the same way.
void addIdleImage(BitmapSet& bitmaps, const QImage& background, const ButtonArt& button, int id);
