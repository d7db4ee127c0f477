#pragma once

#include <QString>
#include <map>
#include <optional>
#include <string_view>

// The most fields a query or a form of the pages may have.
inline constexpr int kMaxFormFields = 16;

// The fields of a query string or of an application/x-www-form-urlencoded body.
class FormFields {
 public:
  // Nothing when the text is malformed: a bad percent escape, bytes that are not UTF-8, a
  // control character, a name given twice, or more than kMaxFormFields fields.
  static std::optional<FormFields> Parse(std::string_view text);

  // The field's value; empty when it is missing.
  QString Value(const QString& name) const;
  bool Has(const QString& name) const { return values_.count(name) > 0; }

 private:
  std::map<QString, QString> values_;
};
