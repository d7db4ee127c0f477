#include "picture_chooser_dlg.h"

#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>

#include "compose/canvas_view.h"
#include "compose/lead.h"
#include "imaging/full_color_image.h"
#include "imaging/reduced_image.h"
#include "resources/resource_ids.h"
#include "skin/skin_button.h"
#include "widgets/shell/file_list_ctrl.h"
#include "widgets/shell/folder_combo_box.h"
#include "widgets/shell/picture_files.h"

namespace {

const QRect kTypeCombo(QPoint(284, 199), QPoint(482, 215));
const QRect kPreview(QPoint(41, 220), QPoint(100, 279));
constexpr ColorRef kPreviewBackground = 0xECE6FF;
const QPoint kOkPosition(417, 254);
const QPoint kCancelPosition(320, 254);

}  // namespace

CPictureChooserDlg::CPictureChooserDlg(QWidget* parent)
    : CSkinDlg(DialogId::PictureChooser, parent),
      browser_(this),
      typeCombo_(new QComboBox(this)),
      preview_(new CLead(this, kPreviewId)),
      okButton_(CreateButton(ControlId::Ok, BitmapId::PictureChooserOkHover)),
      cancelButton_(CreateButton(ControlId::Cancel, BitmapId::PictureChooserCancelHover)) {
  setWindowTitle(QStringLiteral("画像の読み込み"));
  SetBackgroundBitmap(BitmapId::PictureChooser);
  typeCombo_->setGeometry(kTypeCombo);
  QFont typeFont = typeCombo_->font();
  typeFont.setPixelSize(10);  // the one entry is long for its box
  typeCombo_->setFont(typeFont);
  typeCombo_->setAccessibleName(QStringLiteral("ファイルの種類"));
  preview_->setGeometry(kPreview);
  preview_->SetBackgroundColor(kPreviewBackground);
  preview_->SetFlat(true);
  preview_->setAccessibleName(QStringLiteral("プレビュー"));
  preview_->hide();
  CFileListCtrl* fileList = browser_.List();

  // The preview follows the highlight, whether the mouse or the arrow keys move it; a click
  // reads the picture again (large ones come from the thumbnail cache then).
  connect(fileList, &QListWidget::currentRowChanged, this, [this] { UpdateChoice(); });
  connect(fileList, &QListWidget::itemClicked, this, [this] { UpdateChoice(); });
  // A double click on a picture opens it, as in any file window.
  connect(fileList, &QListWidget::itemDoubleClicked, this, [this, fileList] {
    if (!fileList->IsFolderItem(fileList->currentRow())) {
      UpdateChoice();
      OnOK();
    }
  });
  connect(typeCombo_, &QComboBox::activated, this, [this] { ListChosenFolder(); });
}

void CPictureChooserDlg::InitDialog() {
  PlaceButton(okButton_, kOkPosition, BitmapId::PictureChooserOkPressed);
  PlaceButton(cancelButton_, kCancelPosition, BitmapId::PictureChooserCancelPressed);
  typeCombo_->addItem(QStringLiteral("画像(bmp,gif,jpg,png,heic,avif,webp)"));
}

void CPictureChooserDlg::Open() {
  Create();
  chosenFile_.clear();
  chosenFolder_.clear();
  preview_->hide();
  browser_.ShowAgain();
  show();
  raise();
  activateWindow();
}

void CPictureChooserDlg::ListChosenFolder() {
  const CFolderComboBox* combo = browser_.Combo();
  if (combo->currentIndex() <= 0)
    browser_.List()->ListDesktop();
  else
    browser_.List()->ListFolder(combo->PathOf(combo->currentIndex()));
}

void CPictureChooserDlg::UpdateChoice() {
  chosenFile_.clear();
  chosenFolder_.clear();
  const CFileListCtrl* fileList = browser_.List();
  const int row = fileList->currentRow();
  if (row >= 0 && !fileList->IsFolderItem(row) && browser_.Combo()->currentIndex() >= 0) {
    chosenFile_ = fileList->PathOfItem(row);
    chosenFolder_ = fileList->CurrentFolder();
  }
  ShowPreview(chosenFile_);
}

// The picture fitted into the preview, centred on its background; hidden when it cannot be
// read.
void CPictureChooserDlg::ShowPreview(const QString& path) {
  const QSize size = path.isEmpty() ? QSize() : ReadImageFileSize(path);
  if (!size.isValid() || size.isEmpty()) {
    preview_->hide();
    return;
  }
  const QRect fitted = canvas::ThumbnailRect(size.width(), size.height(), preview_->rect());
  const ReducedImage reduced = LoadReducedImage(path, fitted.size());
  if (reduced.image.isNull()) {
    preview_->hide();
    return;
  }
  preview_->SetBitmap(reduced.image);
  preview_->SetDestinationRect(fitted);
  preview_->Repaint();
  preview_->show();
}

// The file itself says whether it can be chosen: the preview may show nothing of a picture
// that is still a picture.
void CPictureChooserDlg::OnOK() {
  if (chosenFile_.isEmpty()) return;
  const QSize size = ReadImageFileSize(chosenFile_);
  if (IsPictureFile(chosenFile_) && size.isValid() && !size.isEmpty())
    emit PictureChosen(chosenFile_);
  EndDialog(QDialog::Accepted);
}

void CPictureChooserDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F5) {
    UpdateChoice();
    return;
  }
  // Enter in the list takes the highlighted entry: a folder opens, a picture is chosen.
  CFileListCtrl* fileList = browser_.List();
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && focusWidget() == fileList && fileList->OpenFolderItem(fileList->currentRow()))
    return;
  CSkinDlg::keyPressEvent(event);
}
