#pragma once

#include <QString>
#include <QStringList>

// The rules by which in-place edits start and end, apart from the editor windows.

// Where the caret goes when an editor opens, by the key that opened it.
enum class EditCaret {
  AtEnd,            // mouse, F2 or Enter: keep the text, caret at its end
  AtEndDeleteLast,  // Backspace: caret at the end, last character deleted
  SelectAll,        // Tab, Space, the page, Home/End and arrow keys
  ReplaceAll,       // any other character replaces the text
};

struct EditStart {
  EditCaret caret = EditCaret::AtEnd;
  QString typed;             // the replacing character for ReplaceAll
  bool exitOnArrows = true;  // arrows and page keys end the edit (not in mouse-started edits)
};

// `key`: VK_LBUTTON, a virtual key, or a typed character (TypedChar).
EditStart EditStartFor(unsigned key);

// Keys that end an edit and then move on and go on editing in the cell they reach.
bool ContinuesEditing(unsigned lastKey);

// The choices a choice cell offers when it has none of its own.
QStringList DefaultChoices();
extern const QString kChoiceSend;      // "送信する"
extern const QString kChoiceDontSend;  // "送信せず"

// What a drop-down list reports when it loses the focus: its text when that is one of the
// items, else "送信せず".
QString ChoiceListResult(const QString& text, const QStringList& items);
