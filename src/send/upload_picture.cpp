#include "upload_picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "app/settings_store.h"
#include "platform/errors.h"
#include "platform/http_connection.h"
#include "platform/http_request.h"
#include "protocol/cp932.h"
#include "send/attachment_path.h"
#include "send/busy_notice.h"
#include "send/event_wait.h"

namespace {

// Far above any phone attachment; a bigger file is not a picture meant for sending.
constexpr off_t kMaxAttachmentBytes = 64 * 1024 * 1024;
constexpr std::size_t kReplyChunk = 1023;
constexpr std::size_t kReplyKept = 4096;
constexpr qsizetype kReplyLineLimit = 200;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// The whole attachment; the file is closed again before this returns. Only a regular file is
// sent: a FIFO would block the open (hence O_NONBLOCK until the file is known) and a device
// would send whatever it produces. The check is made on the opened file, so the path cannot be
// swapped for another file in between.
std::string ReadAttachment(const QString& path) {
  const QByteArray name = path.toLocal8Bit();
  const FileDescriptor file(::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.Get() < 0) throw FileError::FromErrno(errno, path);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) throw FileError::FromErrno(errno, path);
  if (S_ISDIR(info.st_mode)) throw FileError::FromErrno(EISDIR, path);
  if (!S_ISREG(info.st_mode)) throw FileError::FromErrno(EINVAL, path);
  const int flags = ::fcntl(file.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
    throw FileError::FromErrno(errno, path);
  if (info.st_size > kMaxAttachmentBytes) throw FileError::FromErrno(EFBIG, path);
  std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) throw FileError::FromErrno(errno, path);
    if (count == 0) break;  // shrank since fstat: send what is there, with its true length
    done += static_cast<std::size_t>(count);
  }
  bytes.resize(done);
  return bytes;
}

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

// A status of 400 or above is the service refusing the mail (or failing to take it).
void CheckStatus(int status, const std::string& reply) {
  if (status < 400) return;
  QString text = QStringLiteral("サーバーが送信を受け付けませんでした（HTTP %1）。").arg(status);
  if (const QString line = FirstReplyLine(reply); !line.isEmpty()) text += QLatin1Char('\n') + line;
  throw InternetError(text);
}

// The network and file steps of the upload.
void PostUpload(const std::string& server, const std::string& path, const UploadFields& fields,
                const QString& attachment, const TransferLimits& limits) {
  const InternetSession session(std::string(kUploadAgent), ProxyAccess::Preconfigured, limits);
  HttpConnection connection(session, server);
  HttpRequest request = connection.OpenRequest("POST", path, kUploadRequestFlags);
  request.AddRequestHeaders(kUploadHeaders, HeaderAddMode::AddIfNew);

  const std::string body = BuildUploadBody(fields, ReadAttachment(attachment));
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
}

}  // namespace

int UploadPicture(const UploadTexts& texts, CNoticeDlg* progress, CSettingsStore& store,
                  const TransferLimits& limits) {
  BusyNotice shown(progress, QStringLiteral("送信しています..."));
  store.RefreshSettings();
  // Refused before anything goes out when a text cannot be sent unchanged.
  const UploadFields fields = EncodeUploadFields(store, texts);
  const std::string server = store.Server().toStdString();
  const std::string path = store.RequestPath().toStdString();
  const QString attachment = AttachmentPath();
  // Off the user-interface thread, so that every window stays painted while the notice keeps
  // the user's input away.
  RunOffThread([&] { PostUpload(server, path, fields, attachment, limits); });
  shown.Hide();
  return 1;
}
