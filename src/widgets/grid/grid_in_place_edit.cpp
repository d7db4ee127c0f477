#include "grid_in_place_edit.h"

#include <QKeyEvent>
#include <algorithm>

#include "widgets/grid/grid_edit_rules.h"
#include "widgets/grid/grid_keys.h"

namespace {

// Ending reports to the grid, which moves the focus, which would end the edit again.
bool g_ending = false;

Qt::Alignment AlignmentOf(unsigned cellFormat) {
  if (cellFormat & 0x1) return Qt::AlignHCenter | Qt::AlignVCenter;  // DT_CENTER
  if (cellFormat & 0x2) return Qt::AlignRight | Qt::AlignVCenter;    // DT_RIGHT
  return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

CGridInPlaceEdit::CGridInPlaceEdit(QWidget* parent, const Rect& rect, unsigned cellFormat, int id,
                                   int row, int col, const QString& text, unsigned startKey)
    : QLineEdit(parent), id_(id), row_(row), col_(col), initialText_(text), rect_(rect) {
  setObjectName(QStringLiteral("CGridInPlaceEdit"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFrame(true);
  setTextMargins(0, 0, 0, 0);
  setAlignment(AlignmentOf(cellFormat));
  if (parent) setFont(parent->font());
  setGeometry(rect.ToQRect());
  setText(text);

  const EditStart start = EditStartFor(startKey);
  exitOnArrows_ = start.exitOnArrows;
  switch (start.caret) {
    case EditCaret::AtEnd:
      setCursorPosition(static_cast<int>(this->text().size()));
      break;
    case EditCaret::AtEndDeleteLast:
      setCursorPosition(static_cast<int>(this->text().size()));
      backspace();
      break;
    case EditCaret::SelectAll:
      selectAll();
      break;
    case EditCaret::ReplaceAll:
      selectAll();
      insert(start.typed);
      break;
  }
  show();
  setFocus(Qt::OtherFocusReason);
  if (start.caret == EditCaret::ReplaceAll) Widen();
}

bool CGridInPlaceEdit::event(QEvent* event) {
  // The box wants every key, Tab included; Alt+character does nothing here.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return ||
        key->key() == Qt::Key_Enter) {
      event->accept();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void CGridInPlaceEdit::keyPressEvent(QKeyEvent* event) {
  const unsigned vk = VirtualKeyFromQt(event->key());
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (exitOnArrows_ || ctrl) {
        lastKey_ = vk;
        EndEdit();
        return;
      }
      // A one-line box moves the caret for Up and Down as for Left and Right.
      if (vk == VK_UP || vk == VK_DOWN) {
        cursorForward(event->modifiers() & Qt::ShiftModifier, vk == VK_DOWN ? 1 : -1);
      } else if (vk == VK_LEFT || vk == VK_RIGHT) {
        QLineEdit::keyPressEvent(event);
      }
      event->accept();
      return;
    case VK_TAB:
    case VK_RETURN:
      lastKey_ = vk;
      EndEdit();
      return;
    case VK_ESCAPE:
      setText(initialText_);
      lastKey_ = VK_ESCAPE;
      EndEdit();
      return;
    default:
      break;
  }
  QLineEdit::keyPressEvent(event);
  event->accept();  // nothing typed here reaches the grid
  Widen();
}

void CGridInPlaceEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason) return;  // a context menu of the box
  EndEdit();
}

void CGridInPlaceEdit::Widen() {
  QWidget* grid = parentWidget();
  if (!grid) return;
  const QFontMetrics metrics(font());
  const int frame = width() - contentsRect().width() + 2 * 2;  // frame and text margins
  const int wanted = metrics.horizontalAdvance(text() + QStringLiteral("  ")) + frame;
  const int limit = grid->contentsRect().right() + 1 - x();
  const int newWidth = std::min(wanted, limit);
  if (newWidth > width()) resize(newWidth, height());
}

void CGridInPlaceEdit::EndEdit() {
  if (ended_ || g_ending) return;
  ended_ = true;
  g_ending = true;
  // Hand the focus back to the grid before the box goes (unless it already went elsewhere).
  if (hasFocus() && parentWidget()) parentWidget()->setFocus(Qt::OtherFocusReason);

  CellDispInfo info;
  info.from = this;
  info.idFrom = id_;
  info.code = GRIDN_ENDEDIT;
  info.item.row = row_;
  info.item.col = col_;
  info.item.mask = CELLMASK_TEXT | CELLMASK_PARAM;
  info.item.text = text();
  info.item.data = static_cast<CellData>(lastKey_);
  emit EndEditNotify(info);
  g_ending = false;
  hide();
  deleteLater();
}
