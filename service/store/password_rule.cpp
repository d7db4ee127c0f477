#include "store/password_rule.h"

#include <algorithm>
#include <string>

#include "protocol/cp932.h"

PasswordFault CheckSendablePassword(const QString& password) {
  if (password.isEmpty()) return PasswordFault::kEmpty;
  bool lossless = true;
  const std::string bytes = ToCp932(password, &lossless);
  if (!lossless) return PasswordFault::kUnsendable;
  if (bytes.size() > static_cast<std::size_t>(kPasswordLimit)) return PasswordFault::kTooLong;
  if (std::any_of(password.begin(), password.end(),
                  [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }))
    return PasswordFault::kControlCharacter;
  return PasswordFault::kNone;
}
