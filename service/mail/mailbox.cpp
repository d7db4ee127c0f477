#include "mail/mailbox.h"

#include <algorithm>

namespace {

constexpr std::size_t kLocalLimit = 64;
constexpr std::size_t kDomainLimit = 255;
constexpr std::size_t kLabelLimit = 63;
constexpr std::size_t kMailboxLimit = 254;  // a path of 256 bytes less its angle brackets

// ASCII only, whatever the locale.
bool IsLetterOrDigit(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsAtext(unsigned char c) {
  return IsLetterOrDigit(c) || std::string_view("!#$%&'*+-/=?^_`{|}~").find(static_cast<char>(c)) !=
                                   std::string_view::npos;
}

bool IsDotString(std::string_view local) {
  if (local.empty() || local.front() == '.' || local.back() == '.') return false;
  for (std::size_t i = 0; i < local.size(); ++i) {
    const auto c = static_cast<unsigned char>(local[i]);
    if (c == '.' ? local[i + 1] == '.' : !IsAtext(c)) return false;
  }
  return true;
}

bool IsQuotedString(std::string_view local) {
  if (local.size() < 2 || local.front() != '"' || local.back() != '"') return false;
  for (std::size_t i = 1; i + 1 < local.size(); ++i) {
    const auto c = static_cast<unsigned char>(local[i]);
    if (c == '\\') {
      if (i + 2 >= local.size()) return false;  // the closing quote cannot be escaped
      const auto quoted = static_cast<unsigned char>(local[++i]);
      if (quoted < 32 || quoted > 126) return false;
    } else if (c < 32 || c > 126 || c == '"') {
      return false;
    }
  }
  return true;
}

bool IsLabel(std::string_view label) {
  if (label.empty() || label.size() > kLabelLimit) return false;
  if (label.front() == '-' || label.back() == '-') return false;
  return std::all_of(label.begin(), label.end(), [](char c) {
    return IsLetterOrDigit(static_cast<unsigned char>(c)) || c == '-';
  });
}

bool IsDomain(std::string_view domain) {
  if (domain.empty() || domain.size() > kDomainLimit) return false;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = domain.find('.', start);
    if (!IsLabel(domain.substr(start, dot - start))) return false;
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

}  // namespace

bool IsMailbox(std::string_view address) {
  if (address.size() > kMailboxLimit) return false;
  const std::size_t at = address.rfind('@');
  if (at == std::string_view::npos) return false;
  const std::string_view local = address.substr(0, at);
  if (local.size() > kLocalLimit) return false;
  return (IsDotString(local) || IsQuotedString(local)) && IsDomain(address.substr(at + 1));
}

std::optional<std::string> CanonicalMailbox(std::string_view address) {
  if (!IsMailbox(address)) return std::nullopt;
  std::string canonical(address);
  const std::size_t at = canonical.rfind('@');
  std::transform(canonical.begin() + static_cast<std::ptrdiff_t>(at), canonical.end(),
                 canonical.begin() + static_cast<std::ptrdiff_t>(at), [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                 });
  return canonical;
}
