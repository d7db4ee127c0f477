#include "cgi/album_mail.h"

#include <QCoreApplication>
#include <QProcess>

SubmissionResult SubmitPageMail(const QString& configPath, const RelayConfig& relay,
                                const std::string& from, const std::vector<std::string>& to,
                                const std::string& message) {
  SubmissionResult result;
  std::string input = from + "\n";
  for (const std::string& mailbox : to) input += mailbox + "\n";
  input += "\n" + message;
  QProcess submit;
  submit.start(QCoreApplication::applicationDirPath() + QStringLiteral("/quillora-submit"),
               {configPath});
  if (!submit.waitForStarted(10000)) {
    result.detail = "quillora-submit: " + submit.errorString().toStdString();
    return result;
  }
  submit.write(input.data(), static_cast<qint64>(input.size()));
  submit.closeWriteChannel();
  // The relay's connection and transfer time-outs, with room to start and end.
  if (!submit.waitForFinished(2 * relay.timeoutSeconds * 1000 + 10000)) {
    submit.kill();
    submit.waitForFinished(1000);
    result.detail = "quillora-submit: no answer in time";
    return result;
  }
  const int status = submit.exitStatus() == QProcess::NormalExit ? submit.exitCode() : -1;
  result.detail = submit.readAllStandardError().trimmed().toStdString();
  if (status == 0)
    result.outcome = SubmissionResult::Outcome::kAccepted;
  else if (status == 2)
    result.outcome = SubmissionResult::Outcome::kRefused;
  return result;
}
