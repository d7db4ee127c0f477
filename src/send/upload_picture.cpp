#include "upload_picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <cerrno>

#include "app/settings_store.h"
#include "platform/errors.h"
#include "platform/http_connection.h"
#include "platform/http_request.h"
#include "send/attachment_path.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"

namespace {

// Far above any phone attachment; a bigger file is not a picture meant for sending.
constexpr off_t kMaxAttachmentBytes = 64 * 1024 * 1024;
constexpr std::size_t kReplyChunk = 1023;

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

// The whole attachment; the file is closed again before this returns.
std::string ReadAttachment(const QString& path) {
  const QByteArray name = path.toLocal8Bit();
  const FileDescriptor file(::open(name.constData(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) throw FileError::FromErrno(errno, path);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) throw FileError::FromErrno(errno, path);
  if (S_ISDIR(info.st_mode)) throw FileError::FromErrno(EISDIR, path);
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

// Hides the progress notice however the upload ends.
class ProgressShown {
 public:
  explicit ProgressShown(CNoticeDlg* notice) : notice_(notice) {
    if (!notice_) return;
    notice_->SetNoticeText(QStringLiteral("送信しています..."));
    notice_->OkButton()->hide();
    notice_->show();
    // The thread blocks from here on, so the notice must reach the screen now.
    notice_->RepaintNow();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  ~ProgressShown() { Hide(); }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;

  void Hide() {
    if (notice_) notice_->hide();
  }

 private:
  QPointer<CNoticeDlg> notice_;
};

}  // namespace

int UploadPicture(const UploadTexts& texts, CNoticeDlg* progress, CSettingsStore& store,
                  const TransferLimits& limits) {
  ProgressShown shown(progress);
  store.RefreshSettings();
  // Refused before anything goes out when a text cannot be sent unchanged.
  const UploadFields fields = EncodeUploadFields(store, texts);

  const InternetSession session(std::string(kUploadAgent), ProxyAccess::Preconfigured, limits);
  HttpConnection connection(session, store.Server().toStdString());
  HttpRequest request =
      connection.OpenRequest("POST", store.RequestPath().toStdString(), kUploadRequestFlags);
  request.AddRequestHeaders(kUploadHeaders, HeaderAddMode::AddIfNew);

  const std::string body = BuildUploadBody(fields, ReadAttachment(AttachmentPath()));
  request.SendRequestEx(body.size());
  request.Write(body);
  request.EndRequest();

  // The reply is read to its end and not judged.
  char buffer[kReplyChunk];
  while (request.Read(buffer, sizeof buffer) > 0) {
  }
  request.Close();
  shown.Hide();
  return 1;
}
