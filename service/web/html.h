#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

// Markup for a page. Text only becomes Html escaped; the markup itself comes from the
// templates in service/web/assets and from literals in the code, never from a request.
class Html {
 public:
  Html() = default;
  static Html Escaped(std::string_view text);
  static Html Escaped(const QString& text);
  // A fixed piece of markup written in the code.
  template <std::size_t N>
  static Html Literal(const char (&markup)[N]) {
    return Html(std::string(markup, N - 1));
  }

  const std::string& Text() const { return text_; }
  Html& operator+=(const Html& more) {
    text_ += more.text_;
    return *this;
  }

 private:
  explicit Html(std::string text) : text_(std::move(text)) {}
  friend class HtmlTemplate;
  std::string text_;
};

// A value for a template's "{{name}}".
struct HtmlField {
  std::string_view name;
  Html value;
};
inline HtmlField Text(std::string_view name, const QString& text) {
  return {name, Html::Escaped(text)};
}
inline HtmlField Text(std::string_view name, qint64 number) {
  return {name, Html::Escaped(QString::number(number))};
}
inline HtmlField Markup(std::string_view name, Html html) { return {name, std::move(html)}; }

// Fills the template of that name: each "{{name}}" takes its field's markup. A placeholder
// without a field, or a field without a placeholder, is a mistake in the code and throws
// std::logic_error.
class HtmlTemplate {
 public:
  static Html Fill(std::string_view templateName, const std::vector<HtmlField>& fields);
};
