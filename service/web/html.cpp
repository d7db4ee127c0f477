#include "web/html.h"

#include <stdexcept>

#include "web/web_assets.h"

Html Html::Escaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return Html(std::move(escaped));
}

Html Html::Escaped(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Escaped(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

Html HtmlTemplate::Fill(std::string_view templateName, const std::vector<HtmlField>& fields) {
  std::string_view source = WebAsset(templateName);
  if (source.ends_with('\n')) source.remove_suffix(1);
  std::vector<bool> used(fields.size(), false);
  std::string out;
  out.reserve(source.size() + 256);
  std::size_t at = 0;
  while (true) {
    const std::size_t open = source.find("{{", at);
    if (open == std::string_view::npos) break;
    const std::size_t close = source.find("}}", open + 2);
    if (close == std::string_view::npos) break;
    out.append(source.substr(at, open - at));
    const std::string_view name = source.substr(open + 2, close - open - 2);
    std::size_t i = 0;
    while (i < fields.size() && fields[i].name != name) ++i;
    if (i == fields.size())
      throw std::logic_error(std::string(templateName) + ": no value for " + std::string(name));
    out += fields[i].value.Text();
    used[i] = true;
    at = close + 2;
  }
  out.append(source.substr(at));
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (!used[i])
      throw std::logic_error(std::string(templateName) + ": no place for " +
                             std::string(fields[i].name));
  return Html(std::move(out));
}
