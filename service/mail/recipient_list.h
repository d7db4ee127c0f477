#pragma once

#include <QString>
#include <string>
#include <vector>

// The most recipients one mail may have.
inline constexpr std::size_t kMaxRecipients = 10;

struct RecipientList {
  enum class Fault { kNone, kEmptyItem, kNotAMailbox, kTooMany };
  Fault fault = Fault::kNone;
  QString offending;                   // the item refused, for kNotAMailbox
  std::vector<std::string> mailboxes;  // canonical, each once, in the order first given

  // Splits the To text on commas and trims each item; every item must be a mailbox. Items
  // that name the same mailbox count once; more than kMaxRecipients distinct ones are refused,
  // and so is an empty item (two commas in a row, or one at either end).
  static RecipientList Parse(const QString& to);
};
