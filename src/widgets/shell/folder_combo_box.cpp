#include "folder_combo_box.h"

#include <QStyledItemDelegate>

#include "widgets/shell/file_list_ctrl.h"

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kIndentationRole = Qt::UserRole + 1;
constexpr int kIndentationStep = 10;  // pixels per level

// Draws each entry of the drop-down indented by its level.
class IndentingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->rect.adjust(index.data(kIndentationRole).toInt() * kIndentationStep, 0, 0, 0);
  }
};

}  // namespace

CFolderComboBox::CFolderComboBox(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new IndentingDelegate(this));
  setMaxVisibleItems(16);
  connect(this, &QComboBox::activated, this, &CFolderComboBox::OnActivated);
}

void CFolderComboBox::FillTopLevel() {
  clear();
  const QString desktopPath = ShellNamespace::DesktopPath();
  if (const auto desktop = ShellNamespace::Describe(desktopPath)) {
    InsertEntry(0, *desktop, 0);
  } else {  // a desktop folder that has gone missing is still listed, without an icon
    const QString name = ShellNamespace::SpecialLocationNames()[ShellNamespace::kDesktop];
    InsertEntry(0, ShellItem{desktopPath, name, true, -1}, 0);
  }
  for (const QString& path : {ShellNamespace::kComputerPath, ShellNamespace::kNetworkPath})
    if (const auto item = ShellNamespace::Describe(path)) InsertEntry(count(), *item, 1);
  setCurrentIndex(0);
}

QString CFolderComboBox::PathOf(int index) const { return itemData(index, kPathRole).toString(); }

int CFolderComboBox::IndentationOf(int index) const {
  return itemData(index, kIndentationRole).toInt();
}

int CFolderComboBox::FindEntry(const QString& pathOrName) const {
  for (int index = 0; index < count(); ++index) {
    if (PathOf(index) == pathOrName ||
        itemText(index).compare(pathOrName, Qt::CaseInsensitive) == 0)
      return index;
  }
  return -1;
}

void CFolderComboBox::InsertEntry(int at, const ShellItem& item, int indentation) {
  insertItem(at, ShellNamespace::Icon(item.icon), item.displayName, item.path);
  setItemData(at, indentation, kIndentationRole);
}

void CFolderComboBox::RemoveDeeperEntriesAfter(int index) {
  const int indentation = IndentationOf(index);
  for (int later = count() - 1; later > index; --later)
    if (IndentationOf(later) > indentation) removeItem(later);
}

void CFolderComboBox::SelectPath(const QString& pathOrName) {
  const int listed = FindEntry(pathOrName);
  const QString path = listed >= 0 ? PathOf(listed) : pathOrName;
  const auto item = ShellNamespace::Describe(path);
  if (!item) return;
  // The folders between the nearest listed one and this one, innermost first.
  std::vector<ShellItem> missing;
  int anchor = listed;
  for (ShellItem step = *item; anchor < 0;) {
    missing.push_back(step);
    const QString parent = ShellNamespace::ParentPath(step.path);
    anchor = parent.isEmpty() ? 0 : FindEntry(parent);
    if (anchor >= 0) break;
    const auto parentItem = ShellNamespace::Describe(parent);
    if (!parentItem) {
      anchor = 0;
      break;
    }
    step = *parentItem;
  }
  if (anchor == 0) {
    FillTopLevel();  // the Desktop keeps the computer and the network below it
  } else {
    setCurrentIndex(anchor);
    RemoveDeeperEntriesAfter(anchor);
  }
  int at = anchor;
  int indentation = IndentationOf(anchor);
  for (auto step = missing.rbegin(); step != missing.rend(); ++step)
    InsertEntry(++at, *step, ++indentation);
  setCurrentIndex(at);
}

void CFolderComboBox::OnActivated(int index) {
  if (index == 0) {
    FillTopLevel();
    if (list_) list_->ListDesktop();
    return;
  }
  const QString path = PathOf(index);
  SelectPath(path);
  if (list_) list_->ListFolder(path);
}
