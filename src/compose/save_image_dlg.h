#pragma once

#include <QString>

#include "compose/file_browser.h"
#include "skin/skin_dlg.h"

class CFileListCtrl;
class CFolderComboBox;
class QLineEdit;

// Asks where to save the composed picture: a place list, the folder's subfolders and
// pictures, and a file name. OK hands the chosen path on (".jpg" added where missing) after
// asking before an existing file is replaced. Created once and kept.
class CSaveImageDlg : public CSkinDlg {
  Q_OBJECT

 public:
  static constexpr int kFileListId = 1001;
  static constexpr int kNameEditId = 1051;

  explicit CSaveImageDlg(QWidget* parent = nullptr);

  // Shows the window: the first time on the user's pictures folder (or the desktop); later on
  // the folder it showed, listed afresh, with an empty name.
  void Open();

  // The file name a typed name saves under: ".jpg" appended unless it already ends so.
  static QString FileNameFor(const QString& typed);

  CFolderComboBox* FolderCombo() const { return browser_.Combo(); }
  CFileListCtrl* FileList() const { return browser_.List(); }
  QLineEdit* NameEdit() const { return nameEdit_; }

 signals:
  // The user chose to save to `path` (an existing file there may be replaced).
  void SaveChosen(const QString& path);

 protected:
  void InitDialog() override;
  void OnOK() override;

 private:
  CFileBrowser browser_;
  QLineEdit* nameEdit_;
  CSkinButton* okButton_;
  CSkinButton* cancelButton_;
};
