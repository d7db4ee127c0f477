#pragma once

#include "skin/skin_dlg.h"

// The version window: the program's icon, name, version and copyright, with an OK button.
class CAboutDlg : public CSkinDlg {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};
