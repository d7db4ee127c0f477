// writefile.cgi under a real lighttpd, with SQLite, delivering to the SMTP sink.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "upload_requests.h"

namespace {

class WritefileTest : public ::testing::Test {
 protected:
  void StartSite(const ServiceOptions& options = {}) {
    QString error;
    ASSERT_TRUE(site_.Start(options, &error)) << error.toStdString();
    album_ = site_.AddAccount("hanako@example.jp", "quill2026");
    ASSERT_GT(album_, 0);
  }

  QByteArray Accepted() const { return "OK\r\nalbum=" + QByteArray::number(album_) + "\r\n"; }

  ServiceSite site_;
  qint64 album_ = 0;
};

QByteArray Png(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

TEST_F(WritefileTest, HandWrittenRequestBecomesOneMailAndAnAlbumEntry) {
  StartSite();
  const QByteArray gif = TestGif();
  ASSERT_TRUE(gif.startsWith("GIF89a"));
  // Every byte as the layout has it: the user ID with its domain in capitals, recipients with
  // spaces around them and one twice, a Japanese subject and a message of two lines.
  const QByteArray body =
      "--" + kDelimiter + "\r\n" + "hanako@Example.JP\r\n" + "quill2026\r\n" + "--" + kDelimiter +
      "\r\n" + "To:  taro@example.ne.jp,jiro@example.com , taro@example.ne.jp\r\n" +
      "From: hanako@Example.JP\r\n" + "Subject: \x8E\xCA\x90\x5E\x82\xC5\x82\xB7\r\n" +
      "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\r\nline 2" + "\r\n--" + kDelimiter + "\r\n" + gif +
      "\r\n--" + kDelimiter + "--";
  HttpRequestSpec request;
  request.url = site_.UploadUrl();
  request.body = body;
  const HttpReply reply = SendHttp(request);
  ASSERT_EQ(reply.status, 200) << reply.error.toStdString() << reply.body.toStdString();
  EXPECT_EQ(reply.body, Accepted());

  ASSERT_TRUE(site_.Sink().WaitForMails(1));
  const QJsonArray mails = site_.Sink().Mails();
  ASSERT_EQ(mails.size(), 1);
  const QJsonObject mail = mails[0].toObject();
  EXPECT_EQ(mail["return_path"].toString(), "<hanako@example.jp>");
  EXPECT_EQ(mail["envelope_to"].toString(), "taro@example.ne.jp, jiro@example.com");
  EXPECT_EQ(mail["from"].toString(), "hanako@example.jp");
  EXPECT_EQ(mail["to"].toArray(), QJsonArray({"taro@example.ne.jp", "jiro@example.com"}));
  EXPECT_EQ(mail["subject"].toString(), QStringLiteral("写真です"));
  EXPECT_EQ(mail["text"].toString(), QStringLiteral("こんにちは\r\nline 2"));
  EXPECT_EQ(mail["text_charset"].toString(), "utf-8");
  EXPECT_FALSE(mail["date"].toString().isEmpty());
  EXPECT_TRUE(mail["message_id"].toString().endsWith("@quillora.test>"));
  EXPECT_EQ(mail["content_type"].toString(), "multipart/mixed");
  EXPECT_TRUE(mail["defects"].toArray().isEmpty());
  EXPECT_TRUE(mail["ascii_only"].toBool());
  EXPECT_TRUE(mail["crlf_only"].toBool());
  EXPECT_LE(mail["longest_line"].toInt(), 78);
  const QJsonArray attachments = mail["attachments"].toArray();
  ASSERT_EQ(attachments.size(), 1);
  const QJsonObject picture = attachments[0].toObject();
  EXPECT_EQ(picture["content_type"].toString(), "image/gif");
  EXPECT_EQ(picture["filename"].toString(), "picture.gif");
  EXPECT_EQ(QByteArray::fromBase64(picture["base64"].toString().toLatin1()), gif);

  // The album keeps it; the log has one line, without the password or the message.
  EXPECT_TRUE(
      site_.Admin({"user", "list"})
          .out.contains("hanako@example.jp album=" + QByteArray::number(album_) + " pictures=1"));
  const QStringList log = site_.RequestLog();
  ASSERT_EQ(log.size(), 1);
  EXPECT_TRUE(
      log[0].contains("account=hanako@Example.JP outcome=delivered status=200 recipients=2"))
      << log[0].toStdString();
  EXPECT_FALSE(log[0].contains("quill2026"));
  EXPECT_FALSE(log[0].contains("line 2"));
}

struct RefusalCase {
  const char* name;
  int status;
  QString reasonHas;
  HttpRequestSpec request;
};

HttpRequestSpec Request(const ServiceSite& site, const UploadParts& parts) {
  HttpRequestSpec request;
  request.url = site.UploadUrl();
  request.body = UploadBody(parts);
  return request;
}

RefusalCase Case(const char* name, int status, const QString& reasonHas, HttpRequestSpec request) {
  return {name, status, reasonHas, std::move(request)};
}

TEST_F(WritefileTest, EveryRefusalHasItsStatusAndOneLineReasonAndSendsNothing) {
  StartSite();
  auto with = [this](auto change) {
    UploadParts parts;
    change(parts);
    return Request(site_, parts);
  };
  HttpRequestSpec get = Request(site_, {});
  get.method = "GET";
  HttpRequestSpec tooLong = Request(site_, {});
  tooLong.body = QByteArray(256 * 1024 + 1, 'a');
  HttpRequestSpec notMultipart = Request(site_, {});
  notMultipart.headers = {"Content-Type: text/plain", "Expect:"};
  HttpRequestSpec headerBoundary = Request(site_, {});
  headerBoundary.body.replace(kDelimiter, "---------------------------7d036b37204d6");
  // A PNG whose header reads well but whose pixel data is damaged.
  QByteArray undecodable = Png(16, 16);
  const qsizetype pixels = undecodable.indexOf("IDAT") + 4;
  undecodable.replace(pixels, 8, QByteArray(8, '\x5A'));

  const RefusalCase cases[] = {
      Case("GET", 405, "POST", get),
      Case("over 256 KiB", 413, "256KiB", tooLong),
      Case("not multipart/form-data", 400, "Content-Type", notMultipart),
      Case("the Content-Type boundary as delimiter", 400, "形式", headerBoundary),
      Case("From is not the user ID", 400, "差出人",
           with([](UploadParts& p) { p.from = "jiro@example.com"; })),
      Case("no recipient", 400, "宛先を指定", with([](UploadParts& p) { p.to = " "; })),
      Case("a recipient that is no mailbox", 400, "taro@@example.jp",
           with([](UploadParts& p) { p.to = "jiro@example.com, taro@@example.jp"; })),
      Case("an empty recipient", 400, "空",
           with([](UploadParts& p) { p.to = "jiro@example.com,"; })),
      Case("eleven recipients", 400, "10件", with([](UploadParts& p) {
             p.to = "a0@x.jp";
             for (int i = 1; i <= 10; ++i) p.to += ",a" + QByteArray::number(i) + "@x.jp";
           })),
      Case("a tab in the subject", 400, "制御文字",
           with([](UploadParts& p) { p.subject = "a\tb"; })),
      Case("a lone line feed in the message", 400, "制御文字",
           with([](UploadParts& p) { p.message = "a\nb"; })),
      Case("bytes that are not code page 932", 400, "シフトJIS",
           with([](UploadParts& p) { p.subject = "\xFF\xFE"; })),
      Case("a BMP picture", 400, "GIF、JPEG、PNG",
           with([](UploadParts& p) { p.picture = "BM" + QByteArray(60, '\0'); })),
      Case("a picture over 64 KiB", 400, "64KiB",
           with([](UploadParts& p) { p.picture = TestGif() + QByteArray(64 * 1024, '\0'); })),
      Case("a picture wider than 4096", 400, "4096",
           with([](UploadParts& p) { p.picture = Png(4097, 2); })),
      Case("a picture our readers cannot decode", 400, "画像を読み込めません",
           with([&](UploadParts& p) { p.picture = undecodable; })),
      Case("a wrong password", 401, "パスワード",
           with([](UploadParts& p) { p.password = "quill2025"; })),
      Case("an unknown account", 401, "パスワード",
           with([](UploadParts& p) { p.userId = p.from = "nobody@example.jp"; })),
      Case("a user ID that is no address", 401, "パスワード",
           with([](UploadParts& p) { p.userId = p.from = "hanako"; })),
  };
  for (const RefusalCase& c : cases) {
    QElapsedTimer timer;
    timer.start();
    const HttpReply reply = SendHttp(c.request);
    const qint64 took = timer.elapsed();
    EXPECT_EQ(reply.status, c.status) << c.name << ": " << reply.body.toStdString();
    const QString reason = QString::fromUtf8(reply.body);
    EXPECT_TRUE(reason.endsWith("\r\n") && reason.count("\r\n") == 1) << c.name;
    EXPECT_TRUE(reason.contains(c.reasonHas)) << c.name << ": " << reason.toStdString();
    EXPECT_EQ(reply.headers.value("content-type"), "text/plain; charset=UTF-8") << c.name;
    if (c.status == 405) {
      EXPECT_EQ(reply.headers.value("allow"), "POST");
    }
    // Unknown and known accounts alike wait out the configured delay.
    if (c.status == 401) {
      EXPECT_GE(took, 300) << c.name;
    }
  }
  // The same request, sound, still goes through: nothing above was counted or sent.
  EXPECT_EQ(Upload(site_, {}).status, 200);
  ASSERT_TRUE(site_.Sink().WaitForMails(1));
  EXPECT_EQ(site_.Sink().MailCount(), 1);
  EXPECT_EQ(site_.RequestLog().size(), static_cast<qsizetype>(std::size(cases)) + 1);
}

TEST_F(WritefileTest, LimitsRefuseWith429AndRetryAfterAndHoldForSimultaneousSends) {
  StartSite({.extraConfig = "[limits]\nmails_per_hour = 2\nrecipients_per_day = 5\n"});
  EXPECT_EQ(Upload(site_, {}).status, 200);
  EXPECT_EQ(Upload(site_, {}).status, 200);
  HttpReply refused = Upload(site_, {});
  ASSERT_EQ(refused.status, 429);
  const int hourly = refused.headers.value("retry-after").toInt();
  EXPECT_GT(hourly, 0);
  EXPECT_LE(hourly, 3600);

  // Recipients per day: two sent, four more would make six.
  ASSERT_TRUE(site_.Reconfigure("[limits]\nmails_per_hour = 30\nrecipients_per_day = 5\n"));
  UploadParts four;
  four.to = "a@x.jp,b@x.jp,c@x.jp,d@x.jp";
  refused = Upload(site_, four);
  ASSERT_EQ(refused.status, 429);
  EXPECT_GT(refused.headers.value("retry-after").toInt(), 3600);
  UploadParts three;
  three.to = "a@x.jp,b@x.jp,c@x.jp";
  EXPECT_EQ(Upload(site_, three).status, 200);

  // Six at once against a limit of three: the database counts them one after the other.
  ASSERT_TRUE(site_.Reconfigure("[limits]\nmails_per_hour = 3\n"));
  ASSERT_GT(site_.AddAccount("jiro@example.com", "pw-jiro"), 0);
  UploadParts jiro;
  jiro.userId = jiro.from = "jiro@example.com";
  jiro.password = "pw-jiro";
  const ConcurrentOutcome outcome = UploadAtOnce(site_, jiro, 6);
  EXPECT_EQ(outcome.delivered, 3);
  EXPECT_EQ(outcome.overLimit, 3);
  EXPECT_TRUE(site_.Sink().WaitForMails(6));
  EXPECT_EQ(site_.Sink().MailCount(), 6);
}

// With a cache key, a password that matched is remembered as a keyed digest (never the password
// or its hash): a wrong password is still refused, and a changed password makes the old one
// worthless at once. Without the key nothing is remembered.
TEST_F(WritefileTest, RememberedPasswordsNeedTheKeyAndGoWithAPasswordChange) {
  StartSite();
  const auto remembered = [this] {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "inspect");
    db.setDatabaseName(site_.Folder() + "/service.db");
    QStringList digests;
    if (db.open()) {
      QSqlQuery query("SELECT digest FROM verified_passwords", db);
      while (query.next()) digests << query.value(0).toString();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("inspect");
    return digests;
  };
  EXPECT_EQ(Upload(site_, {}).status, 200);
  EXPECT_TRUE(remembered().isEmpty());

  ASSERT_TRUE(site_.Reconfigure("[accounts]\nverified_cache_key = " + QString(64, 'a') + "\n"));
  EXPECT_EQ(Upload(site_, {}).status, 200);
  const QStringList digests = remembered();
  ASSERT_EQ(digests.size(), 1);
  EXPECT_EQ(digests[0].size(), 64);
  EXPECT_FALSE(digests[0].contains("quill2026"));
  EXPECT_EQ(Upload(site_, {}).status, 200);  // on the digest
  UploadParts wrong;
  wrong.password = "quill2027";
  EXPECT_EQ(Upload(site_, wrong).status, 401);

  ASSERT_EQ(site_.Admin({"user", "passwd", "hanako@example.jp"}, "changed\n").exitCode, 0);
  EXPECT_EQ(Upload(site_, {}).status, 401);
  UploadParts changed;
  changed.password = "changed";
  EXPECT_EQ(Upload(site_, changed).status, 200);
}

TEST_F(WritefileTest, RelayRefusalsSendNothingAndCountNothing) {
  StartSite({.sinkOptions = {"--refuse", "refused", "--defer", "later"},
             .extraConfig = "[limits]\nmails_per_hour = 1\n"});
  UploadParts refused;
  refused.to = "taro@example.ne.jp,refused@example.jp";
  HttpReply reply = Upload(site_, refused);
  EXPECT_EQ(reply.status, 502) << reply.body.toStdString();
  EXPECT_TRUE(QString::fromUtf8(reply.body).contains(QStringLiteral("メールサーバー")));
  UploadParts deferred;
  deferred.to = "later@example.jp";
  EXPECT_EQ(Upload(site_, deferred).status, 503);
  // Neither counted against the one mail an hour, neither was kept for the album.
  EXPECT_EQ(Upload(site_, {}).status, 200);
  ASSERT_TRUE(site_.Sink().WaitForMails(1));
  EXPECT_EQ(site_.Sink().MailCount(), 1);
  EXPECT_TRUE(site_.Admin({"user", "list"}).out.contains("pictures=1 "));
}

TEST_F(WritefileTest, RelayDownAnswers503AndKeepsNothing) {
  StartSite({.relayDown = true});
  const HttpReply reply = Upload(site_, {});
  EXPECT_EQ(reply.status, 503);
  EXPECT_TRUE(QString::fromUtf8(reply.body).contains(QStringLiteral("接続できません")));
  EXPECT_TRUE(site_.Admin({"user", "list"}).out.contains("pictures=0 "));
}

}  // namespace
