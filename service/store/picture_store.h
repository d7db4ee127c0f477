#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

#include "config/service_config.h"

class Database;

// A picture mail on its way: what the album keeps of it.
struct PictureRecord {
  qint64 id = 0;
  qint64 accountId = 0;
  qint64 sentAt = 0;  // seconds since 1970
  QString subject;
  int recipientCount = 0;
  QString contentType;
  QByteArray data;
};

// The mail would go over a limit; it fits again after this many seconds.
struct OverLimit {
  int retryAfterSeconds = 0;
};

// The pictures accounts have sent, which also count against the per-account limits: mails in
// the last hour and recipients in the last day.
class PictureStore {
 public:
  explicit PictureStore(Database& database) : database_(database) {}

  // When the mail stays within both limits, records it as being delivered and gives its id;
  // otherwise records nothing. Runs in one transaction that first locks the account's row, so
  // that mails of one account sent at once are counted one after the other. Pictures being
  // delivered count as sent.
  std::variant<qint64, OverLimit> Reserve(const PictureRecord& picture, const LimitsConfig& limits);
  // The relay took the mail: the album shows it from now on.
  void MarkDelivered(qint64 id);
  // The relay did not take it: as if it had never been tried.
  void Release(qint64 id);

  // The account's delivered pictures, newest first.
  std::vector<PictureRecord> Delivered(qint64 accountId);

 private:
  Database& database_;
};
