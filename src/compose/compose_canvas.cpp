#include "compose_canvas.h"

#include <QFileInfo>
#include <QWidget>

#include "compose/lead.h"
#include "compose/tone_knob.h"
#include "imaging/dib.h"
#include "platform/bitmap_resource.h"

namespace {

constexpr int kCanvasId = 1000;
constexpr int kMasterId = 1019;
constexpr int kFirstCharacterId = 1014;
constexpr int kMessageId = 1023;
constexpr int kKnobBitmap = 146;
const QPoint kKnobHome(86, 295);
constexpr int kDeleteKey = 46;
constexpr ColorRef kWhite = 0xFFFFFF;
// Overlays are fitted into this size.
constexpr int kOverlayMaxWidth = 94;
constexpr int kOverlayMaxHeight = 89;

}  // namespace

const QRect CComposeCanvas::kCanvasRect(51, 143, canvas::kWidth, canvas::kHeight);

CComposeCanvas::CComposeCanvas(QWidget* window)
    : QObject(window),
      window_(window),
      canvas_(new CLead(window, kCanvasId)),
      master_(new CLead(window, kMasterId)),
      message_(new CLead(window, kMessageId)),
      knob_(new CToneKnob(window, kKnobHome, LoadScreenBitmap(kKnobBitmap))) {
  canvas_->SetFlat(true);
  canvas_->setGeometry(kCanvasRect);
  NameCanvas();
  master_->hide();
  master_->setAccessibleName(QStringLiteral("元の写真"));
  for (int slot = 0; slot < kCharacterWindows; ++slot) {
    characters_[slot] = new CLead(window, kFirstCharacterId + slot);
    characters_[slot]->setAccessibleName(QStringLiteral("キャラ %1").arg(slot + 1));
    SetUpOverlay(characters_[slot]);
  }
  message_->setAccessibleName(QStringLiteral("メッセージ"));
  SetUpOverlay(message_);

  connect(canvas_, &CLead::MouseDown, this,
          [this](int button, int, float x, float y) { OnCanvasMouseDown(button, x, y); });
  connect(canvas_, &CLead::MouseMove, this,
          [this](int, int, float x, float y) { OnCanvasMouseMove(x, y); });
  connect(canvas_, &CLead::MouseUp, this, [this] { OnCanvasMouseUp(); });
  connect(knob_, &CToneKnob::Released, this, &CComposeCanvas::OnKnobReleased);
}

void CComposeCanvas::SetUpOverlay(CLead* overlay) {
  overlay->SetFlat(true);
  overlay->SetAutoRepaint(false);
  overlay->hide();
  connect(overlay, &CLead::MouseDown, this, [this, overlay](int button, int, float x, float y) {
    OnOverlayMouseDown(overlay, button, x, y);
  });
  connect(overlay, &CLead::MouseMove, this,
          [this, overlay](int, int, float x, float y) { OnOverlayMouseMove(overlay, x, y); });
  connect(overlay, &CLead::MouseUp, this,
          [this, overlay](int button, int, float, float) { OnOverlayMouseUp(overlay, button); });
  connect(overlay, &CLead::KeyDown, this, [this](int keyCode, int) { OnOverlayKeyDown(keyCode); });
}

bool CComposeCanvas::HasPicture() const {
  return canvas_->HasBitmap() && !mainPicturePath_.isEmpty();
}

bool CComposeCanvas::LoadMainPicture(const QString& file) {
  if (!master_->Load(file)) return false;
  adjustAmount_ = 0;
  knob_->ResetKnob();
  const int width = static_cast<int>(master_->BitmapWidth());
  const int height = static_cast<int>(master_->BitmapHeight());
  canvas_->SetAutoRepaint(false);
  canvas_->CopyBitmapFrom(*master_);
  view_ = canvas::ViewForPicture(width, height);
  if (!canvas::CoversCanvas(width, height, view_.zoomPercent, true)) FillCanvasWhite();
  ShowPicture();
  mainPicturePath_ = file;
  NameCanvas();
  return true;
}

// Says what the canvas shows: the main picture's file.
void CComposeCanvas::NameCanvas() {
  QString name = QStringLiteral("キャンバス");
  if (!mainPicturePath_.isEmpty()) name += QStringLiteral(": ") + QFileInfo(mainPicturePath_).fileName();
  canvas_->setAccessibleName(name);
}

void CComposeCanvas::FillCanvasWhite() {
  canvas_->Fill(kWhite);
  canvas_->Repaint();
}

void CComposeCanvas::ShowPicture() {
  canvas_->SetAutoRepaint(false);
  canvas_->CopyBitmapFrom(*master_);
  canvas_->SetDestinationRect(QRectF(0, 0, canvas::kWidth, canvas::kHeight));
  canvas_->SetSourceRect(canvas::SourceRect(view_));
  canvas_->Repaint();
}

void CComposeCanvas::ApplyTone() {
  canvas_->AdjustTone(adjustAmount_ * 5);
  canvas_->Repaint();
}

void CComposeCanvas::ZoomIn() {
  if (!HasPicture()) return;
  view_.zoomPercent += canvas::kZoomStep;
  if (!canvas::CoversCanvas(static_cast<int>(canvas_->BitmapWidth()),
                            static_cast<int>(canvas_->BitmapHeight()), view_.zoomPercent, false))
    FillCanvasWhite();
  ShowPicture();
  ApplyTone();
}

