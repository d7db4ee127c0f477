#pragma once

#include <QMetaType>
#include <QString>
#include <cstdint>

#include "platform/color_ref.h"
#include "platform/log_font.h"

class QWidget;

// Cell state bits.
constexpr unsigned CELLSTATE_FOCUSED = 0x01;
constexpr unsigned CELLSTATE_SELECTED = 0x02;
constexpr unsigned CELLSTATE_DROPHILITED = 0x04;
constexpr unsigned CELLSTATE_READONLY = 0x08;
constexpr unsigned CELLSTATE_FIXED = 0x10;
constexpr unsigned CELLSTATE_MODIFIED = 0x20;

// Which fields of a CellInfo are meant.
constexpr unsigned CELLMASK_TEXT = 0x001;
constexpr unsigned CELLMASK_IMAGE = 0x002;
constexpr unsigned CELLMASK_PARAM = 0x004;
constexpr unsigned CELLMASK_STATE = 0x008;
constexpr unsigned CELLMASK_BKCLR = 0x010;
constexpr unsigned CELLMASK_FGCLR = 0x020;
constexpr unsigned CELLMASK_FORMAT = 0x040;
constexpr unsigned CELLMASK_FONT = 0x080;
constexpr unsigned CELLMASK_MARGIN = 0x100;

// Notification codes the grid sends its owner.
constexpr int NM_CLICK = -2;
constexpr int NM_DBLCLK = -3;
constexpr int NM_RCLICK = -5;
constexpr int GRIDN_SELCHANGING = -100;
constexpr int GRIDN_SELCHANGED = -101;
constexpr int GRIDN_BEGINEDIT = -105;
constexpr int GRIDN_ENDEDIT = -106;
constexpr int GRIDN_BEGINDRAG = -109;

// The control id of an in-place editor.
constexpr int IDC_INPLACE_CONTROL = 8;

using CellData = std::intptr_t;

// The description of one cell, passed to SetCellInfo and GetCellInfo.
struct CellInfo {
  int row = -1;
  int col = -1;
  unsigned mask = 0;
  unsigned state = 0;
  unsigned format = 0;
  QString text;
  int image = -1;
  ColorRef backColor = CLR_DEFAULT;
  ColorRef textColor = CLR_DEFAULT;
  CellData data = 0;
  LogFont font;
  unsigned margin = 0;
};

// What the grid tells its owner: who sends, the code, and the cell it concerns.
struct GridNotify {
  QWidget* from = nullptr;
  int idFrom = 0;
  int code = 0;
  int row = -1;
  int column = -1;
};

// What an in-place editor reports when it ends (code GRIDN_ENDEDIT): the cell, the text and,
// as data, the key that ended the edit (0 for none).
struct CellDispInfo {
  QWidget* from = nullptr;
  int idFrom = 0;
  int code = 0;
  CellInfo item;
};

Q_DECLARE_METATYPE(GridNotify)
Q_DECLARE_METATYPE(CellDispInfo)
