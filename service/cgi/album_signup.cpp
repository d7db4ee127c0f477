#include "cgi/album_signup.h"

#include <QDateTime>

#include "cgi/album_mail.h"
#include "cgi/album_page.h"
#include "cgi/album_session.h"
#include "cgi/web_password.h"
#include "mail/mailbox.h"
#include "mail/mime_message.h"
#include "store/account_store.h"
#include "store/password_hash.h"
#include "store/signup_store.h"

namespace {

const QString kSignupTitle = QStringLiteral("新規登録");
constexpr qint64 kHour = 3600;

CgiReply SignupForm(const AlbumContext& context, int status, const Html& notice,
                    const QString& address) {
  return LoginFormPage(context, status, "signup.html", kSignupTitle, NavItem::kSignup, notice,
                       address);
}

CgiReply Closed() {
  return MessagePage(503, QStringLiteral("新規登録を受け付けていません"),
                     QStringLiteral("ただいま新規登録を受け付けていません。"
                                    "サービスの管理者にお問い合わせください。"),
                     {{QStringLiteral("ホームへ"), QStringLiteral("/"), true}});
}

// The mail to the address: its link, or word that the address has an account already (the
// page says the same either way, so it tells nobody which addresses have accounts).
TextMail ConfirmationMail(const ServiceConfig& config, const QString& address,
                          const std::string& token, bool taken) {
  TextMail mail;
  mail.from = config.mailFrom.toStdString();
  mail.to = address.toStdString();
  mail.subject = QStringLiteral("Quillora 登録の確認");
  const QString editor = config.webOrigin + QStringLiteral("/quill/album/");
  QStringList lines;
  if (taken) {
    lines << QStringLiteral("このメールアドレスで Quillora の新規登録の申し込みがありましたが、")
          << QStringLiteral("このアドレスはすでに登録されています。") << QString()
          << QStringLiteral("アルバム編集はこちらです:") << editor;
  } else {
    lines << QStringLiteral("Quillora の新規登録の申し込みを受け付けました。") << QString()
          << QStringLiteral("下のリンクを開くと登録が完了します（24時間有効です）。")
          << config.webOrigin + QStringLiteral("/quill/album/confirm?token=") +
                 QString::fromStdString(token);
  }
  lines << QString() << QStringLiteral("お心当たりのない場合は、このメールを破棄してください。")
        << QStringLiteral("登録はされません。");
  mail.text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
  return mail;
}

CgiReply TooMany(const QString& text, qint64 retryAfter) {
  CgiReply page = MessagePage(429, QStringLiteral("しばらくお待ちください"), text,
                              {{QStringLiteral("ホームへ"), QStringLiteral("/"), false}});
  page.headers.emplace_back("Retry-After", std::to_string(retryAfter));
  return page;
}

}  // namespace

CgiReply SignupPage(AlbumContext& context) {
  if (context.Config().webOrigin.isEmpty()) return Closed();
  return SignupForm(context, 200, {}, {});
}

