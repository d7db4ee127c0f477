#include "send/upload_picture.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/settings_store.h"
#include "lighttpd_server.h"
#include "local_network.h"
#include "loopback_peers.h"
#include "platform/errors.h"
#include "resources/resource_ids.h"
#include "send/attachment_path.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "test_ca.h"
#include "test_environment.h"

namespace {

using namespace std::chrono_literals;

const QByteArray kDelimiter = "---------------------------7d01777301a2";

int OpenDescriptors() { return static_cast<int>(QDir("/proc/self/fd").count()); }

// Records how the notice looked each time it was painted.
class PaintWatcher : public QObject {
 public:
  struct Look {
    QString text;
    bool okVisible;
  };
  std::vector<Look> looks;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      auto* notice = static_cast<CNoticeDlg*>(object);
      looks.push_back({notice->NoticeText(), notice->OkButton()->isVisible()});
    }
    return false;
  }
};

class UploadPictureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitLocalNetwork()); }

  void SetUp() override {
    QString error;
    ASSERT_TRUE(server_.Start(&error)) << error.toStdString();
    ASSERT_TRUE(store_.OpenSettingsKey(RegistryAccess::Full));
    SetAccount(server_.Address(), "user", "pw");
    SetAttachment(QByteArray("GIF", 3));
    notice_.SetBackgroundBitmap(BitmapId::NoticeProgress);
    notice_.Create();
  }

  void TearDown() override { unsetenv("http_proxy"); }

  void SetAccount(const QString& server, const QString& userId, const QString& password) {
    store_.WriteValue("Server", server);
    store_.SetUserId(userId);
    store_.SetPassword(password);
    store_.WriteUserId();
    store_.WritePassword();
    // Whatever the store held before, the upload must re-read it.
    store_.ClearBuffers();
  }

  void SetAttachment(const QByteArray& bytes) {
    const QString path = testenv::ProgramDir() + "/temp/picture.gif";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    SetAttachmentPath(path);
  }

  LighttpdServer server_;
  CSettingsStore store_;
  CNoticeDlg notice_;
};

TEST_F(UploadPictureTest, WorkedLayoutArrivesWithItsAnnouncedLength) {
  EXPECT_EQ(UploadPicture({"to", "s", "m"}, &notice_, store_), 1);
  const QByteArray preamble = "--" + kDelimiter + "\r\nuser\r\npw\r\n--" + kDelimiter +
                              "\r\nTo: to\r\nFrom: user\r\nSubject: s\r\nm\r\n--" + kDelimiter +
                              "\r\n";
  ASSERT_EQ(server_.RequestCount(), 1);
  const QByteArray body = server_.Body();
  EXPECT_EQ(body.size(), 222);
  EXPECT_EQ(body.left(174), preamble);
  EXPECT_EQ(body, preamble + "GIF\r\n--" + kDelimiter + "--");
  const auto variables = server_.Variables();
  EXPECT_EQ(variables.value("CONTENT_LENGTH"), "222");
  EXPECT_EQ(variables.value("REQUEST_METHOD"), "POST");
  EXPECT_EQ(variables.value("REQUEST_URI"), "/cgi-bin/writefile.cgi");
}

TEST_F(UploadPictureTest, HeaderBlockArrivesWhileTheBodyUsesItsOwnDelimiter) {
  UploadPicture({"to", "s", "m"}, &notice_, store_);
  const auto variables = server_.Variables();
  EXPECT_EQ(variables.value("HTTP_ACCEPT"), "image/gif,image/bmp,image/jpeg,*/*");
  EXPECT_EQ(variables.value("HTTP_USER_AGENT"), "MOBILE_AGENT");
  EXPECT_EQ(variables.value("CONTENT_TYPE"),
            "multipart/form-data; boundary=---------------------------7d036b37204d6");
  EXPECT_FALSE(variables.contains("HTTP_EXPECT"));
  const QByteArray body = server_.Body();
  EXPECT_TRUE(body.startsWith("--" + kDelimiter + "\r\n"));
  EXPECT_FALSE(body.contains("7d036b37204d6"));
}

