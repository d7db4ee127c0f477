#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>

class CSkinButton;

// A dialog drawn from a background bitmap: it takes the bitmap's size and outline, has no
// frame, and can be dragged by any point that is not a control. Without a bitmap it keeps the
// ordinary framed window.
class CSkinDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CSkinDlg(int templateId, QWidget* parent = nullptr);
  ~CSkinDlg() override;

  int TemplateId() const { return templateId_; }

  // Set between construction and showing. The bitmap gives the window's size and outline;
  // `screen` is what is drawn (its twice-size rendering on a scaled screen), the bitmap itself
  // when not given. A resource id loads both.
  void SetBackgroundBitmap(const QImage& bitmap, const QImage& screen = QImage());
  void SetBackgroundBitmap(int bitmapId);
  const QImage& BackgroundBitmap() const { return background_; }
  const QImage& ScreenBackground() const { return screenBackground_; }
  void SetUseRegion(bool useRegion) { useRegion_ = useRegion; }
  bool UseRegion() const { return useRegion_; }

  // Creates the window without showing it: size, frame and outline from the background, then
  // the dialog's own initialisation. Showing the dialog creates it first when needed.
  void Create();
  bool IsCreated() const { return created_; }

  // Paints the window now, for code that keeps the user-interface thread busy afterwards.
  void RepaintNow();

  // A bitmap button with the given control id and hover image, to be placed by PlaceButton;
  // it is named for screen readers after the text on its image.
  CSkinButton* CreateButton(int controlId, int hoverId);
  // Places a button the way every dialog of the program does: sized to its image, moved to
  // `topLeft`, its idle image cut from the background there, its pressed image loaded.
  void PlaceButton(CSkinButton* button, QPoint topLeft, int pressedId);

  void accept() override;
  void reject() override;
  void setVisible(bool visible) override;

 protected:
  // Runs once, when the window is created, after its size and outline are set.
  virtual void InitDialog() {}
  // Runs after InitDialog: Tab goes through the controls as they stand on the screen.
  virtual void ArrangeTabOrder();
  // A button of the dialog was clicked. OK (1) and Cancel (2) end the dialog by default.
  virtual void OnCommand(int controlId);
  virtual void OnOK();
  virtual void OnCancel();
  // Ends a modal run (or hides a modeless window) with the given result.
  void EndDialog(int result);

  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ApplySkin();

  int templateId_;
  QImage background_;
  QImage screenBackground_;
  bool useRegion_ = true;
  bool shaped_ = false;  // has its region, and its outside is transparent
  bool created_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
};
