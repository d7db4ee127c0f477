#pragma once

#include <QComboBox>

#include "platform/shell_namespace.h"

class CFileListCtrl;

// A drop-down of places: the Desktop at the top with the computer and the network below it,
// and the path to the current folder, each folder one step deeper than the one holding it.
// Choosing an entry lists it in the linked file list.
class CFolderComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit CFolderComboBox(QWidget* parent = nullptr);

  void SetLinkedList(CFileListCtrl* list) { list_ = list; }

  // Desktop, then the computer and the network one step in; selects the Desktop.
  void FillTopLevel();
  // Shows a folder (a path, or the display name of the computer or the network) selected,
  // one step below the entry of the folder holding it; entries deeper than it are removed.
  void SelectPath(const QString& pathOrName);

  // The path of an entry; the Desktop's is the desktop folder.
  QString PathOf(int index) const;
  int IndentationOf(int index) const;

 private:
  void OnActivated(int index);
  int FindEntry(const QString& pathOrName) const;
  void InsertEntry(int at, const ShellItem& item, int indentation);
  void RemoveDeeperEntriesAfter(int index);

  CFileListCtrl* list_ = nullptr;
};
