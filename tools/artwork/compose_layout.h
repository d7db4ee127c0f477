// Where things sit in the composition window (400 x 566), in client pixels.
// The program places its own widgets and bitmaps at these spots too.
#pragma once

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QRect>
#include <QRectF>
#include <QString>

#include "buttons.h"

class QImage;
class QPainter;

namespace compose {

inline const QSize kSize(400, 566);
inline const QRectF kBody(2, 8, 396, 556);
inline const qreal kBodyRadius = 20;
inline const qreal kBandBottom = 100;

// The round phone-preview badge pokes out of the top-left corner.
inline const QRect kPreviewBadge(0, 0, 40, 40);

// The program shows the picture here; it stays white.
inline const QRect kCanvas(51, 143, 96, 91);
inline const QRectF kPhoneShell(40, 134, 118, 144);

// Tone slider: the knob (bitmap 146) rests at kKnobHome and slides 60 px each way.
inline const QRect kKnobHome(86, 295, 16, 24);
inline const QRectF kToneTray(8, 285, 174, 43);
inline const qreal kTrackLeft = 26;
inline const qreal kTrackRight = 162;
inline const qreal kTrackY = 307;

// Right-hand panel under the tabs, and its thumbnail cells. The program puts
// a combo box at (219, 142), 128 x 16, on the panel; nothing is drawn there.
inline const QRectF kPanel(186, 138, 198, 380);
inline const int kCellCount = 10;
inline QRect thumbnailCell(int i) { return QRect(207 + 85 * (i % 2), 171 + 69 * (i / 2), 70, 54); }

enum class Tab { Picture, Message, Character };

struct TabLook {
  Tab tab;
  QString name;
  QString label;
  QRect rect;
  QColor color;  // the tab itself
  QColor deep;   // its label
  QColor pale;   // the panel when it is active
  int backgroundId;
  int hoverId;
};

const QList<TabLook>& tabs();

// compose_frame.cpp
QPainterPath windowOutline();
void paintFrame(QPainter& painter);
void paintLeftSide(QPainter& painter);

// compose_tabs.cpp
void paintTabPanel(QPainter& painter, const TabLook& active);
ButtonArt tabButton(const TabLook& look);
void paintActiveTab(QImage& target, const TabLook& look);

// compose_buttons.cpp
ButtonArt previewBadge();
ButtonArt openPictureButton();
QList<ButtonArt> sideButtons();
QImage knobImage(const QImage& background);

}  // namespace compose
