#include "grid_edit_rules.h"

#include "widgets/grid/grid_keys.h"

const QString kChoiceSend = QStringLiteral("送信する");
const QString kChoiceDontSend = QStringLiteral("送信せず");

EditStart EditStartFor(unsigned key) {
  EditStart start;
  start.exitOnArrows = key != VK_LBUTTON;
  if (IsTypedChar(key)) {
    const char32_t c = CharOfKey(key);
    if (c == U'\r' || c == U'\n') {
      start.caret = EditCaret::AtEnd;
    } else if (c == U'\b') {
      start.caret = EditCaret::AtEndDeleteLast;
    } else if (c == U'\t' || c == U' ') {
      start.caret = EditCaret::SelectAll;
    } else if (c < 0x20 || c == 0x7F) {
      start.caret = EditCaret::SelectAll;  // a control character types nothing
    } else {
      start.caret = EditCaret::ReplaceAll;
      start.typed = QString::fromUcs4(&c, 1);
    }
    return start;
  }
  switch (key) {
    case VK_LBUTTON:
    case VK_RETURN:
      start.caret = EditCaret::AtEnd;
      break;
    case VK_BACK:
      start.caret = EditCaret::AtEndDeleteLast;
      break;
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      start.caret = EditCaret::SelectAll;
      break;
    default:
      if (key < 0x20 || key == 0x7F || key > 0x10FFFF) {
        start.caret = EditCaret::SelectAll;
      } else {
        const char32_t c = key;
        start.caret = EditCaret::ReplaceAll;
        start.typed = QString::fromUcs4(&c, 1);
      }
      break;
  }
  return start;
}

bool ContinuesEditing(unsigned lastKey) {
  switch (lastKey) {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      return true;
    default:
      return false;
  }
}

QStringList DefaultChoices() { return {kChoiceSend, kChoiceDontSend}; }

QString ChoiceListResult(const QString& text, const QStringList& items) {
  return items.contains(text) ? text : kChoiceDontSend;
}
