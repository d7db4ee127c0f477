#pragma once

#include <QFont>
#include <QString>

#include "platform/rect.h"

class QPainter;

// Text format flags, with the values drawing code has always stored in its formats.
constexpr unsigned DT_TOP = 0x00000000;
constexpr unsigned DT_LEFT = 0x00000000;
constexpr unsigned DT_CENTER = 0x00000001;
constexpr unsigned DT_RIGHT = 0x00000002;
constexpr unsigned DT_VCENTER = 0x00000004;
constexpr unsigned DT_BOTTOM = 0x00000008;
constexpr unsigned DT_WORDBREAK = 0x00000010;
constexpr unsigned DT_SINGLELINE = 0x00000020;
constexpr unsigned DT_EXPANDTABS = 0x00000040;
constexpr unsigned DT_TABSTOP = 0x00000080;
constexpr unsigned DT_NOCLIP = 0x00000100;
constexpr unsigned DT_EXTERNALLEADING = 0x00000200;
constexpr unsigned DT_CALCRECT = 0x00000400;
constexpr unsigned DT_NOPREFIX = 0x00000800;
constexpr unsigned DT_INTERNAL = 0x00001000;
constexpr unsigned DT_EDITCONTROL = 0x00002000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x00004000;
constexpr unsigned DT_END_ELLIPSIS = 0x00008000;
constexpr unsigned DT_MODIFYSTRING = 0x00010000;
constexpr unsigned DT_RTLREADING = 0x00020000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x00040000;

// Draws `text` into `rect` with the painter's font and pen, as `format` says:
// - horizontal alignment DT_LEFT / DT_CENTER / DT_RIGHT on every line;
// - DT_SINGLELINE keeps one line (line breaks show as spaces) and only then honours
//   DT_VCENTER / DT_BOTTOM; otherwise lines break at CR, LF or CR LF, and with DT_WORDBREAK
//   also where a line would pass the right edge (between words, or between CJK characters);
// - unless DT_NOPREFIX, "&x" underlines x and "&&" shows one "&";
// - DT_END_ELLIPSIS ends a line that does not fit with an ellipsis;
// - DT_EXPANDTABS expands tabs to every 8 characters;
// - the text is clipped to `rect` unless DT_NOCLIP;
// - DT_CALCRECT draws nothing.
// Returns the height of the text; with DT_SINGLELINE and DT_VCENTER or DT_BOTTOM, the distance
// from rect's top to the bottom of the text.
int DrawText(QPainter& painter, const Rect& rect, const QString& text, unsigned format);

// What DT_CALCRECT measures: `rect` moved nowhere, with its bottom set to fit the text and its
// right edge set to the widest line (for word-broken text only where a line is wider than rect).
Rect CalcTextRect(const QFont& font, const Rect& rect, const QString& text, unsigned format);
