#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

#include "widgets/grid/grid_row_file.h"

class CGridCtrl;
class QWidget;

// Asks for the file to write (`save`) or read; empty when the user cancels.
using GridFileChooser = std::function<QString(QWidget* parent, const QString& caption, bool save)>;

// A right-click menu on a grid: "印刷..." prints it, "書き出し..." writes its rows to a
// comma-separated file and "読み込み..." replaces its non-fixed rows by those of such a file
// (columns and headings stay; see ImportGridRows), both files chosen in the standard file
// dialog. The grid's context menu
// policy is its own while the menu is attached.
class CGridFileMenu : public QObject {
  Q_OBJECT

 public:
  explicit CGridFileMenu(CGridCtrl& grid);
  ~CGridFileMenu() override;

  // Replaces the standard file dialog (tests answer it this way); nullptr restores it.
  static void SetFileChooser(GridFileChooser chooser);

  // What each row read in gets once its texts are set.
  void SetImportedRowSetup(ImportedRowSetup setup);

 private:
  void Show(QPoint position);
  void Export();
  void Import();

  CGridCtrl& grid_;
  ImportedRowSetup importedRowSetup_;
};
