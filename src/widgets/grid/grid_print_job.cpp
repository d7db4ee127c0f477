#include "grid_print_job.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_printer.h"

QString PrintDocumentName(const CGridCtrl& grid) {
  const QString title = QGuiApplication::applicationDisplayName();
  return title.isEmpty() ? FirstParentTitle(&grid) : title;
}

bool PrintGridDocument(CGridCtrl& grid, QPrinter& printer) {
  printer.setDocName(PrintDocumentName(grid));
  // The grid is measured with the screen's fonts; at the screen's resolution the printer
  // resolves them alike (the output stays vector graphics).
  printer.setResolution(grid.logicalDpiY());
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  GridPrintInfo info;
  info.drawRect = Rect(0, 0, printer.width(), printer.height());
  grid.OnBeginPrinting(&painter, info);
  bool failed = false;
  for (int page = info.minPage; page <= info.maxPage && !failed; ++page) {
    if (page > info.minPage && !printer.newPage()) {
      failed = true;
      break;
    }
    info.currentPage = page;
    grid.OnPrint(&painter, info);
    failed = printer.printerState() == QPrinter::Error;
  }
  grid.OnEndPrinting(&painter, info);
  if (!failed) return painter.end();

  printer.abort();
  painter.end();
  // The PDF writer cannot abort: what it wrote of the job must not pass for the document.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    QFile::remove(printer.outputFileName());
  return false;
}

void PrintGridWithDialog(CGridCtrl& grid) {
  QPrinter printer(QPrinter::ScreenResolution);
  QPrintDialog dialog(&printer, &grid);
  // Printing to a file stays offered: it is how a PDF is made.
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintGridDocument(grid, printer);
}