void CComposeCanvas::ZoomOut() {
  if (!HasPicture() || view_.zoomPercent <= canvas::kZoomStep) return;
  if (!canvas::CoversCanvas(static_cast<int>(canvas_->BitmapWidth()),
                            static_cast<int>(canvas_->BitmapHeight()),
                            view_.zoomPercent - canvas::kZoomStep, false))
    FillCanvasWhite();
  view_.zoomPercent -= canvas::kZoomStep;
  ShowPicture();
  ApplyTone();
}

void CComposeCanvas::Reset() {
  if (!HasPicture()) return;
  view_ = canvas::ViewForPicture(static_cast<int>(master_->BitmapWidth()),
                                 static_cast<int>(master_->BitmapHeight()));
  knob_->ResetKnob();
  adjustAmount_ = 0;
  if (canvas_->HasBitmap()) {
    FillCanvasWhite();
    ShowPicture();
  }
}

void CComposeCanvas::Clear() {
  for (CLead* character : characters_) character->hide();
  message_->hide();
  if (!HasPicture()) return;
  canvas_->setGeometry(kCanvasRect);
  FillCanvasWhite();
  mainPicturePath_.clear();
  NameCanvas();
  master_->Fill(kWhite);
  knob_->ResetKnob();
  adjustAmount_ = 0;
  view_.zoomPercent = 100;
}

void CComposeCanvas::OnKnobReleased(int offset) {
  // Without a picture there is nothing to tone: the knob goes back home.
  if (!HasPicture()) {
    knob_->ResetKnob();
    return;
  }
  ShowPicture();
  canvas_->AdjustTone(offset * 5);
  canvas_->Repaint();
  adjustAmount_ = offset;
  knob_->SetValue(offset);
}

void CComposeCanvas::OnCanvasMouseDown(int button, float x, float y) {
  if (button == 0 || !HasPicture()) return;
  panLast_ = QPoint(static_cast<int>(x), static_cast<int>(y));
  panning_ = true;
  canvas_->SetMousePointer(CLead::kPointerSizeAll);
}

void CComposeCanvas::OnCanvasMouseMove(float x, float y) {
  if (!panning_) return;
  const QPoint now(static_cast<int>(x), static_cast<int>(y));
  view_ = canvas::PanStep(view_, panLast_, now, static_cast<int>(canvas_->BitmapWidth()),
                          static_cast<int>(canvas_->BitmapHeight()));
  ShowPicture();
  ApplyTone();
  panLast_ = now;
}

void CComposeCanvas::OnCanvasMouseUp() {
  panning_ = false;
  canvas_->SetMousePointer(CLead::kPointerDefault);
  canvas_->Repaint();
}

bool CComposeCanvas::PlaceOverlay(CLead* overlay, const QString& file) {
  if (!QFileInfo::exists(file) || !overlay->GetFileInfo(file)) return false;
  const QRect rect = canvas::PlacementRect(static_cast<int>(overlay->InfoWidth()),
                                           static_cast<int>(overlay->InfoHeight()),
                                           kOverlayMaxWidth, kOverlayMaxHeight, kCanvasRect);
  if (!overlay->Load(file)) return false;
  overlay->setGeometry(rect);
  // The colour of the picture's first pixel is its background: it shows the canvas below.
  overlay->SetTransparentColor(overlay->PixelColor(0, 0));
  overlay->SetTransparent(true);
  overlay->Repaint();
  overlay->raise();
  overlay->show();
  currentOverlay_ = overlay;
  return true;
}

bool CComposeCanvas::PlaceCharacter(const QString& file) {
  if (!PlaceOverlay(characters_[nextCharacterSlot_], file)) return false;
  characterPath_ = file;
  nextCharacterSlot_ = (nextCharacterSlot_ + 1) % kCharacterWindows;
  return true;
}

bool CComposeCanvas::PlaceMessage(const QString& file) {
  if (!PlaceOverlay(message_, file)) return false;
  messagePath_ = file;
  return true;
}

void CComposeCanvas::OnOverlayMouseDown(CLead* overlay, int button, float x, float y) {
  if (button == 1) {
    dragging_ = true;
    dragStart_ = QPoint(static_cast<int>(x), static_cast<int>(y));
  }
  overlay->raise();
  currentOverlay_ = overlay;
}

void CComposeCanvas::OnOverlayMouseMove(CLead* overlay, float x, float y) {
  if (!dragging_) return;
  const QPoint delta = QPoint(static_cast<int>(x), static_cast<int>(y)) - dragStart_;
  const QRect moved = overlay->geometry().translated(delta);
  // Only moves that keep the whole overlay on the canvas are made.
  if (canvas::OverlayFits(moved, canvas_->geometry())) overlay->move(moved.topLeft());
}

void CComposeCanvas::OnOverlayMouseUp(CLead* overlay, int button) {
  dragging_ = false;
  if (button == 2) {
    overlay->hide();
    canvas_->Repaint();
  }
}

void CComposeCanvas::OnOverlayKeyDown(int keyCode) {
  if (keyCode != kDeleteKey) return;
  auto* focused = qobject_cast<CLead*>(window_->focusWidget());
  if (focused && focused != canvas_ && focused != master_) focused->hide();
}

QImage CComposeCanvas::CaptureImage() const {
  const QRect area = canvas_->geometry();
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  window_->render(&image, QPoint(), QRegion(area),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return image;
}

PackedDibPtr CComposeCanvas::CaptureCanvas() const {
  return DibFromScreenBitmap(CaptureImage(), BI_RGB, 0, nullptr);
}
