#include "grid_file_menu.h"

#include <QFileDialog>
#include <QMenu>

#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_row_file.h"

namespace {

const QStringList& TextFileFilters() {
  static const QStringList filters = {QStringLiteral("CSV ファイル (*.csv *.txt)"),
                                      QStringLiteral("すべてのファイル (*)")};
  return filters;
}

GridFileChooser& Chooser() {
  static GridFileChooser chooser;
  return chooser;
}

// The file the user picks, or an empty path.
QString ChooseFile(CGridCtrl& grid, const QString& caption, QFileDialog::AcceptMode mode) {
  const bool save = mode == QFileDialog::AcceptSave;
  if (Chooser()) return Chooser()(&grid, caption, save);
  QFileDialog dialog(&grid, caption);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters(TextFileFilters());
  if (save) dialog.setDefaultSuffix(QStringLiteral("csv"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

}  // namespace

CGridFileMenu::CGridFileMenu(CGridCtrl& grid) : grid_(grid) {
  grid_.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&grid_, &QWidget::customContextMenuRequested, this, &CGridFileMenu::Show);
}

CGridFileMenu::~CGridFileMenu() { grid_.setContextMenuPolicy(Qt::DefaultContextMenu); }

void CGridFileMenu::SetFileChooser(GridFileChooser chooser) { Chooser() = std::move(chooser); }

void CGridFileMenu::SetImportedRowSetup(ImportedRowSetup setup) {
  importedRowSetup_ = std::move(setup);
}

void CGridFileMenu::Show(QPoint position) {
  QMenu menu(&grid_);
  QAction* print = menu.addAction(QStringLiteral("印刷..."));
  QAction* save = menu.addAction(QStringLiteral("書き出し..."));
  QAction* load = menu.addAction(QStringLiteral("読み込み..."));
  // The chosen command runs once the menu has closed.
  QAction* chosen = menu.exec(grid_.mapToGlobal(position));
  if (chosen == print) {
    grid_.Print();
  } else if (chosen == save) {
    Export();
  } else if (chosen == load) {
    Import();
  }
}

void CGridFileMenu::Export() {
  const QString path = ChooseFile(grid_, QStringLiteral("書き出し"), QFileDialog::AcceptSave);
  if (!path.isEmpty()) ExportGridRows(grid_, path);
}

void CGridFileMenu::Import() {
  const QString path = ChooseFile(grid_, QStringLiteral("読み込み"), QFileDialog::AcceptOpen);
  if (!path.isEmpty()) ImportGridRows(grid_, path, importedRowSetup_);
}
