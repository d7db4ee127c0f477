// The quillora-service command against a real site (SQLite), checked through writefile.cgi.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "store/schema.h"
#include "upload_requests.h"

namespace {

TEST(AdminCommand, ManagesAccountsAndChecksTheConfiguration) {
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({}, &error)) << error.toStdString();

  // user add: the password from standard input, a random album number of 6 to 9 digits.
  const ServiceSite::AdminRun added =
      site.Admin({"user", "add", "hanako@Example.JP"}, "quill2026\n");
  ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
  EXPECT_TRUE(QRegularExpression("^hanako@example\\.jp album=[1-9][0-9]{5,8}\n$")
                  .match(QString::fromUtf8(added.out))
                  .hasMatch())
      << added.out.toStdString();
  EXPECT_EQ(site.Admin({"user", "add", "hanako@example.jp"}, "other\n").exitCode, 1);
  EXPECT_EQ(site.Admin({"user", "add", "not an address"}, "pw\n").exitCode, 1);
  EXPECT_EQ(site.Admin({"user", "add", "empty@example.jp"}, "\n").exitCode, 1);
  // A password the composer could not send (no code page 932 form) is refused.
  EXPECT_EQ(site.Admin({"user", "add", "emoji@example.jp"}, "pw\xF0\x9F\x98\x80\n").exitCode, 1);
  EXPECT_EQ(Upload(site, {}).status, 200);

  // user passwd: the old password stops working.
  ASSERT_EQ(site.Admin({"user", "passwd", "hanako@example.jp"}, "new-secret\r\n").exitCode, 0);
  EXPECT_EQ(Upload(site, {}).status, 401);
  UploadParts renewed;
  renewed.password = "new-secret";
  EXPECT_EQ(Upload(site, renewed).status, 200);

  const ServiceSite::AdminRun listed = site.Admin({"user", "list"});
  EXPECT_EQ(listed.exitCode, 0);
  EXPECT_TRUE(listed.out.contains(" pictures=2 created=")) << listed.out.toStdString();

  // user remove: the account and its pictures go.
  ASSERT_EQ(site.Admin({"user", "remove", "hanako@example.jp"}).exitCode, 0);
  EXPECT_EQ(site.Admin({"user", "remove", "hanako@example.jp"}).exitCode, 1);
  EXPECT_EQ(Upload(site, renewed).status, 401);
  EXPECT_TRUE(site.Admin({"user", "list"}).out.isEmpty());

  // db migrate again changes nothing; config check reaches the database and the relay.
  EXPECT_EQ(site.Admin({"db", "migrate"}).out,
            QByteArray("schema version ") + QByteArray::number(kSchemaVersion) + "\n");
  const ServiceSite::AdminRun checked = site.Admin({"config", "check"});
  EXPECT_EQ(checked.exitCode, 0) << checked.err.toStdString();
  EXPECT_EQ(checked.out, "config ok\n");
  EXPECT_EQ(site.Admin({"user"}).exitCode, 2);

  // A configuration with a mistake: the command names it and the CGI refuses to work.
  ASSERT_TRUE(site.Reconfigure("[limits]\nmails_per_day = 3\n[relay]\ntimeout_seconds = often\n"));
  const ServiceSite::AdminRun broken = site.Admin({"config", "check"});
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_TRUE(broken.err.contains("limits/mails_per_day: unknown setting"))
      << broken.err.toStdString();
  EXPECT_TRUE(broken.err.contains("relay/timeout_seconds")) << broken.err.toStdString();
  EXPECT_EQ(Upload(site, renewed).status, 503);
}

}  // namespace
