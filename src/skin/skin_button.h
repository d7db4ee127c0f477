#pragma once

#include <QAbstractButton>
#include <QImage>

#include "skin/focus_mark.h"

// What a bitmap button shows, as a function of its state.
struct SkinButtonLook {
  bool down = false;     // the left button is held down on it
  bool hovered = false;  // the cursor is over it
};
// The image to draw for a state, or nullptr to draw nothing: pressed while held down, the hover
// image while the cursor is over it, else the idle piece of background (or, lacking one, the
// hover image).
const QImage* ChooseButtonImage(const SkinButtonLook& look, const QImage& normal,
                                const QImage& hover, const QImage& pressed);

// A push button drawn entirely from bitmaps: an idle image (normally the piece of the dialog
// background under it), a hover image and a pressed image.
class CSkinButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit CSkinButton(QWidget* parent = nullptr, int controlId = 0);

  int ControlId() const { return controlId_; }

  // Loads the hover image and the idle image from bitmap resources; an id of 0 leaves that image.
  void LoadButtonImages(int hoverId, int normalId = 0);
  void SetPressedImage(int id);
  void SetHoverImage(const QImage& image);
  void SetPressedImage(const QImage& image);
  // Resizes the button to its hover image (or its pressed image when it has no hover image).
  void FitToImage();
  // Makes the idle image the piece of `background` under `rect` (dialog client coordinates,
  // logical pixels of a twice-size background), white where the rectangle leaves the background.
  void CutNormalImage(const QImage& background, const QRect& rect);

  const QImage& NormalImage() const { return normal_; }
  const QImage& HoverImage() const { return hover_; }
  const QImage& PressedImage() const { return pressed_; }
  bool IsHoverDrawn() const { return hovered_; }
  bool IsFocusMarkDrawn() const { return focusMark_.Shown(this); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int controlId_;
  QImage normal_;
  QImage hover_;
  QImage pressed_;
  bool hovered_ = false;
  FocusMarkState focusMark_;
};
