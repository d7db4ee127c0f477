// quillora-submit CONFIG: hands one message to the service's relay over SMTP, for the pages,
// which do not load the transfer library themselves. Standard input: the sender's mailbox on the
// first line, one recipient a line, an empty line, then the message. Exit status 0 when the
// relay took it, 2 when it refused it, 3 when it could not be reached; the reason on standard
// error.
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "config/service_config.h"
#include "mail/smtp_submission.h"

namespace {

// More than any message of the pages.
constexpr std::size_t kMaxInput = 1024 * 1024;

std::string ReadInput() {
  std::string input;
  char buffer[8192];
  for (ssize_t count;
       input.size() <= kMaxInput && (count = ::read(STDIN_FILENO, buffer, sizeof buffer)) != 0;)
    if (count > 0)
      input.append(buffer, static_cast<std::size_t>(count));
    else if (errno != EINTR)
      break;
  return input;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::fputs("usage: quillora-submit CONFIG < envelope and message\n", stderr);
    return 64;
  }
  QStringList problems;
  const auto config = ServiceConfig::Load(QString::fromLocal8Bit(argv[1]), &problems);
  if (!config) {
    std::fprintf(stderr, "%s\n", problems.join("; ").toUtf8().constData());
    return 3;
  }
  const std::string input = ReadInput();
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (true) {
    const std::size_t end = input.find('\n', at);
    if (end == std::string::npos || input.size() > kMaxInput) {
      std::fputs("malformed input\n", stderr);
      return 64;
    }
    const std::string line = input.substr(at, end - at);
    at = end + 1;
    if (line.empty()) break;
    lines.push_back(line);
  }
  if (lines.size() < 2) {
    std::fputs("no sender or no recipient\n", stderr);
    return 64;
  }
  const std::vector<std::string> to(lines.begin() + 1, lines.end());
  const SubmissionResult result = SubmitMail(config->relay, config->mailDomain.toStdString(),
                                             lines.front(), to, input.substr(at));
  if (result.outcome == SubmissionResult::Outcome::kAccepted) return 0;
  std::fprintf(stderr, "%s\n", result.detail.c_str());
  return result.outcome == SubmissionResult::Outcome::kRefused ? 2 : 3;
}
