#include "edit_navigation.h"

#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace {

class EditNavigation : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))
      return false;
    QWidget* target = nullptr;
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Down:
        target = widget->nextInFocusChain();
        break;
      case Qt::Key_Up:
        target = widget->previousInFocusChain();
        break;
      default:
        return false;
    }
    // Step over widgets that cannot take the focus.
    while (target && target != widget &&
           (!(target->focusPolicy() & Qt::TabFocus) || !target->isVisibleTo(widget->window()) ||
            !target->isEnabled())) {
      target =
          key->key() == Qt::Key_Up ? target->previousInFocusChain() : target->nextInFocusChain();
    }
    if (target && target != widget) target->setFocus(Qt::TabFocusReason);
    return true;
  }
};

}  // namespace

void InstallEditNavigation(QWidget* edit) { edit->installEventFilter(new EditNavigation(edit)); }
