#include "grid_in_place_list.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "widgets/grid/grid_edit_rules.h"
#include "widgets/grid/grid_keys.h"

namespace {

// Reporting moves the focus, which would end the edit again.
bool g_ending = false;

}  // namespace

CGridInPlaceList::CGridInPlaceList(QWidget* parent, const Rect& rect, unsigned cellFormat, int id,
                                   int row, int col, const QStringList& items, const QString& text,
                                   unsigned startKey)
    : QComboBox(parent), id_(id), row_(row), col_(col), initialText_(text) {
  setObjectName(QStringLiteral("CGridInPlaceList"));
  setAttribute(Qt::WA_DeleteOnClose);
  // A centred cell gets a list without edit field.
  const bool listOnly = (cellFormat & 0x3) == 0x1;
  setEditable(!listOnly);
  setInsertPolicy(QComboBox::NoInsert);
  if (parent) setFont(parent->font());
  setGeometry(rect.ToQRect());
  setMaxVisibleItems(std::max(1, 120 / std::max(1, fontMetrics().height() + 2)));
  addItems(items);
  // The item the cell holds is the one selected, so that opening and leaving the list keeps
  // the cell's value; a text that is no item stays as typed text.
  const int current = static_cast<int>(items.indexOf(text));
  if (current >= 0) {
    setCurrentIndex(current);
  } else if (isEditable()) {
    setCurrentIndex(-1);
    setEditText(text);
  } else {
    setCurrentIndex(items.isEmpty() ? -1 : 0);
  }
  if (lineEdit()) {
    lineEdit()->selectAll();
    lineEdit()->installEventFilter(this);
  }
  connect(this, &QComboBox::activated, this, &CGridInPlaceList::OnActivated);
  connect(qApp, &QApplication::focusChanged, this, &CGridInPlaceList::OnFocusChanged);

  exitOnArrows_ = EditStartFor(startKey).exitOnArrows;
  show();
  setFocus(Qt::OtherFocusReason);
  // The key that started the edit arrives as typed; virtual keys type nothing.
  const EditStart start = EditStartFor(startKey);
  if (start.caret == EditCaret::ReplaceAll) {
    if (lineEdit()) {
      lineEdit()->selectAll();
      lineEdit()->insert(start.typed);
    } else {
      QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, start.typed);
      QComboBox::keyPressEvent(&typed);
    }
  } else if (start.caret == EditCaret::AtEndDeleteLast && lineEdit()) {
    lineEdit()->end(false);
    lineEdit()->backspace();
  }
}

QStringList CGridInPlaceList::Items() const {
  QStringList items;
  for (int i = 0; i < count(); ++i) items.append(itemText(i));
  return items;
}

bool CGridInPlaceList::Owns(const QWidget* widget) const {
  for (; widget; widget = widget->parentWidget()) {
    if (widget == this || widget == view() || widget == view()->window()) return true;
  }
  return false;
}

void CGridInPlaceList::OnFocusChanged(QWidget* old, QWidget* now) {
  if (ended_ || !Owns(old) || Owns(now)) return;
  EndEdit();
}

bool CGridInPlaceList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // The typed text joins the items at the end; the list stays open.
      const QString typed = currentText();
      if (!typed.isEmpty() && findText(typed, Qt::MatchExactly) < 0) addItem(typed);
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      keyPressEvent(key);
      return true;
    }
  }
  return QComboBox::eventFilter(watched, event);
}

void CGridInPlaceList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    lastKey_ = VK_ESCAPE;
    Report(initialText_, VK_ESCAPE);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();  // not the dialog's default button
    return;
  }
  QComboBox::keyPressEvent(event);
  event->accept();
}

void CGridInPlaceList::hidePopup() {
  // An item chosen in the drop-down is announced after the drop-down closes.
  popupClosing_ = true;
  QComboBox::hidePopup();
  QTimer::singleShot(0, this, [this] { popupClosing_ = false; });
}

void CGridInPlaceList::OnActivated(int index) {
  if (!popupClosing_ || index < 0) return;
  popupClosing_ = false;
  Report(itemText(index), 0);
}

void CGridInPlaceList::EndEdit() {
  if (ended_ || g_ending) return;
  Report(ChoiceListResult(currentText(), Items()), lastKey_);
}

void CGridInPlaceList::Report(const QString& text, unsigned lastKey) {
  if (ended_) return;
  ended_ = true;
  const bool wasEnding = g_ending;
  g_ending = true;
  if (Owns(QApplication::focusWidget()) && parentWidget())
    parentWidget()->setFocus(Qt::OtherFocusReason);

  CellDispInfo info;
  info.from = this;
  info.idFrom = id_;
  info.code = GRIDN_ENDEDIT;
  info.item.row = row_;
  info.item.col = col_;
  info.item.mask = CELLMASK_TEXT | CELLMASK_PARAM;
  info.item.text = text;
  info.item.data = static_cast<CellData>(lastKey);
  emit EndEditNotify(info);
  g_ending = wasEnding;
  hide();
  deleteLater();
}
