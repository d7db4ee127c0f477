#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "widgets/grid/cell_range.h"

class CGridCellStore;
class CGridCtrl;

// The text of a block of cells as the clipboard and drags carry it: for each row of `range`
// with a height above 0, for each column with a width above 0, the cell's text if
// `isSelected` says so (else nothing), "\t" between columns, "\n" between rows, no line break
// after the last row.
QString BuildCopyText(const CGridCellStore& store, const CellRange& range,
                      const std::function<bool(int row, int col)>& isSelected);

// Splits pasted text into rows of fields: rows at "\n"; fields at "\t" or ",", each separator
// ending one field so that empty cells keep their place; every field trimmed of white space.
// An empty row is one empty field.
std::vector<QStringList> SplitPasteText(const QString& text);

// The selected cells of a grid as clipboard text.
QString SelectedText(const CGridCtrl& grid);
// Empties every selected cell of non-zero size that may be edited, telling the owner before
// (GRIDN_BEGINEDIT) and after (GRIDN_ENDEDIT) each and marking it modified.
void ClearSelectedCells(CGridCtrl& grid);
// Fills cells from `target` on with pasted text, row by row and field by field, skipping rows
// and columns of size 0 and cells that may not be edited (their field is used up all the
// same); what falls outside the grid is dropped. Filled cells are notified like cleared ones,
// marked modified and deselected.
void PasteFields(CGridCtrl& grid, const CellID& target, const QString& text);
