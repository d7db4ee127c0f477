// album.cgi under a real lighttpd: the public album, pictures, the editor and sign-up, read
// back as a browser would get them, and every page checked as HTML5 by tidy.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include "config/service_config.h"
#include "page_client.h"
#include "store/account_store.h"
#include "store/database.h"
#include "store/picture_store.h"
#include "store/token.h"
#include "upload_requests.h"

namespace {

const QString kAddress = QStringLiteral("hanako@example.jp");
const QString kPassword = QStringLiteral("quill2026");

DatabaseConfig SiteDatabase(const ServiceSite& site) {
  DatabaseConfig config;
  config.path = site.Folder() + "/service.db";
  return config;
}

// Pictures kept for the account as writefile.cgi keeps them, one a minute, oldest first.
void KeepPictures(const ServiceSite& site, const QString& address, const QStringList& subjects) {
  Database database(SiteDatabase(site), Database::Creation::kRefused);
  const auto account = AccountStore(database).ByAlbumNumber(
      AccountStore(database).List().front().account.albumNumber);
  ASSERT_TRUE(account && account->address == address);
  PictureStore pictures(database);
  const QByteArray gif = TestGif();
  for (int i = 0; i < subjects.size(); ++i) {
    PictureRecord record{0,  account->id, 1'800'000'000 + 60 * i, subjects[i], 1, "image/gif", gif,
                         24, 20};
    const auto id = pictures.Reserve(record, {1000, 100000});
    ASSERT_TRUE(std::holds_alternative<qint64>(id));
    pictures.MarkDelivered(std::get<qint64>(id));
  }
}

QStringList Subjects(const QByteArray& page) {
  static const QRegularExpression subject(QStringLiteral("<span class=\"subject\">([^<]*)</span>"));
  QStringList found;
  for (const auto& match : subject.globalMatch(QString::fromUtf8(page))) found << match.captured(1);
  return found;
}

QString PictureAddress(const QByteArray& page) {
  static const QRegularExpression source(
      QStringLiteral("src=\"(/quill/album/picture\\?id=[^\"]+)\""));
  return source.match(QString::fromUtf8(page)).captured(1);
}

HttpReply LogIn(PageClient& browser, const QString& address, const QString& password) {
  const HttpReply form = browser.Get("/quill/album/");
  return browser.Post(
      "/quill/album/login",
      {{"csrf", FieldValue(form.body, "csrf")}, {"address", address}, {"password", password}});
}

TEST(AlbumPages, PublicAlbumNewestFirstFortyToAPageWithCachedPictures) {
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({}, &error)) << error.toStdString();
  const qint64 album = site.AddAccount(kAddress, kPassword);
  ASSERT_GT(album, 0);
  QStringList subjects;
  for (int i = 1; i <= 41; ++i) subjects << QStringLiteral("写真 %1").arg(i);
  subjects[40] = QStringLiteral("<b>海&\"山'</b>");
  KeepPictures(site, kAddress, subjects);

  PageClient browser(site);
  const QString address = QStringLiteral("/quill/album/filelist.php3?num=%1&bLogin=0").arg(album);
  const HttpReply first = browser.Get(address);
  ASSERT_EQ(first.status, 200) << first.body.toStdString();
  EXPECT_EQ(first.headers.value("content-type"), "text/html; charset=UTF-8");
  EXPECT_EQ(TidyProblems(first.body), "");
  // Newest first, forty, the subject escaped, each at twice its 24 x 20 pixels.
  const QStringList shown = Subjects(first.body);
  ASSERT_EQ(shown.size(), 40);
  EXPECT_EQ(shown.front(), QStringLiteral("&lt;b&gt;海&amp;&quot;山&#39;&lt;/b&gt;"));
  EXPECT_EQ(shown.back(), QStringLiteral("写真 2"));
  EXPECT_FALSE(first.body.contains("<b>"));
  EXPECT_EQ(first.body.count("width=\"48\" height=\"40\""), 40);
  EXPECT_FALSE(first.body.contains(kAddress.toUtf8())) << "a public page names no account";
  // The older clients' address without "&bLogin=0" is the same page.
  EXPECT_EQ(
      Subjects(browser.Get(QStringLiteral("/quill/album/filelist.php3?num=%1").arg(album)).body),
      shown);
  const HttpReply second = browser.Get(address + "&page=2");
  EXPECT_EQ(Subjects(second.body), QStringList{QStringLiteral("写真 1")});
  EXPECT_EQ(browser.Get(address + "&page=3").status, 404);

