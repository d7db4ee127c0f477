#pragma once

#include <QString>
#include <QTreeWidget>

// A tree of folders (and optionally files) below a root folder, or below the mounted volumes
// when there is no root. Children are listed when an item is expanded and dropped when it
// is collapsed; a folder with subfolders carries a placeholder child so it shows an expand
// button.
class CFolderTreeCtrl : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CFolderTreeCtrl(QWidget* parent = nullptr);

  // Shows the root folder's contents, or the volumes when `rootPath` is empty; false with
  // LastError() set when the volumes cannot be listed.
  bool DisplayTree(const QString& rootPath, bool showFiles);
  const QString& LastError() const { return lastError_; }

  QString PathOfItem(const QTreeWidgetItem* item) const;
  static bool IsPlaceholder(const QTreeWidgetItem* item);

 private:
  void AddFolderContents(QTreeWidgetItem* parent, const QString& folder);
  QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const QString& path, const QString& text,
                           int icon, bool folder);
  void OnExpanded(QTreeWidgetItem* item);
  void OnCollapsed(QTreeWidgetItem* item);

  QString rootPath_;
  bool showFiles_ = false;
  QString lastError_;
};
