#include "app/web_links.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "app/settings_store.h"
#include "compose/compose_dlg.h"
#include "compose/user_settings_dlg.h"
#include "platform/url_opener.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "window_input.h"

namespace {

TEST(WebLinks, AddressesAreBuiltOnlyFromValuesThatKeepTheHost) {
  EXPECT_EQ(HomePageAddress("www.example.jp/quillora/")->toString(),
            QStringLiteral("http://www.example.jp/quillora/"));
  EXPECT_EQ(
      PublicAlbumAddress("quill.example.jp:8080", "42")->toString(),
      QStringLiteral("http://quill.example.jp:8080/quill/album/filelist.php3?num=42&bLogin=0"));
  EXPECT_EQ(AlbumEditorAddress("quill.example.jp")->toString(),
            QStringLiteral("http://quill.example.jp/quill/album/"));
  EXPECT_EQ(AlbumEditorAddress("https://quill.example.jp")->toString(),
            QStringLiteral("https://quill.example.jp/quill/album/"));
  EXPECT_EQ(PublicAlbumAddress("https://127.0.0.1:8443/", "42")->toString(),
            QStringLiteral("https://127.0.0.1:8443/quill/album/filelist.php3?num=42&bLogin=0"));
  EXPECT_TRUE(ManualAddress().isLocalFile());
  for (const char* server :
       {"", "evil.example@quill.example.jp", "quill.example.jp/x", "a b", "quill\x01.jp",
        "quill.example.jp?x", "ftp://quill.example.jp", "https://evil.example@quill.example.jp"}) {
    EXPECT_FALSE(AlbumEditorAddress(server)) << server;
    EXPECT_FALSE(PublicAlbumAddress(server, "42")) << server;
  }
  EXPECT_FALSE(PublicAlbumAddress("quill.example.jp", ""));
  EXPECT_FALSE(PublicAlbumAddress("quill.example.jp", "42&bLogin=1"));
  EXPECT_FALSE(HomePageAddress("user@evil.example/quillora/"));
  EXPECT_FALSE(HomePageAddress("www.example.jp/a b"));
}

class LinkButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
    SetUrlOpener([this](const QUrl& url) {
      opened << url.toString();
      return true;
    });
  }
  void TearDown() override { SetUrlOpener(nullptr); }

  void Click(CComposeDlg& window, int id) {
    testenv::WindowClick(&window, Qt::LeftButton, testenv::InWindow(window.Button(id)));
  }

  CSettingsStore store;
  QStringList opened;
};

TEST_F(LinkButtons, OpenTheServicePagesOrSayWhyNot) {
  CComposeDlg window(store);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  Click(window, CComposeDlg::kHomePageButton);  // no home page set: nothing, silently
  EXPECT_TRUE(opened.isEmpty());

  store.WriteValue("HomePage", "www.example.jp/quillora/");
  store.WriteValue("Server", "quill.example.jp");
  store.WriteValue("AlbumNumber", "7");
  Click(window, CComposeDlg::kHomePageButton);
  Click(window, CComposeDlg::kAlbumButton);
  Click(window, CComposeDlg::kAlbumEditorButton);
  Click(window, CComposeDlg::kHelpButton);
  EXPECT_EQ(opened,
            (QStringList{"http://www.example.jp/quillora/",
                         "http://quill.example.jp/quill/album/filelist.php3?num=7&bLogin=0",
                         "http://quill.example.jp/quill/album/",
                         QUrl::fromLocalFile(testenv::ProgramDir() + "/manual.html").toString()}));

  store.WriteValue("Server", "evil.example@quill.example.jp");
  QString notice;
  testenv::OnNextModal([&](QWidget* dialog) {
    auto* shown = qobject_cast<CNoticeDlg*>(dialog);
    if (shown) notice = shown->NoticeText();
    dialog->close();
  });
  Click(window, CComposeDlg::kAlbumButton);
  EXPECT_TRUE(
      notice.startsWith(QStringLiteral("サーバー「evil.example@quill.example.jp」は正しくありま"
                                       "せん。\n「設定」ボタン")))
      << notice.toStdString();
  // Without an album number the button says where to set it.
  store.WriteValue("Server", "quill.example.jp");
  store.WriteValue("AlbumNumber", "");
  testenv::OnNextModal([&](QWidget* dialog) {
    notice = qobject_cast<CNoticeDlg*>(dialog)->NoticeText();
    dialog->close();
  });
  Click(window, CComposeDlg::kAlbumButton);
  EXPECT_TRUE(notice.contains("Quillora.conf") && notice.contains("AlbumNumber"));
  EXPECT_EQ(opened.size(), 4);
}

// The settings window shows and stores the password and the server; a server that would make
// no proper address is said and nothing is stored.
TEST_F(LinkButtons, SettingsWindowStoresPasswordAndServerOnOkOnly) {
  store.SetUserId("me@example.jp");
  store.WriteUserId();
  store.SetPassword("old");
  store.WritePassword();
  store.WriteValue("Server", "old.example.jp");
  CComposeDlg window(store);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  CUserSettingsDlg* settings = window.UserSettings();
  const QPoint cancel(85 + 40, 129 + 16), ok(187 + 40, 129 + 16);
  Click(window, CComposeDlg::kUserSettingsButton);
  ASSERT_TRUE(settings->isVisible());
  EXPECT_EQ(settings->ShownUserId(), QStringLiteral("me@example.jp"));
  EXPECT_EQ(settings->PasswordEdit()->text(), QStringLiteral("old"));
  EXPECT_EQ(settings->ServerEdit()->text(), QStringLiteral("old.example.jp"));
  settings->PasswordEdit()->setText("typed but cancelled");
  testenv::WindowClick(settings, Qt::LeftButton, cancel);
  EXPECT_FALSE(settings->isVisible());
  CSettingsStore reread;
  ASSERT_TRUE(reread.OpenSettingsKey(RegistryAccess::Full));
  reread.ReadPassword();
  EXPECT_EQ(reread.Password(), QStringLiteral("old"));

  Click(window, CComposeDlg::kUserSettingsButton);
  settings->PasswordEdit()->setText("new secret");
  settings->ServerEdit()->setText("bad host");
  QString notice;
  testenv::OnNextModal([&](QWidget* dialog) {
    notice = qobject_cast<CNoticeDlg*>(dialog)->NoticeText();
    dialog->close();
  });
  testenv::WindowClick(settings, Qt::LeftButton, ok);
  EXPECT_EQ(notice, QStringLiteral("サーバー「bad host」は正しくありません。"));
  EXPECT_TRUE(settings->isVisible());
  reread.RefreshSettings();
  EXPECT_EQ(reread.Password(), QStringLiteral("old"));
  EXPECT_EQ(reread.Server(), QStringLiteral("old.example.jp"));

  settings->ServerEdit()->setText(" 127.0.0.1:8080 ");
  testenv::WindowClick(settings, Qt::LeftButton, ok);
  EXPECT_FALSE(settings->isVisible());
  reread.RefreshSettings();
  EXPECT_EQ(reread.Password(), QStringLiteral("new secret"));
  EXPECT_EQ(reread.Server(), QStringLiteral("127.0.0.1:8080"));
  Click(window, CComposeDlg::kAlbumEditorButton);
  EXPECT_EQ(opened, QStringList{"http://127.0.0.1:8080/quill/album/"});
}

}  // namespace
