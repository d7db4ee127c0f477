#include "mail/recipient_list.h"

#include <QStringList>
#include <algorithm>

#include "mail/mailbox.h"

RecipientList RecipientList::Parse(const QString& to) {
  RecipientList list;
  for (const QString& item : to.split(QLatin1Char(','))) {
    const QString trimmed = item.trimmed();
    if (trimmed.isEmpty()) {
      list.fault = Fault::kEmptyItem;
      return list;
    }
    const QByteArray bytes = trimmed.toUtf8();
    const std::optional<std::string> mailbox = CanonicalMailbox(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!mailbox) {
      list.fault = Fault::kNotAMailbox;
      list.offending = trimmed;
      return list;
    }
    if (std::find(list.mailboxes.begin(), list.mailboxes.end(), *mailbox) != list.mailboxes.end())
      continue;
    if (list.mailboxes.size() == kMaxRecipients) {
      list.fault = Fault::kTooMany;
      return list;
    }
    list.mailboxes.push_back(*mailbox);
  }
  return list;
}