  const HttpReply unknown = browser.Get("/quill/album/filelist.php3?num=99&bLogin=0");
  EXPECT_EQ(unknown.status, 404);
  EXPECT_TRUE(unknown.body.contains("ページが見つかりません"));
  EXPECT_EQ(TidyProblems(unknown.body), "");

  // The stylesheet keeps the pixels square.
  static const QRegularExpression style(
      QStringLiteral("href=\"(/quill/album/style\\.css\\?v=\\w+)\""));
  const HttpReply css = browser.Get(style.match(QString::fromUtf8(first.body)).captured(1));
  EXPECT_EQ(css.headers.value("content-type"), "text/css; charset=UTF-8");
  EXPECT_TRUE(css.body.contains("image-rendering: pixelated"));

  const QString picture = PictureAddress(first.body);
  const HttpReply image = browser.Get(picture);
  ASSERT_EQ(image.status, 200);
  EXPECT_EQ(image.body, TestGif());
  EXPECT_EQ(image.headers.value("content-type"), "image/gif");
  EXPECT_EQ(image.headers.value("cache-control"), "public, no-cache");
  const QByteArray tag = image.headers.value("etag");
  ASSERT_TRUE(tag.startsWith('"') && tag.size() > 10);
  const HttpReply cached = browser.Get(picture, {"If-None-Match: " + tag});
  EXPECT_EQ(cached.status, 304);
  EXPECT_TRUE(cached.body.isEmpty());

  // A private album is not found, and nor are its pictures, except by their owner.
  {
    Database database(SiteDatabase(site), Database::Creation::kRefused);
    AccountStore(database).SetAlbumPublic(AccountStore(database).ByAlbumNumber(album)->id, false);
  }
  EXPECT_EQ(browser.Get(address).status, 404);
  EXPECT_EQ(browser.Get(picture).status, 404);
  ASSERT_EQ(LogIn(browser, kAddress, kPassword).status, 303);
  const HttpReply owned = browser.Get(picture);
  EXPECT_EQ(owned.status, 200);
  EXPECT_EQ(owned.headers.value("cache-control"), "private, no-cache");
}

