#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/message_box.h"
#include "qt_printers.h"

class QWidget;

// Every test runs with its own empty program folder (with a temp/ subfolder) and its own empty
// settings folder; message boxes are recorded instead of shown.
namespace testenv {

QString ProgramDir();
QString ConfigDir();

struct RecordedMessage {
  QString text;
  MessageIcon icon;
  MessageButtons buttons;
};
const std::vector<RecordedMessage>& Messages();
// The answer the recorded message boxes give from now on in this test (OK by default).
void AnswerMessagesWith(MessageResult answer);

// Runs `action` on the next modal dialog that opens (polling the event loop), so a test can
// look at and answer a dialog that blocks in exec(). Gives up after `timeoutMs`.
void OnNextModal(std::function<void(QWidget* dialog)> action, int timeoutMs = 30000);

}  // namespace testenv
