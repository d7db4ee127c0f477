#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
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
  int width = 0;  // pixels; 0 for pictures kept before sizes were
  int height = 0;
};

// A picture as the album pages list it, without its bytes.
struct AlbumEntry {
  QString publicId;  // the random name in its address
  qint64 sentAt = 0;
  QString subject;
  int width = 0;
  int height = 0;
};

// A picture as its address serves it.
struct ServedPicture {
  qint64 accountId = 0;
  bool albumPublic = false;
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

  // Delivered pictures of the account, newest first, from `offset` on.
  std::vector<AlbumEntry> AlbumPage(qint64 accountId, int offset, int limit);
  qint64 DeliveredCount(qint64 accountId);
  // One delivered picture of the account; nothing when it has none of that name.
  std::optional<AlbumEntry> Entry(qint64 accountId, const QString& publicId);
  // A delivered picture by its public name, whoever's it is.
  std::optional<ServedPicture> ByPublicId(const QString& publicId);
  // Removes the account's picture of that name; false when it has none.
  bool Remove(qint64 accountId, const QString& publicId);

 private:
  Database& database_;
};
