#pragma once

#include <QString>
#include <string>
#include <vector>

#include "mail/smtp_submission.h"

// Hands a message of the pages to the relay through quillora-submit, the program beside this
// one, with the configuration at `configPath`. Waits for as long as the relay may take.
SubmissionResult SubmitPageMail(const QString& configPath, const RelayConfig& relay,
                                const std::string& from, const std::vector<std::string>& to,
                                const std::string& message);
