#include "cgi/form_fields.h"

#include <QStringDecoder>
#include <string>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "+" is a space and "%XX" a byte; the bytes must be UTF-8 without control characters.
std::optional<QString> Decode(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      bytes += ' ';
    } else if (text[i] == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = HexDigit(text[i + 1]);
      const int low = HexDigit(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      bytes += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      bytes += text[i];
    }
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (utf8.hasError()) return std::nullopt;
  for (const QChar c : decoded)
    if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)) return std::nullopt;
  return decoded;
}

}  // namespace

std::optional<FormFields> FormFields::Parse(std::string_view text) {
  FormFields fields;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('&', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view pair = text.substr(at, end - at);
    at = end + 1;
    if (pair.empty()) continue;
    const std::size_t equals = pair.find('=');
    const auto name = Decode(pair.substr(0, equals));
    const auto value =
        Decode(equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1));
    if (!name || !value || fields.values_.count(*name) > 0 ||
        static_cast<int>(fields.values_.size()) >= kMaxFormFields)
      return std::nullopt;
    fields.values_.emplace(*name, *value);
  }
  return fields;
}

QString FormFields::Value(const QString& name) const {
  const auto found = values_.find(name);
  return found == values_.end() ? QString() : found->second;
}
