#pragma once

#include <QMimeData>
#include <functional>

class CGridCtrl;

// Drags a grid's selected text: tells the owner (begin drag), runs the drag with copy and move
// effects, and cuts the selection when the text was moved.
class CGridDragSource {
 public:
  using Runner =
      std::function<Qt::DropAction(CGridCtrl* source, QMimeData* data, Qt::DropActions actions)>;

  // False when nothing is selected.
  static bool Run(CGridCtrl& grid);
  // Replaces the window system's drag (an empty function restores it).
  static void SetRunner(Runner runner);
};