TEST(AlbumEditor, SessionCookieFormTokensPasswordChangeAndLogOutOverHttps) {
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({.tls = true}, &error)) << error.toStdString();
  const qint64 album = site.AddAccount(kAddress, kPassword);
  ASSERT_GT(album, 0);
  KeepPictures(site, kAddress, {QStringLiteral("夏"), QStringLiteral("秋")});

  PageClient browser(site);
  const HttpReply loginForm = browser.Get("/quill/album/");
  ASSERT_EQ(loginForm.status, 200);
  EXPECT_EQ(TidyProblems(loginForm.body), "");
  const QByteArray formCookie = SetCookieHeader(loginForm, "quillora_form");
  for (const char* flag : {"; HttpOnly", "; SameSite=Strict", "; Secure", "; Path=/quill/album/"})
    EXPECT_TRUE(formCookie.contains(flag)) << formCookie.toStdString();
  const QString loginToken = FieldValue(loginForm.body, "csrf");
  ASSERT_FALSE(loginToken.isEmpty());

  // A form without its token, or with the token of another browser, is refused.
  EXPECT_EQ(
      browser.Post("/quill/album/login", {{"address", kAddress}, {"password", kPassword}}).status,
      403);
  PageClient other(site);
  EXPECT_EQ(other
                .Post("/quill/album/login",
                      {{"csrf", loginToken}, {"address", kAddress}, {"password", kPassword}})
                .status,
            403);
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(LogIn(browser, kAddress, "quill2025").status, 401);
  EXPECT_GE(timer.elapsed(), 300);

  const HttpReply loggedIn = LogIn(browser, kAddress, kPassword);
  ASSERT_EQ(loggedIn.status, 303);
  EXPECT_EQ(loggedIn.headers.value("location"), "/quill/album/");
  const QByteArray sessionCookie = SetCookieHeader(loggedIn, "quillora_session");
  for (const char* flag : {"; HttpOnly", "; SameSite=Strict", "; Secure", "; Max-Age=604800"})
    EXPECT_TRUE(sessionCookie.contains(flag)) << sessionCookie.toStdString();
  const QString token = browser.Cookie("quillora_session");
  {
    // The database knows the session by its digest alone.
    Database database(SiteDatabase(site), Database::Creation::kRefused);
    QSqlQuery rows = database.Run("SELECT token_hash FROM sessions");
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(0).toString().toStdString(), TokenHash(token.toStdString()));
  }
  const HttpReply editor = browser.Get("/quill/album/");
  ASSERT_EQ(editor.status, 200);
  EXPECT_EQ(TidyProblems(editor.body), "");
  EXPECT_TRUE(editor.body.contains(kAddress.toUtf8()));
  EXPECT_EQ(Subjects(editor.body), (QStringList{QStringLiteral("秋"), QStringLiteral("夏")}));
  const QString csrf = FieldValue(editor.body, "csrf");

  PageClient second(site);
  ASSERT_EQ(LogIn(second, kAddress, kPassword).status, 303);

  // Private, without the token: refused and unchanged; with it: done.
  EXPECT_EQ(browser.Post("/quill/album/visibility", {{"public", "0"}}).status, 403);
  const QString albumPage = QStringLiteral("/quill/album/filelist.php3?num=%1&bLogin=0").arg(album);
  EXPECT_EQ(browser.Get(albumPage).status, 200);
  EXPECT_EQ(browser.Post("/quill/album/visibility", {{"csrf", csrf}, {"public", "0"}}).status, 303);
  EXPECT_EQ(other.Get(albumPage).status, 404);

  const HttpReply mismatch = browser.Post(
      "/quill/album/password",
      {{"csrf", csrf}, {"current", kPassword}, {"new", "umi-yama-1"}, {"again", "umi-yama-2"}});
  EXPECT_EQ(mismatch.status, 400);
  EXPECT_TRUE(mismatch.body.contains("一致しません"));
  EXPECT_EQ(browser
                .Post("/quill/album/password", {{"csrf", csrf},
                                                {"current", "quill2025"},
                                                {"new", "umi-yama-1"},
                                                {"again", "umi-yama-1"}})
                .status,
            401);
  EXPECT_EQ(browser
                .Post("/quill/album/password", {{"csrf", csrf},
                                                {"current", kPassword},
                                                {"new", "umi-yama-1"},
                                                {"again", "umi-yama-1"}})
                .status,
            303);
  // The other browser's session ended with the old password; the composer sends with the new.
  EXPECT_TRUE(second.Get("/quill/album/").body.contains("action=\"/quill/album/login\""));
  UploadParts upload;
  upload.password = "umi-yama-1";
  EXPECT_EQ(Upload(site, upload).status, 200);

  ASSERT_EQ(browser.Post("/quill/album/logout", {{"csrf", csrf}}).status, 303);
  // The old cookie opens nothing any more.
  browser.SetCookie("quillora_session", token);
  EXPECT_TRUE(browser.Get("/quill/album/").body.contains("action=\"/quill/album/login\""));
}

