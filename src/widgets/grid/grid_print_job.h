#pragma once

#include <QString>

class CGridCtrl;
class QPrinter;

// The name a grid's print job goes by: the application's title, else the nearest window
// title around the grid.
QString PrintDocumentName(const CGridCtrl& grid);

// Prints the grid on `printer` (set to the screen's resolution), one page after the other
// through the grid's print steps. A page that fails ends the job and aborts it (a file being
// written is removed). False when the job could not start, failed or was aborted.
bool PrintGridDocument(CGridCtrl& grid, QPrinter& printer);

// Asks for a printer with the standard print dialog (the whole grid, no page range or
// selection) and prints the grid on it; nothing when the dialog is cancelled.
void PrintGridWithDialog(CGridCtrl& grid);
