#include "file_browser.h"

#include <QFrame>

#include "platform/shell_namespace.h"
#include "widgets/shell/file_list_ctrl.h"
#include "widgets/shell/folder_combo_box.h"

namespace {
const QRect kCombo(151, 36, 218, 20);
const QRect kList(QPoint(23, 62), QPoint(494, 188));
}  // namespace

CFileBrowser::CFileBrowser(QWidget* window)
    : combo_(new CFolderComboBox(window)), list_(new CFileListCtrl(window)) {
  combo_->setGeometry(kCombo);
  list_->setGeometry(kList);
  list_->setFrameShape(QFrame::NoFrame);  // the background draws its well
  combo_->setAccessibleName(QStringLiteral("場所"));
  list_->setAccessibleName(QStringLiteral("フォルダの中身"));
  combo_->SetLinkedList(list_);
  list_->SetLinkedCombo(combo_);
}

void CFileBrowser::Show(const QString& folder) {
  combo_->FillTopLevel();
  if (folder == ShellNamespace::DesktopPath() || !ShellNamespace::Describe(folder)) {
    list_->ListDesktop();
    return;
  }
  combo_->SelectPath(folder);
  list_->ListFolder(folder);
}

void CFileBrowser::ShowAgain() {
  if (!list_->CurrentFolder().isEmpty()) {
    Show(list_->CurrentFolder());
    return;
  }
  const QString pictures = ShellNamespace::SpecialLocationPath(ShellNamespace::kPictures);
  Show(pictures.isEmpty() ? ShellNamespace::DesktopPath() : pictures);
}
