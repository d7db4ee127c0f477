#include "skin_dlg.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "platform/bitmap_resource.h"
#include "platform/dialog_font.h"
#include "resources/button_names.h"
#include "skin/region_from_bitmap.h"
#include "skin/screen_order.h"
#include "skin/skin_button.h"

CSkinDlg::CSkinDlg(int templateId, QWidget* parent) : QDialog(parent), templateId_(templateId) {
  setFont(DialogFont());
}

CSkinDlg::~CSkinDlg() = default;

void CSkinDlg::SetBackgroundBitmap(const QImage& bitmap, const QImage& screen) {
  background_ = bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32);
  // A drawn picture of another logical size would not fit the window.
  const bool fits =
      !screen.isNull() && !background_.isNull() && LogicalSize(screen) == background_.size();
  screenBackground_ = fits ? screen.convertToFormat(QImage::Format_RGB32) : background_;
  // A window shaped already (the composition window changing tabs, same outline) keeps its
  // outside transparent with the new picture.
  if (shaped_) screenBackground_ = TransparentOutsideOutline(screenBackground_, background_);
}

void CSkinDlg::SetBackgroundBitmap(int bitmapId) {
  SetBackgroundBitmap(LoadBitmapResource(bitmapId), ScreenOnlyBitmap(bitmapId));
}

void CSkinDlg::Create() {
  if (created_) return;
  created_ = true;
  ApplySkin();
  InitDialog();
  ArrangeTabOrder();
}

void CSkinDlg::ArrangeTabOrder() { ChainInReadingOrder(TabStops(this)); }

void CSkinDlg::ApplySkin() {
  if (background_.isNull()) {
    // No bitmap: an ordinary framed dialog with a caption.
    setWindowFlags((windowFlags() & ~Qt::FramelessWindowHint) | Qt::Dialog | Qt::WindowTitleHint);
    return;
  }
  setWindowFlags(windowFlags() | Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(background_.size());
  if (useRegion_) {
    if (const auto region = RegionFromBitmap(background_); region && !region->isEmpty()) {
      // The region shapes the window on X11 and takes the input everywhere; a compositor that
      // draws the whole window (Wayland's take the region as input only) sees the outside
      // transparent instead.
      setMask(*region);
      setAttribute(Qt::WA_TranslucentBackground);
      shaped_ = true;
      screenBackground_ = TransparentOutsideOutline(screenBackground_, background_);
    }
  }
}

void CSkinDlg::setVisible(bool visible) {
  if (visible) Create();
  // Without a window manager nobody hands the keyboard back to the opener when a window closes;
  // a keyboard user would be left typing into nothing.
  QWidget* opener = !visible && isActiveWindow() && parentWidget() ? parentWidget()->window() : nullptr;
  QDialog::setVisible(visible);
  if (opener && opener->isVisible()) opener->activateWindow();
}

void CSkinDlg::RepaintNow() {
  if (isVisible()) repaint();
}

CSkinButton* CSkinDlg::CreateButton(int controlId, int hoverId) {
  auto* button = new CSkinButton(this, controlId);
  button->LoadButtonImages(hoverId, 0);
  button->setAccessibleName(ButtonName(hoverId));
  connect(button, &CSkinButton::clicked, this, [this, controlId] { OnCommand(controlId); });
  return button;
}

void CSkinDlg::PlaceButton(CSkinButton* button, QPoint topLeft, int pressedId) {
  button->FitToImage();
  const QRect rect(topLeft, button->size());
  button->CutNormalImage(screenBackground_, rect);
  button->SetPressedImage(pressedId);
  button->setGeometry(rect);
}

void CSkinDlg::OnCommand(int controlId) {
  if (controlId == 1)
    OnOK();
  else if (controlId == 2)
    OnCancel();
}

void CSkinDlg::OnOK() { EndDialog(QDialog::Accepted); }
void CSkinDlg::OnCancel() { EndDialog(QDialog::Rejected); }
void CSkinDlg::EndDialog(int result) { done(result); }

// Escape, Enter and closing the window go through the dialog's own OK / Cancel handling.
void CSkinDlg::accept() { OnOK(); }
void CSkinDlg::reject() { OnCancel(); }

void CSkinDlg::paintEvent(QPaintEvent* event) {
  if (background_.isNull()) {
    QDialog::paintEvent(event);
    return;
  }
  QPainter painter(this);
  DrawScreenImage(painter, QPointF(0, 0), screenBackground_);
}

void CSkinDlg::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    switch (event->key()) {
      case Qt::Key_Escape:
        OnCancel();
        return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        // A button that shows the focus has taken Enter already; otherwise Enter means OK.
        OnOK();
        return;
      default:
        break;
    }
  }
  QDialog::keyPressEvent(event);
}

// The whole window works as its caption: pressing any free point drags it.
void CSkinDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || background_.isNull()) {
    QDialog::mousePressEvent(event);
    return;
  }
  // The window manager moves it when it can (and only it can under Wayland, where a window
  // does not know where it is); otherwise the window follows the pointer itself.
  if (windowHandle() && windowHandle()->startSystemMove()) return;
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CSkinDlg::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - dragOffset_);
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void CSkinDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_ && event->button() == Qt::LeftButton) {
    dragging_ = false;
    return;
  }
  QDialog::mouseReleaseEvent(event);
}
