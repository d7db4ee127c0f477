#include "admin/admin_command.h"

#include <QDateTime>
#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "mail/mailbox.h"
#include "mail/smtp_submission.h"
#include "protocol/cp932.h"
#include "store/account_store.h"
#include "store/database.h"
#include "store/password_rule.h"
#include "store/schema.h"

namespace {

struct Streams {
  std::FILE* in;
  std::FILE* out;
  std::FILE* err;

  void Say(std::FILE* to, const QString& text) const {
    std::fputs((text + '\n').toUtf8().constData(), to);
  }
};

const char kUsage[] =
    "usage: quillora-service user add|passwd|remove ADDRESS\n"
    "       quillora-service user list\n"
    "       quillora-service db migrate\n"
    "       quillora-service config check\n";

// The first line of standard input, without its line break.
std::string ReadLine(std::FILE* in) {
  std::string line;
  for (int c; (c = std::fgetc(in)) != EOF && c != '\n' && line.size() <= 4096;)
    line.push_back(static_cast<char>(c));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// A password the composer can send: code page 932, within its buffer, no control characters.
std::optional<std::string> ReadPassword(const Streams& io) {
  const QString password = QString::fromUtf8(ReadLine(io.in));
  QString problem;
  switch (CheckSendablePassword(password)) {
    case PasswordFault::kNone:
      return password.toStdString();
    case PasswordFault::kEmpty:
      problem = QStringLiteral("the password is empty (give it on standard input)");
      break;
    case PasswordFault::kUnsendable:
      problem = QStringLiteral("the password holds a character the composer cannot send");
      break;
    case PasswordFault::kTooLong:
      problem = QStringLiteral("the password is longer than %1 bytes in code page 932")
                    .arg(kPasswordLimit);
      break;
    case PasswordFault::kControlCharacter:
      problem = QStringLiteral("the password holds a control character");
      break;
  }
  io.Say(io.err, problem);
  return std::nullopt;
}

std::optional<QString> Address(const QString& text, const Streams& io) {
  const QByteArray bytes = text.toUtf8();
  const auto mailbox =
      CanonicalMailbox(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!mailbox) {
    io.Say(io.err, QStringLiteral("%1: not a mail address").arg(text));
    return std::nullopt;
  }
  return QString::fromStdString(*mailbox);
}

// Opens the database, creating or migrating it as the command needs.
std::unique_ptr<Database> OpenMigrated(const ServiceConfig& config) {
  auto database = std::make_unique<Database>(config.database, Database::Creation::kAllowed);
  MigrateSchema(*database);
  return database;
}

int UserCommand(const QString& action, const QString& text, const ServiceConfig& config,
                const Streams& io) {
  const auto address = Address(text, io);
  if (!address) return 1;
  if (action == QLatin1String("remove")) {
    if (AccountStore(*OpenMigrated(config)).Remove(*address)) return 0;
    io.Say(io.err, QStringLiteral("%1: no such account").arg(*address));
    return 1;
  }
  const auto password = ReadPassword(io);
  if (!password) return 1;
  auto database = OpenMigrated(config);
  AccountStore accounts(*database);
  if (action == QLatin1String("add")) {
    const auto account = accounts.Add(*address, *password, QDateTime::currentSecsSinceEpoch());
    if (!account) {
      io.Say(io.err, QStringLiteral("%1: the account exists").arg(*address));
      return 1;
    }
    io.Say(io.out, QStringLiteral("%1 album=%2").arg(account->address).arg(account->albumNumber));
    return 0;
  }
  if (accounts.SetPassword(*address, *password)) return 0;
  io.Say(io.err, QStringLiteral("%1: no such account").arg(*address));
  return 1;
}

int ListUsers(const ServiceConfig& config, const Streams& io) {
  for (const AccountSummary& summary : AccountStore(*OpenMigrated(config)).List()) {
    const QString created =
        QDateTime::fromSecsSinceEpoch(summary.account.createdAt).toUTC().toString(Qt::ISODate);
    io.Say(io.out, QStringLiteral("%1 album=%2 pictures=%3 created=%4")
                       .arg(summary.account.address)
                       .arg(summary.account.albumNumber)
                       .arg(summary.pictures)
                       .arg(created));
  }
  return 0;
}

int CheckConfig(const ServiceConfig& config, const Streams& io) {
  int status = 0;
  try {
    Database database(config.database, Database::Creation::kRefused);
    const int version = StoredSchemaVersion(database);
    if (version != kSchemaVersion) {
      io.Say(io.err, QStringLiteral(
                         "database: schema version %1, this service needs %2 (run \"db migrate\")")
                         .arg(version)
                         .arg(kSchemaVersion));
      status = 1;
    }
  } catch (const DatabaseError& error) {
    io.Say(io.err, QStringLiteral("database: %1").arg(QString::fromUtf8(error.what())));
    status = 1;
  }
  if (const std::string problem = CheckRelay(config.relay, config.mailDomain.toStdString());
      !problem.empty()) {
    io.Say(io.err, QStringLiteral("relay: %1").arg(QString::fromStdString(problem)));
    status = 1;
  }
  if (status == 0) io.Say(io.out, QStringLiteral("config ok"));
  return status;
}

}  // namespace

int RunAdminCommand(const QStringList& arguments, std::FILE* in, std::FILE* out, std::FILE* err) {
  const Streams io{in, out, err};
  const QString command = arguments.mid(0, 2).join(' ');
  const bool withAddress = arguments.size() == 3 && arguments[0] == QLatin1String("user") &&
                           QStringList({"add", "passwd", "remove"}).contains(arguments[1]);
  const bool plain = arguments.size() == 2 &&
                     QStringList({"user list", "db migrate", "config check"}).contains(command);
  if (!withAddress && !plain) {
    std::fputs(kUsage, err);
    return 2;
  }
  const QString path = ServiceConfig::DefaultPath();
  QStringList problems;
  const std::optional<ServiceConfig> config = ServiceConfig::Load(path, &problems);
  for (const QString& problem : problems) io.Say(err, QStringLiteral("%1: %2").arg(path, problem));
  if (!config) return 1;
  try {
    if (withAddress) return UserCommand(arguments[1], arguments[2], *config, io);
    if (command == QLatin1String("user list")) return ListUsers(*config, io);
    if (command == QLatin1String("config check")) return CheckConfig(*config, io);
    io.Say(out, QStringLiteral("schema version %1").arg(MigrateSchema(*OpenMigrated(*config))));
    return 0;
  } catch (const DatabaseError& error) {
    io.Say(err, QStringLiteral("database: %1").arg(QString::fromUtf8(error.what())));
    return 1;
  }
}
