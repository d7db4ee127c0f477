#pragma once

#include <QString>

class CFileListCtrl;
class CFolderComboBox;
class QWidget;

// The place list and the file list of the program's file windows (the picture chooser and
// the save window), created linked at their usual spots in the window.
class CFileBrowser {
 public:
  explicit CFileBrowser(QWidget* window);

  CFolderComboBox* Combo() const { return combo_; }
  CFileListCtrl* List() const { return list_; }

  // Lists a folder with the place list on it; the desktop when the folder is the desktop or
  // no longer exists.
  void Show(const QString& folder);
  // Lists the folder shown last, afresh; the first time the user's pictures folder, or the
  // desktop.
  void ShowAgain();

 private:
  CFolderComboBox* combo_;
  CFileListCtrl* list_;
};
