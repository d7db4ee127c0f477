#include "errors.h"

#include <cstring>

#include "message_box.h"

FileError FileError::FromErrno(int error, const QString& path) {
  const QString text = QString::fromLocal8Bit(std::strerror(error));
  return FileError(path.isEmpty() ? text : path + QStringLiteral(": ") + text, error);
}

QString InternalErrorText() { return QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの内部ｴﾗｰです。"); }

bool RunReportingErrors(QWidget* parent, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const ReportedError& error) {
    const QString text = error.Description().isEmpty() ? InternalErrorText() : error.Description();
    ShowMessageBox(parent, text, MessageIcon::Stop);
  } catch (const std::bad_alloc&) {
    ShowMessageBox(parent, InternalErrorText(), MessageIcon::Stop);
  }
  return false;
}
