// The same service on a PostgreSQL server that the test starts itself.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <QRegularExpression>

#include "page_client.h"
#include "store/schema.h"
#include "upload_requests.h"

namespace {

TEST(Postgresql, AccountsLimitsAndDeliveryOnPostgresql) {
  ServiceSite site;
  QString error;
  ASSERT_TRUE(
      site.Start({.postgres = true, .extraConfig = "[limits]\nmails_per_hour = 2\n"}, &error))
      << error.toStdString();
  const qint64 album = site.AddAccount("hanako@example.jp", "quill2026");
  ASSERT_GT(album, 0);
  EXPECT_EQ(site.Admin({"user", "add", "hanako@example.jp"}, "again\n").exitCode, 1);
  EXPECT_EQ(site.Admin({"db", "migrate"}).out,
            QByteArray("schema version ") + QByteArray::number(kSchemaVersion) + "\n");
  EXPECT_EQ(site.Admin({"config", "check"}).exitCode, 0);

  const HttpReply reply = Upload(site, {});
  ASSERT_EQ(reply.status, 200) << reply.body.toStdString();
  EXPECT_EQ(reply.body, "OK\r\nalbum=" + QByteArray::number(album) + "\r\n");
  UploadParts wrong;
  wrong.password = "quill2025";
  EXPECT_EQ(Upload(site, wrong).status, 401);

  // Five at once against the one mail left this hour: PostgreSQL's row lock orders them.
  const ConcurrentOutcome outcome = UploadAtOnce(site, {}, 5);
  EXPECT_EQ(outcome.delivered, 1);
  EXPECT_EQ(outcome.overLimit, 4);
  EXPECT_TRUE(site.Sink().WaitForMails(2));
  EXPECT_EQ(site.Sink().MailCount(), 2);
  EXPECT_TRUE(site.Admin({"user", "list"}).out.contains(" pictures=2 "));

  ASSERT_EQ(site.Admin({"user", "remove", "hanako@example.jp"}).exitCode, 0);
  EXPECT_EQ(Upload(site, {}).status, 401);
}

TEST(Postgresql, AlbumPagesSignUpAndDeleteOnPostgresql) {
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({.postgres = true}, &error)) << error.toStdString();
  PageClient browser(site);
  const HttpReply form = browser.Get("/quill/album/signup");
  ASSERT_EQ(browser
                .Post("/quill/album/signup", {{"csrf", FieldValue(form.body, "csrf")},
                                              {"address", "hanako@example.jp"},
                                              {"password", "quill2026"},
                                              {"again", "quill2026"}})
                .status,
            200);
  ASSERT_TRUE(site.Sink().WaitForMails(1));
  static const QRegularExpression link(QStringLiteral("(/quill/album/confirm\\?token=\\S+)"));
  const QString confirm =
      link.match(site.Sink().Mails()[0].toObject()["text"].toString()).captured(1);
  ASSERT_EQ(browser.Get(confirm).status, 200);
  EXPECT_EQ(browser.Get(confirm).status, 404);
  ASSERT_EQ(Upload(site, {}).status, 200);

  const HttpReply login = browser.Get("/quill/album/");
  ASSERT_EQ(browser
                .Post("/quill/album/login", {{"csrf", FieldValue(login.body, "csrf")},
                                             {"address", "hanako@example.jp"},
                                             {"password", "quill2026"}})
                .status,
            303);
  const HttpReply editor = browser.Get("/quill/album/");
  static const QRegularExpression picture(QStringLiteral("picture\\?id=([\\w-]+)"));
  const QString id = picture.match(QString::fromUtf8(editor.body)).captured(1);
  ASSERT_FALSE(id.isEmpty()) << editor.body.toStdString();
  EXPECT_EQ(browser.Get("/quill/album/picture?id=" + id).body, TestGif());
  EXPECT_EQ(
      browser.Post("/quill/album/delete", {{"csrf", FieldValue(editor.body, "csrf")}, {"id", id}})
          .status,
      303);
  EXPECT_EQ(browser.Get("/quill/album/picture?id=" + id).status, 404);
}

}  // namespace
