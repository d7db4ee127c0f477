#pragma once

class CGridCtrl;

// Lets screen readers see the grid as a table: the fixed row gives the column headings, every
// other row is a table row whose cells carry their texts. Safe to call more than once.
void InstallGridAccessible();

// Tells screen readers which cell has the focus now.
void NotifyGridFocusCell(CGridCtrl* grid);
