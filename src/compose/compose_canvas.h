#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>

#include "compose/canvas_view.h"
#include "imaging/packed_dib.h"

class CLead;
class CToneKnob;
class QWidget;

// The picture being composed: the canvas control showing the main picture (held at full size
// by a hidden master control) with zoom, pan and tone, and the character and message windows
// lying over it. Its controls are children of the composition window.
class CComposeCanvas : public QObject {
  Q_OBJECT

 public:
  static constexpr int kCharacterWindows = 5;
  // The canvas in the window's client coordinates.
  static const QRect kCanvasRect;

  explicit CComposeCanvas(QWidget* window);

  // Loads a picture as the main picture, covering the canvas; false when it cannot be read.
  bool LoadMainPicture(const QString& file);
  bool HasPicture() const;
  // Redisplays the main picture at the current zoom and offsets.
  void ShowPicture();
  void ZoomIn();
  void ZoomOut();
  // Back to the view of a freshly loaded picture, tone at zero.
  void Reset();
  // Removes the overlays and the main picture.
  void Clear();

  // Places a file into the next character window (the sixth replaces the first) or the
  // message window, fitted into 94 x 89 and centred on the canvas; false when it cannot be
  // read.
  bool PlaceCharacter(const QString& file);
  bool PlaceMessage(const QString& file);
  int NextCharacterSlot() const { return nextCharacterSlot_; }

  // What the canvas shows, overlays included, as a 96 x 91 image and as a packed bitmap.
  QImage CaptureImage() const;
  PackedDibPtr CaptureCanvas() const;

  float ZoomPercent() const { return view_.zoomPercent; }
  float OffsetX() const { return view_.offsetX; }
  float OffsetY() const { return view_.offsetY; }
  int AdjustAmount() const { return adjustAmount_; }
  const QString& MainPicturePath() const { return mainPicturePath_; }
  const QString& CharacterPath() const { return characterPath_; }
  const QString& MessagePath() const { return messagePath_; }

  CLead* Canvas() const { return canvas_; }
  CLead* Master() const { return master_; }
  CLead* CharacterWindow(int slot) const { return characters_[slot]; }
  CLead* MessageWindow() const { return message_; }
  CLead* CurrentOverlay() const { return currentOverlay_; }
  CToneKnob* Knob() const { return knob_; }

 private:
  void SetUpOverlay(CLead* overlay);
  bool PlaceOverlay(CLead* overlay, const QString& file);
  void ApplyTone();
  void FillCanvasWhite();
  void NameCanvas();
  void OnKnobReleased(int offset);
  void OnCanvasMouseDown(int button, float x, float y);
  void OnCanvasMouseMove(float x, float y);
  void OnCanvasMouseUp();
  void OnOverlayMouseDown(CLead* overlay, int button, float x, float y);
  void OnOverlayMouseMove(CLead* overlay, float x, float y);
  void OnOverlayMouseUp(CLead* overlay, int button);
  void OnOverlayKeyDown(int keyCode);

  QWidget* window_;
  CLead* canvas_;
  CLead* master_;
  std::array<CLead*, kCharacterWindows> characters_{};
  CLead* message_;
  CToneKnob* knob_;
  CLead* currentOverlay_ = nullptr;
  int nextCharacterSlot_ = 0;

  canvas::View view_;
  int adjustAmount_ = 0;
  QString mainPicturePath_;
  QString characterPath_;
  QString messagePath_;

  bool panning_ = false;
  QPoint panLast_;
  bool dragging_ = false;
  QPoint dragStart_;
};
