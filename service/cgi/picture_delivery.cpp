#include "cgi/picture_delivery.h"

#include <QDateTime>
#include <variant>

#include "mail/mime_message.h"
#include "mail/smtp_submission.h"
#include "store/database.h"
#include "store/picture_store.h"

namespace {

CgiReply Accepted(const Account& account) {
  CgiReply reply;
  reply.body = "OK\r\nalbum=" + std::to_string(account.albumNumber) + "\r\n";
  return reply;
}

}  // namespace

DeliveryResult DeliverPicture(Database& database, const ServiceConfig& config,
                              const Account& account, const MailRequest& request) {
  const QDateTime now = QDateTime::currentDateTime();
  PictureRecord record;
  record.accountId = account.id;
  record.sentAt = now.toSecsSinceEpoch();
  record.subject = request.subject;
  record.recipientCount = static_cast<int>(request.recipients.size());
  record.contentType = QString::fromStdString(request.pictureKind.mediaType);
  record.data = QByteArray(request.picture.data(), static_cast<qsizetype>(request.picture.size()));
  record.width = request.pictureKind.width;
  record.height = request.pictureKind.height;

  PictureStore pictures(database);
  const auto reserved = pictures.Reserve(record, config.limits);
  if (const auto* over = std::get_if<OverLimit>(&reserved)) {
    CgiReply reply = CgiReply::Refusal(
        429, QStringLiteral("送信数の上限に達しました。しばらくしてからもう一度お試しください。"));
    reply.headers.emplace_back("Retry-After", std::to_string(over->retryAfterSeconds));
    return {reply, "over-limit"};
  }
  const qint64 id = std::get<qint64>(reserved);

  PictureMail mail;
  mail.from = account.address.toStdString();
  mail.to = request.recipients;
  mail.subject = request.subject;
  mail.text = request.message;
  mail.picture = request.picture;
  mail.pictureType = request.pictureKind.mediaType;
  mail.pictureFileName = request.pictureKind.fileName;
  const std::string domain = config.mailDomain.toStdString();
  const std::string message = BuildMimeMessage(mail, now, NewMessageToken(), domain);
  const SubmissionResult submitted = SubmitMail(config.relay, domain, mail.from, mail.to, message);

  if (submitted.outcome != SubmissionResult::Outcome::kAccepted) {
    pictures.Release(id);
    std::fprintf(stderr, "writefile.cgi: relay %s:%d: %s\n", config.relay.host.toUtf8().constData(),
                 config.relay.port, submitted.detail.c_str());
    if (submitted.outcome == SubmissionResult::Outcome::kRefused)
      return {CgiReply::Refusal(502, QStringLiteral("メールサーバーが送信を断りました。")),
              "relay-refused"};
    return {
        CgiReply::Refusal(
            503, QStringLiteral(
                     "メールサーバーに接続できません。しばらくしてからもう一度お試しください。")),
        "relay-unavailable"};
  }
  try {
    pictures.MarkDelivered(id);
  } catch (const DatabaseError& error) {
    // The mail is on its way: the sender must not send it again. Only the album misses it.
    std::fprintf(stderr, "writefile.cgi: delivered but not recorded: %s\n", error.what());
    return {Accepted(account), "delivered-unrecorded"};
  }
  return {Accepted(account), "delivered"};
}
