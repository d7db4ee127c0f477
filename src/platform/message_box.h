#pragma once

#include <QString>
#include <functional>

class QWidget;

enum class MessageIcon { None, Information, Warning, Stop };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

// A system message box with the program's caption. Blocks until it is answered.
MessageResult ShowMessageBox(QWidget* parent, const QString& text, MessageIcon icon,
                             MessageButtons buttons = MessageButtons::Ok);

// When set, message boxes are handed to the observer instead of being shown; its answer is
// returned. Lets tests and unattended runs see messages without blocking.
using MessageBoxObserver =
    std::function<MessageResult(const QString& text, MessageIcon icon, MessageButtons buttons)>;
void SetMessageBoxObserver(MessageBoxObserver observer);
