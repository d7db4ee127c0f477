#include "message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageBoxObserver& Observer() {
  static MessageBoxObserver observer;
  return observer;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

void SetMessageBoxObserver(MessageBoxObserver observer) { Observer() = std::move(observer); }

MessageResult ShowMessageBox(QWidget* parent, const QString& text, MessageIcon icon,
                             MessageButtons buttons) {
  if (Observer()) return Observer()(text, icon, buttons);
  QMessageBox box(ToQtIcon(icon), QApplication::applicationName(), text, QMessageBox::NoButton,
                  parent);
  switch (buttons) {
    case MessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MessageButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Cancel:
      return MessageResult::Cancel;
    case QMessageBox::Yes:
      return MessageResult::Yes;
    case QMessageBox::No:
      return MessageResult::No;
    default:
      return MessageResult::Ok;
  }
}
