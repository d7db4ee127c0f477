#include "upload_picture.h"

#include <QTimer>
#include <algorithm>
#include <atomic>

#include "app/settings_store.h"
#include "app/web_links.h"
#include "platform/errors.h"
#include "platform/http_connection.h"
#include "platform/http_request.h"
#include "platform/local_file.h"
#include "protocol/cp932.h"
#include "send/attachment_path.h"
#include "send/busy_notice.h"
#include "send/event_wait.h"

namespace {

// Far above any phone attachment; a bigger file is not a picture meant for sending.
constexpr qint64 kMaxAttachmentBytes = 64 * 1024 * 1024;
constexpr std::size_t kReplyChunk = 1023;
constexpr std::size_t kReplyKept = 4096;
constexpr qsizetype kReplyLineLimit = 200;

// The reply's first non-blank line, for the message that reports a refusal. The service may
// answer in UTF-8 or in code page 932 (in both, a line feed byte is only ever a line feed), and
// anything can come back, so the line is cleaned and cut.
QString FirstReplyLine(const std::string& reply) {
  std::string_view rest = reply;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view bytes = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    QString line = FromUtf8OrCp932(bytes);
    for (QChar& c : line)
      if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
    line = line.simplified();
    if (!line.isEmpty()) return line.left(kReplyLineLimit);
  }
  return QString();
}

// The service answered, refusing the mail (or failing to take it).
class ServiceRefusal : public InternetError {
 public:
  using InternetError::InternetError;
};

// A status of 400 or above is the service refusing the mail (or failing to take it).
void CheckStatus(int status, const std::string& reply) {
  if (status < 400) return;
  QString text = QStringLiteral("サーバーが送信を受け付けませんでした（HTTP %1）。").arg(status);
  if (const QString line = FirstReplyLine(reply); !line.isEmpty()) text += QLatin1Char('\n') + line;
  throw ServiceRefusal(text);
}

// A network failure as the user is told it: what happened, naming the server, then the
// transfer library's own words on a second line.
QString NetworkFailureText(NetworkFailure failure, const QString& server) {
  switch (failure) {
    case NetworkFailure::NameNotFound:
      return QStringLiteral("サーバー「%1」が見つかりません。サーバーの名前を確かめてください。")
          .arg(server);
    case NetworkFailure::Refused:
      return QStringLiteral(
                 "サーバー「%1」に接続できません。サーバーの名前と番号を確かめてください。")
          .arg(server);
    case NetworkFailure::TimedOut:
      return QStringLiteral("サーバー「%1」から時間内に応答がありませんでした。").arg(server);
    case NetworkFailure::Broken:
      return QStringLiteral("サーバー「%1」との通信が途中で切れました。").arg(server);
    case NetworkFailure::Tls:
      return QStringLiteral("サーバー「%1」と安全に接続できませんでした。").arg(server);
    case NetworkFailure::Cancelled:
      return QStringLiteral("送信を中止しました。");
    case NetworkFailure::Other:
      break;
  }
  return QStringLiteral("サーバー「%1」に送信できませんでした。").arg(server);
}

// The album number the service gives in a line "album=<digits>" of its reply, if any.
QString AlbumNumberIn(const std::string& reply) {
  std::string_view rest = reply;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!line.starts_with("album=")) continue;
    line.remove_prefix(6);
    if (line.empty() || line.size() > 18 ||
        !std::ranges::all_of(line, [](char c) { return c >= '0' && c <= '9'; }))
      return QString();
    return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
  }
  return QString();
}

// The network and file steps of the upload; returns the beginning of the reply.
std::string PostUpload(const std::string& server, const std::string& path,
                       const UploadFields& fields, const QString& attachment,
                       const TransferLimits& limits) {
  const InternetSession session(std::string(kUploadAgent), ProxyAccess::Preconfigured, limits);
  HttpConnection connection(session, server);
  HttpRequest request = connection.OpenRequest("POST", path, kUploadRequestFlags);
  request.AddRequestHeaders(kUploadHeaders, HeaderAddMode::AddIfNew);

  const QByteArray picture = ReadLocalFile(attachment, kMaxAttachmentBytes);
  const std::string body = BuildUploadBody(
      fields, std::string_view(picture.constData(), static_cast<std::size_t>(picture.size())));
  request.SendRequestEx(body.size());
  request.Write(body);
  request.EndRequest();

  // The reply is read to its end; its beginning is kept for the message of a refusal.
  std::string start;
  char buffer[kReplyChunk];
  while (const std::size_t count = request.Read(buffer, sizeof buffer)) {
    if (start.size() < kReplyKept) start.append(buffer, std::min(count, kReplyKept - start.size()));
  }
  const int status = request.StatusCode();
  request.Close();
  CheckStatus(status, start);
  return start;
}

}  // namespace

UploadCancelled::UploadCancelled()
    : InternetError(QStringLiteral("送信を中止しました。"), NetworkFailure::Cancelled) {}

int UploadPicture(const UploadTexts& texts, CNoticeDlg* progress, CSettingsStore& store,
                  const TransferLimits& limits, QWidget* opener) {
  store.RefreshSettings();
  // Nothing starts without a server to send to.
  if (const QString problem = ServerProblem(store.Server()); !problem.isEmpty())
    throw InternetError(problem);
  // Refused before anything goes out when a text cannot be sent unchanged.
  const UploadFields fields = EncodeUploadFields(store, texts);
  const std::string server = store.Server().toStdString();
  const std::string path = store.RequestPath().toStdString();
  const QString attachment = AttachmentPath();

  BusyNotice shown(progress, QStringLiteral("送信しています..."), opener);
  // A send that takes long may be stopped.
  std::atomic<bool> stop = false;
  TransferLimits stoppable = limits;
  stoppable.cancel = &stop;
  QTimer offer;
  offer.setSingleShot(true);
  QObject::connect(&offer, &QTimer::timeout, [&] { shown.OfferStop([&stop] { stop = true; }); });
  offer.start(limits.offerStopAfter);
  // Off the user-interface thread, so that every window stays painted while the notice keeps
  // the user's input away.
  std::string reply;
  try {
    RunOffThread([&] { reply = PostUpload(server, path, fields, attachment, stoppable); });
  } catch (const ServiceRefusal&) {
    throw;
  } catch (const InternetError& error) {
    if (error.Failure() == NetworkFailure::Cancelled) throw UploadCancelled();
    throw InternetError(NetworkFailureText(error.Failure(), store.Server()) + QLatin1Char('\n') +
                            error.Description(),
                        error.Failure());
  }
  shown.Hide();
  // The service tells the account's album number, so that the album button works unset.
  if (const QString album = AlbumNumberIn(reply); !album.isEmpty()) {
    QString stored;
    store.ReadValue(QStringLiteral("AlbumNumber"), stored);
    if (stored != album) store.WriteValue(QStringLiteral("AlbumNumber"), album);
  }
  return 1;
}
