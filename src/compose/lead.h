#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>
#include <memory>

#include "compose/tone.h"
#include "skin/focus_mark.h"
#include "platform/color_ref.h"

class PicturePyramid;

// The imaging control: a widget that holds one full-colour picture and shows it scaled, with
// a tone adjustment and a transparent key colour, and reports mouse and key events in control
// pixels. Copies of a picture share its pixels, and its reduced copies, until one changes.
//
// A picture is shown as a good viewer shows it: each screen pixel is the mean of the picture
// area it covers, smaller or larger (see PicturePyramid). Controls with a transparent key colour
// show the picture pixel under each screen pixel's centre instead, so that the key colour stays
// exact and no mean mixes it into the picture.
class CLead : public QWidget {
  Q_OBJECT

 public:
  // Mouse pointer shapes.
  static constexpr int kPointerDefault = 0;
  static constexpr int kPointerSizeAll = 15;

  explicit CLead(QWidget* parent = nullptr, int controlId = 0);

  int ControlId() const { return controlId_; }

  // The held picture.
  bool HasBitmap() const { return !bitmap_.isNull() || solid_; }
  void SetBitmap(const QImage& image);
  // The held picture with its tone, sharing the pixels: a control used for other work gets it
  // back without reading a file again.
  struct HeldPicture {
    QImage bitmap;
    std::shared_ptr<const PicturePyramid> pyramid;
    bool solid = false;
    QSize solidSize;
    QRgb solidColor = 0;
    ToneCurve tone = IdentityTone();
    bool toned = false;
  };
  HeldPicture Held() const;
  void Restore(const HeldPicture& held);
  // Takes the other control's picture (and its tone), as assigning its bitmap property does.
  void CopyBitmapFrom(const CLead& other) { Restore(other.Held()); }
  void ClearBitmap();
  // The picture as shown, tone included, as a 32-bit image.
  QImage Bitmap() const;
  float BitmapWidth() const { return static_cast<float>(PictureSize().width()); }
  float BitmapHeight() const { return static_cast<float>(PictureSize().height()); }

  // Loads BMP, GIF, JPEG or PNG in full colour; false (keeping the old picture) on failure.
  bool Load(const QString& path);
  // Saves the picture as shown (tone included) as a GIF of 1 << bitsPerPixel colours (5 ... 8),
  // made to be sent to phones (see PhoneGifPlan); false without a picture, for other depths or
  // when the file cannot be written.
  bool SaveGif(const QString& path, int bitsPerPixel) const;
  // Reads a file's size without decoding it into InfoWidth / InfoHeight; false on failure.
  bool GetFileInfo(const QString& path);
  float InfoWidth() const { return infoWidth_; }
  float InfoHeight() const { return infoHeight_; }

  // The colour of a picture pixel as shown (0x00BBGGRR), or 0 outside the picture.
  ColorRef PixelColor(float x, float y) const;
  void Fill(ColorRef color);
  // Brightens (positive) or darkens (negative) the picture; -300 ... 300.
  void AdjustTone(int amount);

  // With automatic repaint off, changes wait for an explicit Repaint.
  void SetAutoRepaint(bool on) { autoRepaint_ = on; }
  bool AutoRepaint() const { return autoRepaint_; }
  void Repaint();

  // Where the picture shows inside the control, and which part of it; empty = all.
  void SetDestinationRect(const QRectF& rect);
  void SetSourceRect(const QRectF& rect);
  QRectF DestinationRect() const { return destination_; }
  QRectF SourceRect() const { return source_; }

  // Pixels of the key colour show what lies behind the control.
  void SetTransparent(bool on);
  void SetTransparentColor(ColorRef color);
  bool Transparent() const { return transparent_; }
  ColorRef TransparentColor() const { return transparentColor_; }
  void SetBackgroundColor(ColorRef color);
  void SetFlat(bool flat);
  void SetMousePointer(int pointer);
  int MousePointer() const { return pointer_; }

  // A control that Tab reaches, marked while it has the keyboard focus (thumbnails).
  void SetTabStop(bool on);
  bool IsFocusMarkDrawn() const { return tabStop_ && focusMark_.Shown(this); }

  // The control's face as painted: background, picture, transparent pixels clear.
  QImage RenderFace() const;

 signals:
  // Buttons: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
  void MouseDown(int button, int shift, float x, float y);
  void MouseMove(int button, int shift, float x, float y);
  void MouseUp(int button, int shift, float x, float y);
  void Clicked();
  void KeyDown(int keyCode, int shift);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Changed();
  void DrawNearest(QImage& face, const QRectF& dest, const QRectF& src) const;
  QSize PictureSize() const { return solid_ ? solidSize_ : bitmap_.size(); }

  int controlId_;
  QImage bitmap_;                                  // 32-bit, shared with copies until written
  std::shared_ptr<const PicturePyramid> pyramid_;  // of bitmap_, shared with copies
  // A filled picture is kept as its size and colour until its pixels are needed.
  bool solid_ = false;
  QSize solidSize_;
  QRgb solidColor_ = 0;
  ToneCurve tone_ = IdentityTone();
  bool toned_ = false;
  float infoWidth_ = 0;
  float infoHeight_ = 0;
  bool autoRepaint_ = true;
  QRectF destination_;
  QRectF source_;
  bool transparent_ = false;
  ColorRef transparentColor_ = 0;
  ColorRef background_ = MakeColorRef(255, 255, 255);
  bool flat_ = false;
  int pointer_ = kPointerDefault;
  bool pressed_ = false;
  bool tabStop_ = false;
  FocusMarkState focusMark_;
};
