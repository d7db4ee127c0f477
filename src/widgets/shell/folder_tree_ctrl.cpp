#include "folder_tree_ctrl.h"

#include <QApplication>
#include <QDirIterator>
#include <QSignalBlocker>

#include "platform/shell_namespace.h"

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kPlaceholderRole = Qt::UserRole + 1;

bool HasSubfolders(const QString& path) {
  QDirIterator folders(path, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
  return folders.hasNext();
}

void AddPlaceholder(QTreeWidgetItem* item) {
  auto* placeholder = new QTreeWidgetItem(item);
  placeholder->setData(0, kPlaceholderRole, true);
}

}  // namespace

CFolderTreeCtrl::CFolderTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(this, &QTreeWidget::itemExpanded, this, &CFolderTreeCtrl::OnExpanded);
  connect(this, &QTreeWidget::itemCollapsed, this, &CFolderTreeCtrl::OnCollapsed);
}

bool CFolderTreeCtrl::IsPlaceholder(const QTreeWidgetItem* item) {
  return item && item->data(0, kPlaceholderRole).toBool();
}

QString CFolderTreeCtrl::PathOfItem(const QTreeWidgetItem* item) const {
  return item && !IsPlaceholder(item) ? item->data(0, kPathRole).toString() : QString();
}

bool CFolderTreeCtrl::DisplayTree(const QString& rootPath, bool showFiles) {
  rootPath_ = rootPath;
  showFiles_ = showFiles;
  lastError_.clear();
  clear();
  if (!rootPath.isEmpty()) {
    AddFolderContents(nullptr, rootPath);
    return true;
  }
  const std::vector<ShellItem> volumes =
      ShellNamespace::FolderItems(ShellNamespace::kComputerPath, true, false);
  if (volumes.empty()) {
    lastError_ = QStringLiteral("Error Getting Logical DriveStrings!");
    return false;
  }
  for (const ShellItem& volume : volumes)
    AddItem(nullptr, volume.path, volume.path, volume.icon, true);
  return true;
}

QTreeWidgetItem* CFolderTreeCtrl::AddItem(QTreeWidgetItem* parent, const QString& path,
                                          const QString& text, int icon, bool folder) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setText(0, text);
  item->setIcon(0, ShellNamespace::Icon(icon));
  item->setData(0, kPathRole, path);
  if (folder && HasSubfolders(path)) AddPlaceholder(item);
  return item;
}

void CFolderTreeCtrl::AddFolderContents(QTreeWidgetItem* parent, const QString& folder) {
  // Many folders at once: no repaint and a busy pointer until all are in.
  setUpdatesEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  for (const ShellItem& item : ShellNamespace::FolderItems(folder, true, showFiles_)) {
    if (item.icon < 0) lastError_ = QStringLiteral("Error Gettting SystemFileInfo!");
    AddItem(parent, item.path, item.displayName, item.icon, item.folder);
  }
  QApplication::restoreOverrideCursor();
  setUpdatesEnabled(true);
}

void CFolderTreeCtrl::OnExpanded(QTreeWidgetItem* item) {
  const QSignalBlocker blocker(this);
  qDeleteAll(item->takeChildren());
  AddFolderContents(item, PathOfItem(item));
}

void CFolderTreeCtrl::OnCollapsed(QTreeWidgetItem* item) {
  const QSignalBlocker blocker(this);
  qDeleteAll(item->takeChildren());
  AddPlaceholder(item);
}
