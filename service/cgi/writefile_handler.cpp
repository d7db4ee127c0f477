#include "cgi/writefile_handler.h"

#include <QDateTime>
#include <chrono>
#include <new>
#include <thread>
#include <variant>

#include "cgi/picture_delivery.h"
#include "cgi/upload_check.h"
#include "mail/mailbox.h"
#include "protocol/upload_layout.h"
#include "store/account_store.h"
#include "store/database.h"
#include "store/password_hash.h"
#include "store/schema.h"

namespace {

const QString kUnavailable =
    QStringLiteral("サービスが一時的に利用できません。しばらくしてからもう一度お試しください。");

WritefileResult Refuse(int status, const QString& reason, const char* outcome) {
  WritefileResult result;
  result.reply = CgiReply::Refusal(status, reason);
  result.log.outcome = outcome;
  result.log.status = status;
  return result;
}

// The account, or nothing after at least `floor` since `started`, whether the address is
// unknown, not an address at all, or the password wrong.
std::optional<Account> Authenticate(Database& database, const MailRequest& request,
                                    const ServiceConfig& config,
                                    std::chrono::steady_clock::time_point started) {
  const std::chrono::milliseconds floor(config.failureDelayMs);
  const QByteArray userId = request.userId.toUtf8();
  const auto mailbox = CanonicalMailbox(
      std::string_view(userId.constData(), static_cast<std::size_t>(userId.size())));
  std::optional<Account> account;
  if (mailbox)
    account = AccountStore(database).Authenticate(QString::fromStdString(*mailbox),
                                                  request.password, config.verifiedCache,
                                                  QDateTime::currentSecsSinceEpoch());
  else
    SpendPasswordCheck(request.password);
  if (!account) std::this_thread::sleep_until(started + floor);
  return account;
}

WritefileResult HandleBody(const std::string& body, const ServiceConfig& config,
                           std::chrono::steady_clock::time_point started) {
  std::variant<MailRequest, Refusal> checked = CheckUpload(body);
  if (const auto* refusal = std::get_if<Refusal>(&checked))
    return Refuse(refusal->status, refusal->reason, refusal->outcome);
  const MailRequest& request = std::get<MailRequest>(checked);

  WritefileResult result;
  try {
    Database database(config.database, Database::Creation::kRefused);
    if (StoredSchemaVersion(database) != kSchemaVersion) MigrateSchema(database);
    const std::optional<Account> account = Authenticate(database, request, config, started);
    if (!account) {
      result =
          Refuse(401, QStringLiteral("ユーザーIDまたはパスワードが違います。"), "unauthorized");
    } else if (!PictureDecodes(request.picture)) {
      result = Refuse(400, QStringLiteral("画像を読み込めません。"), "bad-picture");
    } else {
      DeliveryResult delivered = DeliverPicture(database, config, *account, request);
      result.reply = std::move(delivered.reply);
      result.log.outcome = delivered.outcome;
      result.log.status = result.reply.status;
    }
  } catch (const DatabaseError& error) {
    std::fprintf(stderr, "writefile.cgi: database: %s\n", error.what());
    result = Refuse(503, kUnavailable, "database-unavailable");
  } catch (const std::bad_alloc&) {
    result = Refuse(503, kUnavailable, "out-of-memory");
  }
  result.log.account = request.userId;
  if (result.reply.status == 200)
    result.log.recipients = static_cast<int>(request.recipients.size());
  return result;
}

}  // namespace

WritefileResult HandleWritefile(const CgiRequest& request, const BodyReader& readBody,
                                const QString& configPath) {
  const auto started = std::chrono::steady_clock::now();
  if (request.method != QLatin1String("POST")) {
    WritefileResult result = Refuse(405, QStringLiteral("POSTで送ってください。"), "not-post");
    result.reply.headers.emplace_back("Allow", "POST");
    return result;
  }
  const std::optional<std::size_t> length = request.BodyLength();
  if (!length) return Refuse(400, QStringLiteral("リクエストの長さがわかりません。"), "no-length");
  if (*length > kMaxBodyBytes)
    return Refuse(
        413, QStringLiteral("リクエストが大きすぎます（%1KiBまで）。").arg(kMaxBodyBytes / 1024),
        "too-large");
  if (!request.HasMediaType(QString::fromLatin1(kUploadMediaType.data(),
                                                static_cast<qsizetype>(kUploadMediaType.size()))))
    return Refuse(400, QStringLiteral("リクエストの形式が正しくありません（Content-Type）。"),
                  "bad-content-type");

  QStringList problems;
  const std::optional<ServiceConfig> config = ServiceConfig::Load(configPath, &problems);
  if (!config) {
    for (const QString& problem : problems)
      std::fprintf(stderr, "writefile.cgi: %s: %s\n", configPath.toUtf8().constData(),
                   problem.toUtf8().constData());
    return Refuse(503, kUnavailable, "config-invalid");
  }
  std::string body;
  if (!readBody(*length, body))
    return Refuse(400, QStringLiteral("リクエストが途中で切れています。"), "short-body");
  return HandleBody(body, *config, started);
}