struct TextCase {
  const char* name;
  QString userId, password;
  UploadTexts texts;
  QByteArray expectedFragment;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class UploadTextsTest : public UploadPictureTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(UploadTextsTest, TextsArriveAsTheServiceExpects) {
  const TextCase& c = GetParam();
  SetAccount(server_.Address(), c.userId, c.password);
  ASSERT_EQ(UploadPicture(c.texts, &notice_, store_), 1);
  const QByteArray body = server_.Body();
  EXPECT_TRUE(body.contains(c.expectedFragment)) << body.left(400).toStdString();
}

const QByteArray kSep = "--" + kDelimiter + "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, UploadTextsTest,
    ::testing::Values(TextCase{"EmptyAccount",
                               "",
                               "",
                               {"to", "s", "m"},
                               kSep + "\r\n\r\n" + kSep + "To: to\r\nFrom: \r\n"},
                      TextCase{"SeveralLines",
                               "u",
                               "p",
                               {"to", "s", QStringLiteral("一行目\r\n\r\nthree\r\n")},
                               "Subject: s\r\n\x88\xEA\x8D\x73\x96\xDA\r\n\r\nthree\r\n\r\n--" +
                                   kDelimiter + "\r\nGIF"},
                      TextCase{"CommaSeparatedRecipients",
                               "u",
                               "p",
                               {QStringLiteral(" a@x.jp, b@y.jp ,c@z.jp "), "s", "m"},
                               "\r\nTo:  a@x.jp, b@y.jp ,c@z.jp \r\nFrom: u\r\n"},
                      TextCase{"JapaneseAsCp932",
                               QStringLiteral("u"),
                               QStringLiteral("ひみつ"),
                               {"to", QStringLiteral("件名テスト"), "m"},
                               "\x82\xD0\x82\xDD\x82\xC2\r\n--" + kDelimiter +
                                   "\r\nTo: to\r\nFrom: u\r\nSubject: "
                                   "\x8C\x8F\x96\xBC\x83\x65\x83\x58\x83\x67\r\nm\r\n"},
                      TextCase{"LongTextsCut",
                               "u",
                               "p",
                               {QString(1100, 'a'), "s", QString(1022, 'b') + QStringLiteral("あ")},
                               "To: " + QByteArray(1023, 'a') + "\r\nFrom: u\r\nSubject: s\r\n" +
                                   QByteArray(1022, 'b') + "\r\n--"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

// A refusal by the service is a failed send, reported with the status and the reply's first
// line; the whole reply is still read, and statuses below 400 remain a completed upload.
TEST_F(UploadPictureTest, StatusFrom400IsAFailureNamingStatusAndFirstLine) {
  server_.SetReply("503 Service Unavailable",
                   "\r\n  " + QStringLiteral("アカウントが停止中です").toUtf8() + "\r\n" +
                       QByteArray(20000, 'e'));
  try {
    UploadPicture({"to", "s", "m"}, &notice_, store_);
    ADD_FAILURE() << "no error";
  } catch (const InternetError& error) {
    EXPECT_TRUE(error.Description().contains("503")) << error.what();
    EXPECT_TRUE(error.Description().endsWith(QStringLiteral("\nアカウントが停止中です")))
        << error.what();
  }
  EXPECT_EQ(server_.RequestCount(), 1);
  EXPECT_FALSE(notice_.isVisible());

  for (const QByteArray status : {"302 Found", "399 Unknown"}) {
    server_.SetReply(status, "moved");
    EXPECT_EQ(UploadPicture({"to", "s", "m"}, &notice_, store_), 1) << status.constData();
  }
}

TEST_F(UploadPictureTest, ProgressNoticeIsPaintedBeforeTheRequestAndHiddenAfter) {
  PaintWatcher watcher;
  notice_.installEventFilter(&watcher);
  UploadPicture({"to", "s", "m"}, &notice_, store_);
  notice_.removeEventFilter(&watcher);
  ASSERT_FALSE(watcher.looks.empty());
  EXPECT_EQ(watcher.looks.front().text, QStringLiteral("送信しています..."));
  EXPECT_FALSE(watcher.looks.front().okVisible);
  EXPECT_FALSE(notice_.isVisible());
}

// "https://" makes the upload go over TLS, the server's certificate checked: trusted, the mail
// goes and the album number the service tells is kept; not trusted, nothing is sent.
TEST_F(UploadPictureTest, SecureServerIsCheckedAndItsAlbumNumberKept) {
  QTemporaryDir folder;
  TestCa ca;
  QString error;
  ASSERT_TRUE(ca.Create(folder.path(), &error)) << error.toStdString();
  LighttpdServer secure;
  ASSERT_TRUE(secure.Start(&error, ca.ServerPemFile())) << error.toStdString();
  secure.SetReply("200 OK", "OK\r\nalbum=4815162\r\n");
  SetAccount(secure.Address(), "user", "pw");
  ASSERT_TRUE(secure.Address().startsWith("https://"));
  EXPECT_EQ(UploadPicture({"to", "s", "m"}, &notice_, store_,
                          {.certificateAuthorities = ca.CaFile().toStdString()}),
            1);
  EXPECT_EQ(secure.RequestCount(), 1);
  QString album;
  store_.ReadValue("AlbumNumber", album);
  EXPECT_EQ(album, QStringLiteral("4815162"));

  // The system's authorities do not know the test CA.
  try {
    UploadPicture({"to", "s", "m"}, &notice_, store_);
    ADD_FAILURE() << "sent to an unknown certificate";
  } catch (const InternetError& failure) {
    EXPECT_EQ(failure.Failure(), NetworkFailure::Tls) << failure.what();
    EXPECT_TRUE(failure.Description().startsWith("サーバー「" + secure.Address() + "」と安全に"));
  }
  EXPECT_EQ(secure.RequestCount(), 1);
}

TEST_F(UploadPictureTest, ProxyVariableOfTheSystemIsHonoured) {
  SetAccount("quillora.invalid", "user", "pw");
  setenv("http_proxy", ("http://" + server_.Address()).toUtf8().constData(), 1);
  EXPECT_EQ(UploadPicture({"to", "s", "m"}, &notice_, store_), 1);
  EXPECT_EQ(server_.Variables().value("HTTP_HOST"), "quillora.invalid");
}

// The failures end the send with the error's own text and leave nothing open or showing.
class UploadFailureTest : public UploadPictureTest {
 protected:
  void ExpectReported(const QString& fragment) {
    const int before = OpenDescriptors();
    const std::size_t shown = testenv::Messages().size();
    EXPECT_FALSE(RunReportingErrors(nullptr, [&] {
      UploadPicture({"to", "s", "m"}, &notice_, store_);
    }));
    ASSERT_EQ(testenv::Messages().size(), shown + 1);
    EXPECT_TRUE(testenv::Messages().back().text.contains(fragment))
        << testenv::Messages().back().text.toStdString();
    EXPECT_EQ(testenv::Messages().back().icon, MessageIcon::Stop);
    EXPECT_EQ(server_.RequestCount(), 0);
    EXPECT_FALSE(notice_.isVisible());
    EXPECT_EQ(OpenDescriptors(), before);
  }
};

// Each kind of failure is said in Japanese, naming the server, with the transfer library's
// words on the line below; a server that is not set, or not valid, sends nothing and says where
// to set it.
TEST_F(UploadFailureTest, NetworkFailuresAreSaidInJapaneseNamingTheServer) {
  RecordingPeer hangsUp("");
  const QString closed = QStringLiteral("127.0.0.1:%1").arg(ClosedLoopbackPort());
  const QString peer = QStringLiteral("127.0.0.1:%1").arg(hangsUp.Port());
  const struct {
    QString server;
    QString said;
    QString detail;
  } cases[] = {
      {closed, "サーバー「" + closed + "」に接続できません。", "Failed to connect"},
      {"quillora.invalid", "サーバー「quillora.invalid」が見つかりません。", "resolve"},
      {peer, "サーバー「" + peer + "」との通信が途中で切れました。", "Empty reply"},
      {"", "送信先のサーバーが設定されていません。", "「サーバー」"},
      {"bad host/name", "サーバー「bad host/name」は正しくありません。", "「サーバー」"},
  };
  for (const auto& c : cases) {
    SetAccount(c.server, "user", "pw");
    EXPECT_FALSE(RunReportingErrors(nullptr, [&] {
      UploadPicture({"to", "s", "m"}, &notice_, store_);
    }));
    const QStringList lines = testenv::Messages().back().text.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << c.server.toStdString();
    EXPECT_TRUE(lines[0].startsWith(c.said)) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(c.detail)) << lines[1].toStdString();
    EXPECT_FALSE(notice_.isVisible());
  }
  EXPECT_EQ(server_.RequestCount(), 0);
}

TEST_F(UploadFailureTest, MissingAttachment) {
  const QString path = testenv::ProgramDir() + "/temp/missing.gif";
  SetAttachmentPath(path);
  ExpectReported(path + ": " + QString::fromLocal8Bit(std::strerror(ENOENT)));
}

TEST_F(UploadFailureTest, AttachmentPathNamingTheFolder) {
  SetAttachmentPath(testenv::ProgramDir() + "/temp");
  ExpectReported(QString::fromLocal8Bit(std::strerror(EISDIR)));
}

// Opens the FIFO for writing once something waits to read it, so that an open that blocks
// until a writer comes ends (in a send of nothing) instead of hanging the test.
class FifoWriterLater {
 public:
  explicit FifoWriterLater(const QByteArray& path)
      : thread_([this, path] {
          for (int i = 0; i < 50 && !done_; ++i) {
            std::this_thread::sleep_for(100ms);
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) ::close(fd);
          }
        }) {}
  ~FifoWriterLater() {
    done_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> done_ = false;
  std::thread thread_;
};

TEST_F(UploadFailureTest, AttachmentThatIsAFifo) {
  const QString fifo = testenv::ProgramDir() + "/temp/fifo.gif";
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  const FifoWriterLater writer(fifo.toLocal8Bit());
  SetAttachmentPath(fifo);
  ExpectReported(fifo + ": " + QString::fromLocal8Bit(std::strerror(EINVAL)));
}

TEST_F(UploadFailureTest, AttachmentThatIsADevice) {
  SetAttachmentPath("/dev/zero");
  ExpectReported("/dev/zero: " + QString::fromLocal8Bit(std::strerror(EINVAL)));
}

TEST_F(UploadFailureTest, UnsendableCharacter) {
  SetAccount(server_.Address(), QStringLiteral("café@example.jp"), "pw");
  ExpectReported(QStringLiteral("「é」"));
}

TEST_F(UploadFailureTest, ServerThatNeverAnswers) {
  SilentListener listener;
  SetAccount(QStringLiteral("127.0.0.1:%1").arg(listener.Port()), "user", "pw");
  const int before = OpenDescriptors();
  const auto start = std::chrono::steady_clock::now();
  // (The stop button is not offered here: drawing it starts Qt's worker threads, which keep
  // descriptors of their own.)
  EXPECT_THROW(UploadPicture({"to", "s", "m"}, &notice_, store_,
                             {.connectTimeout = 5s, .stallTime = 1s, .offerStopAfter = 1h}),
               InternetError);
  // The body just sent counts towards the transfer rate for a few more seconds.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 12s);
  EXPECT_FALSE(notice_.isVisible());
  EXPECT_EQ(OpenDescriptors(), before);
}

// Bytes that keep coming pass the stall check; the limit on the whole request still ends it.
TEST_F(UploadFailureTest, ReplyThatNeverEnds) {
  TricklingPeer peer;
  SetAccount(QStringLiteral("127.0.0.1:%1").arg(peer.Port()), "user", "pw");
  const auto start = std::chrono::steady_clock::now();
  try {
    UploadPicture({"to", "s", "m"}, &notice_, store_,
                  {.connectTimeout = 5s, .stallTime = 1s, .totalTime = 1500ms});
    ADD_FAILURE() << "no error";
  } catch (const InternetError& error) {
    EXPECT_TRUE(error.Description().contains("timed out")) << error.what();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_FALSE(notice_.isVisible());
}

}  // namespace
