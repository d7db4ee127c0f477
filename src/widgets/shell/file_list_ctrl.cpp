#include "file_list_ctrl.h"

#include "platform/shell_namespace.h"
#include "widgets/shell/folder_combo_box.h"
#include "widgets/shell/picture_files.h"

CFileListCtrl::CFileListCtrl(QWidget* parent) : QListWidget(parent) {
  // The list style of a file window: small icons in columns, scrolling sideways.
  setViewMode(QListView::ListMode);
  setFlow(QListView::TopToBottom);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Files are the dialogs' business.
  connect(this, &QListWidget::doubleClicked, this,
          [this](const QModelIndex& index) { OpenFolderItem(index.row()); });
}

void CFileListCtrl::Clear() {
  clear();
  folderPaths_.clear();
  allPaths_.clear();
  texts_.clear();
}

// An item whose text is already listed is left out, and so is its path: the tables always
// say which path each list item stands for.
void CFileListCtrl::Add(const ShellItem& item, const QString& text) {
  if (texts_.contains(text)) return;
  texts_.insert(text);
  if (item.folder) folderPaths_ << item.path;
  allPaths_ << item.path;
  addItem(new QListWidgetItem(ShellNamespace::Icon(item.icon), text));
}

void CFileListCtrl::ListDesktop() {
  Clear();
  for (const ShellItem& item : ShellNamespace::DesktopItems(true, true))
    if (item.folder || IsPictureFile(item.path)) Add(item, item.displayName);
  currentFolder_ = ShellNamespace::DesktopPath();
}

void CFileListCtrl::ListFolder(const QString& pathOrName) {
  Clear();
  QString folder = pathOrName;
  if (const auto location = ShellNamespace::SpecialLocationNamed(pathOrName)) {
    if (*location == ShellNamespace::kDesktop) {
      ListDesktop();
      return;
    }
    if (*location == ShellNamespace::kComputer)
      folder = ShellNamespace::kComputerPath;
    else if (*location == ShellNamespace::kNetwork)
      folder = ShellNamespace::kNetworkPath;
    else
      folder = ShellNamespace::SpecialLocationPath(*location);
  }
  for (const ShellItem& item : ShellNamespace::FolderItems(folder, true, true))
    if (item.folder || IsPictureFile(item.path)) Add(item, item.displayName);
  currentFolder_ = folder;
}

QString CFileListCtrl::PathOfItem(int index) const {
  return index >= 0 && index < allPaths_.size() ? allPaths_[index] : QString();
}

bool CFileListCtrl::OpenFolderItem(int index) {
  if (!IsFolderItem(index)) return false;
  const QString path = folderPaths_[index];
  if (combo_) combo_->SelectPath(path);
  ListFolder(path);
  return true;
}
