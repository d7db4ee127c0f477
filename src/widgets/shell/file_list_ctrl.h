#pragma once

#include <QListWidget>
#include <QStringList>

class CFolderComboBox;

// The contents of one folder: its subfolders first, then the picture files in it, each with
// its icon. Double-clicking a folder opens it (and moves the linked combo there); which file
// is meant the dialogs learn from PathOfItem.
class CFileListCtrl : public QListWidget {
  Q_OBJECT

 public:
  explicit CFileListCtrl(QWidget* parent = nullptr);

  void SetLinkedCombo(CFolderComboBox* combo) { combo_ = combo; }

  // The desktop's folders (the computer and the network among them) and pictures.
  void ListDesktop();
  // A folder by path, or a special location by its display name; empty when it cannot be
  // read.
  void ListFolder(const QString& pathOrName);

  // The full path of a list item; items below FolderCount() are folders, the rest pictures.
  QString PathOfItem(int index) const;
  int FolderCount() const { return static_cast<int>(folderPaths_.size()); }
  bool IsFolderItem(int index) const { return index >= 0 && index < FolderCount(); }
  const QString& CurrentFolder() const { return currentFolder_; }
  // Lists the folder of a folder item (and moves the linked combo there); false for a file.
  bool OpenFolderItem(int index);

 private:
  void Clear();
  void Add(const struct ShellItem& item, const QString& text);

  QStringList folderPaths_;
  QStringList allPaths_;
  QSet<QString> texts_;
  QString currentFolder_;
  CFolderComboBox* combo_ = nullptr;
};
