#pragma once

#include <QString>

#include "compose/file_browser.h"
#include "skin/skin_dlg.h"

class CFileListCtrl;
class CFolderComboBox;
class CLead;
class QComboBox;

// Picks a picture file from disk: a place list and the folder's subfolders and pictures, with
// a small preview of the highlighted picture. OK hands the picture to the composition window.
// Created once and kept, so that it opens again where the user left it.
class CPictureChooserDlg : public CSkinDlg {
  Q_OBJECT

 public:
  static constexpr int kFileListId = 1001;
  static constexpr int kTypeComboId = 1049;
  static constexpr int kPreviewId = 1000;

  explicit CPictureChooserDlg(QWidget* parent = nullptr);

  // Shows the chooser: the first time on the user's pictures folder (or the desktop), later
  // on the folder it showed last.
  void Open();

  const QString& ChosenFile() const { return chosenFile_; }
  const QString& ChosenFolder() const { return chosenFolder_; }
  CFolderComboBox* FolderCombo() const { return browser_.Combo(); }
  CFileListCtrl* FileList() const { return browser_.List(); }
  QComboBox* TypeCombo() const { return typeCombo_; }
  CLead* Preview() const { return preview_; }

 signals:
  // OK with a readable picture.
  void PictureChosen(const QString& path);

 protected:
  void InitDialog() override;
  void OnOK() override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Takes the selected list item as the chosen file and previews it.
  void UpdateChoice();
  void ShowPreview(const QString& path);
  void ListChosenFolder();

  CFileBrowser browser_;
  QComboBox* typeCombo_;
  CLead* preview_;
  CSkinButton* okButton_;
  CSkinButton* cancelButton_;
  QString chosenFile_;
  QString chosenFolder_;
};
