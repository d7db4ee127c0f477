#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <map>

#include "compose/material_panel.h"
#include "skin/skin_dlg.h"

class CComposeCanvas;
class CPictureChooserDlg;
class CUserSettingsDlg;
class CPhonePreviewWnd;
class CSaveImageDlg;
class CSettingsStore;

// The main window, in which the user composes the picture: the canvas with its overlays on
// the left, three tabs of material thumbnails on the right, and the buttons around them. It is
// skinned and shaped after the background of the active tab, dragged by any point, and keeps
// its position, recent pictures and categories between runs.
class CComposeDlg : public CSkinDlg {
  Q_OBJECT

 public:
  // Control ids of the buttons.
  enum ButtonId {
    kPictureTabButton = 1010,
    kMessageTabButton = 1022,
    kCharacterTabButton = 1011,
    kOpenButton = 1027,
    kPreviewButton = 1026,
    kSendButton = 1030,
    kQuitButton = 2,
    kSaveButton = 1,
    kZoomOutButton = 1025,
    kZoomInButton = 1024,
    kResetButton = 1033,
    kClearButton = 1034,
    kHomePageButton = 1043,
    kAlbumButton = 1044,
    kAlbumEditorButton = 1045,
    kUserSettingsButton = 1039,
    kHelpButton = 1055,
  };

  explicit CComposeDlg(CSettingsStore& store, QWidget* parent = nullptr);
  ~CComposeDlg() override;

  CSkinButton* Button(int id) const;
  CSkinButton* QuitButton() const { return Button(kQuitButton); }
  CComposeCanvas& Canvas() const { return *canvas_; }
  CMaterialPanel& Materials() const { return *materials_; }
  // The picture chooser, once the open button has created it.
  CPictureChooserDlg* PictureChooser() const { return chooser_; }
  CUserSettingsDlg* UserSettings() const { return userSettings_; }
  CPhonePreviewWnd* Preview() const { return preview_; }
  // The save window, once the save button has created it.
  CSaveImageDlg* SaveDialog() const { return saveDialog_; }
  const QString& SavePath() const { return savePath_; }
  const QString& TempJpegPath() const { return tempJpegPath_; }
  int ComposeMode() const { return composeMode_; }
  bool Busy() const { return busy_; }

  // Switches to the picture (0), character (1) or message (2) tab.
  void SwitchTab(int mode);
  // Places the file of a tab's thumbnail: the main picture, the next character or the message.
  void PlaceThumbnail(int tab, int slot);

  // The rectangle of the selection frame around a thumbnail slot, and its drawing.
  static QRect SelectionFrameRect(int slot);
  void DrawSelectionFrame();
  void EraseSelectionFrame();

  // Copies the picture saved for the user to the chosen file, when both are set.
  void SaveCompletion();
  void SetSavePath(const QString& path) { savePath_ = path; }
  void SetTempJpegPath(const QString& path) { tempJpegPath_ = path; }

  void done(int result) override;

 protected:
  void InitDialog() override;
  void ArrangeTabOrder() override;
  void OnCommand(int controlId) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateButtons();
  void LayOutButtons();
  void CutIdleImages();
  void SetSplashText(const QString& text);
  void HideSplash();
  void RestorePosition();
  void ReadRecentPictures();
  void SaveState();
  void ShowAboutBox();
  void OpenPictureChooser();
  // Exports the picture and opens the send window.
  void SendPicture();
  // Captures the canvas for saving and asks where to (or only hides the preview).
  void StartSave();
  // Exports and shows the picture that will be sent inside the phone.
  void ShowPhonePreview();
  // The home page, album, album editor and help buttons.
  void OpenWebLink(int buttonId);
  // Puts a chosen picture into the selected slot of the picture tab; it becomes the main
  // picture too when there is none.
  void TakeChosenPicture(const QString& path);
  // Shows a picture in a slot of the picture tab and keeps it there; false (and the slot as it
  // was) when it cannot be read.
  bool StoreRecentPicture(int slot, const QString& path);
  // Puts pictures into the selected slot of the picture tab and the ones after it, and makes
  // the first the main picture; false when none could be read.
  bool TakePictures(const QStringList& paths);
  // Ctrl+V: a picture on the clipboard, or picture files copied elsewhere.
  void PastePicture();

  CSettingsStore& store_;
  std::array<QImage, 3> tabBackgrounds_;
  // As drawn on a scaled screen (twice the size); null where the bitmap itself is drawn.
  std::array<QImage, 3> tabScreenBackgrounds_;
  QRect tabArea_;  // redrawn when the tab changes
  std::map<int, CSkinButton*> buttons_;
  CComposeCanvas* canvas_;
  CMaterialPanel* materials_;
  CPictureChooserDlg* chooser_ = nullptr;
  CUserSettingsDlg* userSettings_;
  CPhonePreviewWnd* preview_;
  CSaveImageDlg* saveDialog_ = nullptr;
  int composeMode_ = CMaterialPanel::kPictureTab;
  bool busy_ = false;
  QString savePath_;
  QString tempJpegPath_;
  bool stateSaved_ = false;
};