TEST(AlbumSignup, ConfirmationLinkWorksOnceWithinADayAndSignUpsAreLimited) {
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({.extraConfig = "[signup]\nper_client_per_hour = 3\n"}, &error))
      << error.toStdString();
  PageClient browser(site);
  auto signUp = [&](const QString& address, const QString& password) {
    const HttpReply form = browser.Get("/quill/album/signup");
    return browser.Post("/quill/album/signup", {{"csrf", FieldValue(form.body, "csrf")},
                                                {"address", address},
                                                {"password", password},
                                                {"again", password}});
  };
  auto link = [&](int mail) {
    static const QRegularExpression confirm(QStringLiteral("(/quill/album/confirm\\?token=\\S+)"));
    EXPECT_TRUE(site.Sink().WaitForMails(mail + 1));
    const QJsonObject sent = site.Sink().Mails()[mail].toObject();
    EXPECT_EQ(sent["from"].toString(), "no-reply@quillora.test");
    return confirm.match(sent["text"].toString()).captured(1);
  };

  EXPECT_EQ(signUp("taro@example.jp", "short").status, 400);
  const HttpReply sent = signUp("taro@example.jp", QStringLiteral("たろうの2026年"));
  ASSERT_EQ(sent.status, 200) << sent.body.toStdString();
  EXPECT_EQ(TidyProblems(sent.body), "");
  const QString confirm = link(0);
  ASSERT_TRUE(confirm.startsWith("/quill/album/confirm?token=")) << confirm.toStdString();
  const HttpReply done = browser.Get(confirm);
  ASSERT_EQ(done.status, 200);
  EXPECT_EQ(TidyProblems(done.body), "");
  static const QRegularExpression number(
      QStringLiteral("<strong class=\"number\">(\\d+)</strong>"));
  const QString album = number.match(QString::fromUtf8(done.body)).captured(1);
  EXPECT_TRUE(site.Admin({"user", "list"}).out.contains(("album=" + album).toUtf8()));
  EXPECT_EQ(browser.Get(confirm).status, 404) << "a link works once";
  EXPECT_EQ(LogIn(browser, "taro@example.jp", QStringLiteral("たろうの2026年")).status, 303);

  // A link older than a day is refused.
  ASSERT_EQ(signUp("jiro@example.jp", "jiro-2026").status, 200);
  const QString late = link(1);
  {
    Database database(SiteDatabase(site), Database::Creation::kRefused);
    database.Run("UPDATE signups SET created_at = created_at - 86401 WHERE address = ?",
                 {"jiro@example.jp"});
  }
  EXPECT_EQ(browser.Get(late).status, 404);

  // A taken address gets the same page, and its mail no link.
  const HttpReply taken = signUp("taro@example.jp", "another-1");
  EXPECT_EQ(taken.status, 200);
  EXPECT_EQ(Subjects(taken.body), Subjects(sent.body));
  EXPECT_TRUE(link(2).isEmpty());

  // Three requests within the hour from this address (the old one is past it) are the most.
  ASSERT_EQ(signUp("saburo@example.jp", "saburo-2026").status, 200);
  const HttpReply limited = signUp("shiro@example.jp", "shiro-2026");
  EXPECT_EQ(limited.status, 429);
  EXPECT_EQ(limited.headers.value("retry-after"), "3600");
  EXPECT_EQ(site.Sink().MailCount(), 4);
}

TEST(AlbumSignup, ARelayThatCannotBeReachedIsSaid) {
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({.relayDown = true}, &error)) << error.toStdString();
  PageClient browser(site);
  const HttpReply form = browser.Get("/quill/album/signup");
  const HttpReply sent =
      browser.Post("/quill/album/signup", {{"csrf", FieldValue(form.body, "csrf")},
                                           {"address", "taro@example.jp"},
                                           {"password", "taro-2026"},
                                           {"again", "taro-2026"}});
  EXPECT_EQ(sent.status, 503);
  EXPECT_TRUE(sent.body.contains("確認メールを送れませんでした"));
}

}  // namespace
