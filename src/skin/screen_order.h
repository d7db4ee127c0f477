#pragma once

#include <QList>
#include <QRect>
#include <vector>

class QWidget;

// The order in which a reader's eye meets rectangles: top to bottom, and left to right among
// those whose tops lie within a few pixels of each other (one row). Returns indices.
std::vector<int> ReadingOrder(const std::vector<QRect>& rects);

// The widgets of `window` that Tab reaches (direct children taking the focus by Tab).
QList<QWidget*> TabStops(const QWidget* window);

// Chains the widgets for Tab in the order given.
void ChainTabOrder(const QList<QWidget*>& widgets);

// The widgets in reading order of their positions.
QList<QWidget*> InReadingOrder(const QList<QWidget*>& widgets);
void ChainInReadingOrder(const QList<QWidget*>& widgets);
