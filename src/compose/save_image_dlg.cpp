#include "save_image_dlg.h"

#include <QFileInfo>
#include <QLineEdit>

#include "platform/message_box.h"
#include "platform/shell_namespace.h"
#include "resources/resource_ids.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "widgets/shell/file_list_ctrl.h"
#include "widgets/shell/folder_combo_box.h"

namespace {

const QRect kNameEdit(QPoint(257, 199), QPoint(482, 215));
const QPoint kOkPosition(417, 254);
const QPoint kCancelPosition(320, 254);

}  // namespace

CSaveImageDlg::CSaveImageDlg(QWidget* parent)
    : CSkinDlg(DialogId::SaveImage, parent),
      browser_(this),
      nameEdit_(new QLineEdit(this)),
      okButton_(CreateButton(ControlId::Ok, BitmapId::SaveImageOkHover)),
      cancelButton_(CreateButton(ControlId::Cancel, BitmapId::SaveImageCancelHover)) {
  setWindowTitle(QStringLiteral("編集画像の保存"));
  SetBackgroundBitmap(BitmapId::SaveImage);
  nameEdit_->setGeometry(kNameEdit);
  nameEdit_->setFrame(false);
  nameEdit_->setTextMargins(2, 0, 2, 0);
  nameEdit_->setAccessibleName(QStringLiteral("ファイル名"));
  // A click on a file offers its name.
  CFileListCtrl* fileList = browser_.List();
  connect(fileList, &QListWidget::itemClicked, this, [this, fileList](QListWidgetItem* item) {
    const int row = fileList->row(item);
    if (row >= 0 && !fileList->IsFolderItem(row)) nameEdit_->setText(item->text());
  });
}

void CSaveImageDlg::InitDialog() {
  PlaceButton(okButton_, kOkPosition, BitmapId::SaveImageOkPressed);
  PlaceButton(cancelButton_, kCancelPosition, BitmapId::SaveImageCancelPressed);
}

void CSaveImageDlg::Open() {
  Create();
  browser_.ShowAgain();
  nameEdit_->clear();
  show();
  raise();
  activateWindow();
  nameEdit_->setFocus();
}

QString CSaveImageDlg::FileNameFor(const QString& typed) {
  if (typed.size() < 5 || !typed.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
    return typed + QStringLiteral(".jpg");
  return typed;
}

void CSaveImageDlg::OnOK() {
  const QString typed = nameEdit_->text();
  if (typed.isEmpty()) {
    CNoticeDlg::ShowNotice(this, BitmapId::NoticeMessage,
                           QStringLiteral("ファイル名を指定してください。"));
    return;
  }
  const QString folder = browser_.List()->CurrentFolder();
  // The computer and the network hold no files of their own.
  if (ShellNamespace::IsVirtual(folder) || !QFileInfo(folder).isDir()) {
    CNoticeDlg::ShowNotice(this, BitmapId::NoticeMessage,
                           QStringLiteral("保存する場所を選んでください。"));
    return;
  }
  const QString name = FileNameFor(typed);
  const QString path =
      folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
  if (QFileInfo::exists(path)) {
    const MessageResult answer = ShowMessageBox(
        this, QStringLiteral("既存の") + name + QStringLiteral("ファイルを上書きしますか？"),
        MessageIcon::Warning, MessageButtons::YesNoCancel);
    if (answer == MessageResult::Cancel) return;
    if (answer == MessageResult::No) {
      EndDialog(QDialog::Rejected);
      return;
    }
  }
  EndDialog(QDialog::Accepted);
  emit SaveChosen(path);
}