CgiReply SignupAction(AlbumContext& context) {
  const ServiceConfig& config = context.Config();
  if (config.webOrigin.isEmpty()) return Closed();
  if (!LoginFormTokenMatches(context)) return StaleFormPage(QStringLiteral("/quill/album/signup"));
  const QString typed = context.Form().Value(QStringLiteral("address")).trimmed().left(254);
  const QString password = context.Form().Value(QStringLiteral("password"));
  const QByteArray typedBytes = typed.toUtf8();
  const auto mailbox = CanonicalMailbox(
      std::string_view(typedBytes.constData(), static_cast<std::size_t>(typedBytes.size())));
  auto refuse = [&](const QString& text) {
    return SignupForm(context, 400, Notice(NoticeKind::kError, text), typed);
  };
  if (!mailbox) return refuse(QStringLiteral("メールアドレスが正しくありません。"));
  const QString address = QString::fromStdString(*mailbox);
  context.Log().account = address;
  if (const QString problem =
          NewPasswordProblem(password, context.Form().Value(QStringLiteral("again")));
      !problem.isEmpty())
    return refuse(problem);

  SignupStore signups(context.Db());
  const QString client = context.Request().remoteAddress;
  if (signups.CountFromClient(client, context.Now() - kHour) >= config.signup.perClientPerHour) {
    context.Log().outcome = "signup-throttled";
    return TooMany(QStringLiteral("このネットワークからの新規登録が続いています。"
                                  "1時間ほどたってからもう一度お試しください。"),
                   kHour);
  }
  if (signups.CountForAddress(address, context.Now() - kSignupSeconds) >=
      config.signup.perAddressPerDay) {
    context.Log().outcome = "signup-throttled";
    return TooMany(QStringLiteral("このメールアドレスには確認メールを何度も送りました。"
                                  "届いたメールのリンクを開くか、明日もう一度お試しください。"),
                   kSignupSeconds);
  }
  const QString hash = QString::fromStdString(HashPassword(password.toStdString()));
  const bool taken = AccountStore(context.Db()).Exists(address);
  const std::string token = signups.Add(address, hash, client, context.Now());

  const TextMail mail = ConfirmationMail(config, address, token, taken);
  const std::string domain = config.mailDomain.toStdString();
  const std::string message = BuildTextMessage(mail, QDateTime::fromSecsSinceEpoch(context.Now()),
                                               NewMessageToken(), domain);
  const SubmissionResult sent =
      SubmitPageMail(context.ConfigPath(), config.relay, mail.from, {mail.to}, message);
  if (sent.outcome != SubmissionResult::Outcome::kAccepted) {
    std::fprintf(stderr, "album.cgi: relay %s:%d: %s\n", config.relay.host.toUtf8().constData(),
                 config.relay.port, sent.detail.c_str());
    context.Log().outcome = "signup-unsent";
    return MessagePage(
        sent.outcome == SubmissionResult::Outcome::kRefused ? 502 : 503,
        QStringLiteral("確認メールを送れませんでした"),
        QStringLiteral("メールサーバーが確認メールを受け付けませんでした。"
                       "メールアドレスを確かめて、しばらくしてからもう一度お試しください。"),
        {{QStringLiteral("新規登録へ"), QStringLiteral("/quill/album/signup"), true}});
  }
  context.Log().outcome = taken ? "signup-taken" : "signup-sent";
  return MessagePage(200, QStringLiteral("確認メールを送りました"),
                     QStringLiteral("%1 に確認のメールを送りました。メールのリンクを開くと登録が"
                                    "完了します（24時間有効です）。メールが届かないときは、"
                                    "迷惑メールのフォルダも確かめてください。")
                         .arg(address),
                     {{QStringLiteral("ホームへ"), QStringLiteral("/"), false}});
}

CgiReply ConfirmPage(AlbumContext& context) {
  const std::string token = context.Query().Value(QStringLiteral("token")).toStdString();
  const auto pending = SignupStore(context.Db()).Take(token, context.Now());
  if (!pending) {
    context.Log().outcome = "confirm-refused";
    return MessagePage(
        404, QStringLiteral("このリンクは使えません"),
        QStringLiteral("確認のリンクが違うか、期限（24時間）が切れたか、"
                       "すでに使われています。もう一度新規登録してください。"),
        {{QStringLiteral("新規登録へ"), QStringLiteral("/quill/album/signup"), true}});
  }
  context.Log().account = pending->address;
  const auto account =
      AccountStore(context.Db()).AddHashed(pending->address, pending->passwordHash, context.Now());
  if (!account) {
    context.Log().outcome = "confirm-taken";
    return MessagePage(200, QStringLiteral("登録済みです"),
                       QStringLiteral("このメールアドレスはすでに登録されています。"),
                       {{QStringLiteral("アルバム編集へ"), QStringLiteral("/quill/album/"), true}});
  }
  context.Log().outcome = "confirmed";
  const Html content = HtmlTemplate::Fill(
      "signup_done.html", {Text("address", account->address), Text("number", account->albumNumber),
                           Text("album_href", PublicAlbumPath(account->albumNumber))});
  return HtmlPage(200, QStringLiteral("登録が完了しました"), content);
}
