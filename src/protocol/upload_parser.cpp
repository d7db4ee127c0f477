#include "protocol/upload_parser.h"

#include <string>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

class Reader {
 public:
  explicit Reader(std::string_view body) : rest_(body) {}

  std::string_view Rest() const { return rest_; }

  bool Skip(std::string_view expected) {
    if (!rest_.starts_with(expected)) return false;
    rest_.remove_prefix(expected.size());
    return true;
  }

  // One line of text after `prefix`, up to its CR LF; a CR or LF alone inside refuses it.
  std::optional<std::string_view> Line(std::string_view prefix) {
    if (!Skip(prefix)) return std::nullopt;
    const std::size_t end = rest_.find_first_of(kLineEnd);
    if (end == std::string_view::npos || rest_.substr(end, 2) != kLineEnd) return std::nullopt;
    const std::string_view text = rest_.substr(0, end);
    rest_.remove_prefix(end + 2);
    return text;
  }

  // Text up to `terminator`, which is consumed.
  std::optional<std::string_view> Until(std::string_view terminator) {
    const std::size_t end = rest_.find(terminator);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view text = rest_.substr(0, end);
    rest_.remove_prefix(end + terminator.size());
    return text;
  }

 private:
  std::string_view rest_;
};

std::optional<ParsedUpload> Refuse(UploadBodyFault why, UploadBodyFault* fault) {
  if (fault) *fault = why;
  return std::nullopt;
}

}  // namespace

std::optional<ParsedUpload> ParseUploadBody(std::string_view body, UploadBodyFault* fault) {
  if (fault) *fault = UploadBodyFault::kNone;
  const std::string delimiterLine = "--" + std::string(kBodyDelimiter) + "\r\n";
  const std::string closing = "\r\n--" + std::string(kBodyDelimiter) + "--";
  using enum UploadBodyFault;

  Reader reader(body);
  if (!reader.Skip(delimiterLine)) return Refuse(kOpening, fault);
  const auto userId = reader.Line("");
  const auto password = userId ? reader.Line("") : std::nullopt;
  if (!password) return Refuse(kAccount, fault);
  if (!reader.Skip(delimiterLine)) return Refuse(kHeaderDelimiter, fault);
  const auto to = reader.Line("To: ");
  if (!to) return Refuse(kTo, fault);
  const auto from = reader.Line("From: ");
  if (!from) return Refuse(kFrom, fault);
  const auto subject = reader.Line("Subject: ");
  if (!subject) return Refuse(kSubject, fault);
  const auto message = reader.Until("\r\n" + delimiterLine);
  if (!message) return Refuse(kMessage, fault);
  const std::string_view rest = reader.Rest();
  if (!rest.ends_with(closing)) return Refuse(kClosing, fault);

  for (const std::string_view text : {*userId, *password, *to, *from, *subject, *message})
    if (text.size() > kUploadTextLimit) return Refuse(kTooLong, fault);

  ParsedUpload parsed;
  parsed.fields = {std::string(*userId), std::string(*password), std::string(*from),
                   std::string(*to),     std::string(*subject),  std::string(*message)};
  parsed.picture = rest.substr(0, rest.size() - closing.size());
  return parsed;
}
