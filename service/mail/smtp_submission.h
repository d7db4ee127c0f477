#pragma once

#include <string>
#include <vector>

#include "config/service_config.h"

struct SubmissionResult {
  enum class Outcome {
    kAccepted,     // the relay took the mail for every recipient
    kRefused,      // the relay answered with a permanent refusal (5xx)
    kUnavailable,  // no connection, a time-out, or a temporary refusal (4xx)
  };
  Outcome outcome = Outcome::kUnavailable;
  std::string detail;  // the transfer library's text and the relay's last reply code
};

// Hands the message to the relay over SMTP (plain, on the host's own network): MAIL FROM,
// RCPT TO for every recipient, DATA. The mail counts as sent only when the relay accepted all
// of it; a refusal of any recipient sends nothing.
SubmissionResult SubmitMail(const RelayConfig& relay, const std::string& heloDomain,
                            const std::string& from, const std::vector<std::string>& to,
                            const std::string& message);

// Whether the relay answers as an SMTP server (EHLO, NOOP, QUIT); an empty text when it does,
// else what went wrong.
std::string CheckRelay(const RelayConfig& relay, const std::string& heloDomain);
