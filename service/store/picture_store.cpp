#include "store/picture_store.h"

#include <algorithm>

#include "store/database.h"
#include "store/token.h"

namespace {

constexpr qint64 kHour = 3600;
constexpr qint64 kDay = 24 * kHour;

struct Sent {
  qint64 at;
  int recipients;
};

// Seconds until `picture` fits both limits given what was sent in the last day (newest
// first); 0 when it fits now.
qint64 WaitForLimits(const std::vector<Sent>& sent, const PictureRecord& picture,
                     const LimitsConfig& limits) {
  const qint64 now = picture.sentAt;
  qint64 fitsAt = now;
  // Mails per hour: the mailsPerHour-th newest mail of the hour has to leave it.
  const std::size_t mails = static_cast<std::size_t>(limits.mailsPerHour);
  if (mails == 0) return kHour;
  if (sent.size() >= mails && sent[mails - 1].at > now - kHour)
    fitsAt = std::max(fitsAt, sent[mails - 1].at + kHour);
  // Recipients per day: the newest mails that leave room for this one's recipients may stay.
  if (picture.recipientCount > limits.recipientsPerDay) return kDay;
  int kept = picture.recipientCount;
  for (const Sent& mail : sent) {
    kept += mail.recipients;
    if (kept > limits.recipientsPerDay) {
      fitsAt = std::max(fitsAt, mail.at + kDay);
      break;
    }
  }
  return fitsAt - now;
}

}  // namespace

std::variant<qint64, OverLimit> PictureStore::Reserve(const PictureRecord& picture,
                                                      const LimitsConfig& limits) {
  Transaction transaction(database_);
  // Writing the account's row first takes the write lock (SQLite) or that row's lock
  // (PostgreSQL) before anything is counted.
  database_.Run(QStringLiteral("UPDATE accounts SET last_request_at = ? WHERE id = ?"),
                {QVariant::fromValue<qint64>(picture.sentAt),
                 QVariant::fromValue<qint64>(picture.accountId)});
  QSqlQuery rows = database_.Run(
      QStringLiteral("SELECT sent_at, recipient_count FROM pictures"
                     " WHERE account_id = ? AND sent_at > ? ORDER BY sent_at DESC, id DESC"),
      {QVariant::fromValue<qint64>(picture.accountId),
       QVariant::fromValue<qint64>(picture.sentAt - kDay)});
  std::vector<Sent> sent;
  while (rows.next()) sent.push_back({rows.value(0).toLongLong(), rows.value(1).toInt()});
  rows.finish();
  if (const qint64 wait = WaitForLimits(sent, picture, limits); wait > 0)
    return OverLimit{static_cast<int>(wait)};

  QSqlQuery inserted = database_.Run(
      QStringLiteral("INSERT INTO pictures (account_id, sent_at, subject, recipient_count,"
                     " content_type, data, public_id, width, height)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
      {QVariant::fromValue<qint64>(picture.accountId), QVariant::fromValue<qint64>(picture.sentAt),
       picture.subject, picture.recipientCount, picture.contentType, picture.data,
       QString::fromStdString(NewPictureId()), picture.width, picture.height});
  if (!inserted.next()) throw DatabaseError("the new picture has no id");
  const qint64 id = inserted.value(0).toLongLong();
  inserted.finish();
  transaction.Commit();
  return id;
}

void PictureStore::MarkDelivered(qint64 id) {
  database_.Run(QStringLiteral("UPDATE pictures SET delivered = 1 WHERE id = ?"),
                {QVariant::fromValue<qint64>(id)});
}

void PictureStore::Release(qint64 id) {
  database_.Run(QStringLiteral("DELETE FROM pictures WHERE id = ?"),
                {QVariant::fromValue<qint64>(id)});
}

namespace {

const QString kEntryColumns = QStringLiteral("public_id, sent_at, subject, width, height");

AlbumEntry EntryOf(const QSqlQuery& row) {
  return {row.value(0).toString(), row.value(1).toLongLong(), row.value(2).toString(),
          row.value(3).toInt(), row.value(4).toInt()};
}

}  // namespace

std::vector<AlbumEntry> PictureStore::AlbumPage(qint64 accountId, int offset, int limit) {
  QSqlQuery rows = database_.Run(QStringLiteral("SELECT %1 FROM pictures"
                                                " WHERE account_id = ? AND delivered = 1"
                                                " ORDER BY sent_at DESC, id DESC LIMIT ? OFFSET ?")
                                     .arg(kEntryColumns),
                                 {QVariant::fromValue<qint64>(accountId), limit, offset});
  std::vector<AlbumEntry> entries;
  while (rows.next()) entries.push_back(EntryOf(rows));
  return entries;
}

qint64 PictureStore::DeliveredCount(qint64 accountId) {
  QSqlQuery row = database_.Run(
      QStringLiteral("SELECT COUNT(*) FROM pictures WHERE account_id = ? AND delivered = 1"),
      {QVariant::fromValue<qint64>(accountId)});
  return row.next() ? row.value(0).toLongLong() : 0;
}

std::optional<AlbumEntry> PictureStore::Entry(qint64 accountId, const QString& publicId) {
  QSqlQuery row =
      database_.Run(QStringLiteral("SELECT %1 FROM pictures"
                                   " WHERE account_id = ? AND public_id = ? AND delivered = 1")
                        .arg(kEntryColumns),
                    {QVariant::fromValue<qint64>(accountId), publicId});
  if (!row.next()) return std::nullopt;
  return EntryOf(row);
}

std::optional<ServedPicture> PictureStore::ByPublicId(const QString& publicId) {
  QSqlQuery row =
      database_.Run(QStringLiteral("SELECT p.account_id, a.album_public, p.content_type, p.data"
                                   " FROM pictures p JOIN accounts a ON a.id = p.account_id"
                                   " WHERE p.public_id = ? AND p.delivered = 1"),
                    {publicId});
  if (!row.next()) return std::nullopt;
  return ServedPicture{row.value(0).toLongLong(), row.value(1).toInt() != 0,
                       row.value(2).toString(), row.value(3).toByteArray()};
}

bool PictureStore::Remove(qint64 accountId, const QString& publicId) {
  return database_
             .Run(QStringLiteral("DELETE FROM pictures"
                                 " WHERE account_id = ? AND public_id = ? AND delivered = 1"),
                  {QVariant::fromValue<qint64>(accountId), publicId})
             .numRowsAffected() > 0;
}
