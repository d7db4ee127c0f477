#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <QFile>

#include "test_environment.h"

namespace {

void BlockSettingsFolder() {
  // A configuration folder below a plain file can neither be read nor made.
  QFile blocker(testenv::ConfigDir() + "/blocker");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  qputenv("XDG_CONFIG_HOME", (testenv::ConfigDir() + "/blocker/config").toUtf8());
}

TEST(SettingsStore, OpeningCreatesTheKeyAndMissingValuesReadEmpty) {
  CSettingsStore store;
  ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
  EXPECT_TRUE(QFile::exists(testenv::ConfigDir() + "/Varneth/Quillora.conf"));
  EXPECT_FALSE(store.ReadServer());
  EXPECT_EQ(store.Server(), QString());
  QString homePage = QStringLiteral("stale");
  EXPECT_FALSE(store.ReadHomePage(homePage));
  EXPECT_EQ(homePage, QString());
  EXPECT_FALSE(store.ReadFirstRunMark());
}

TEST(SettingsStore, WritesAreReadBackByANewStore) {
  {
    CSettingsStore store;
    ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
    store.SetUserId(QStringLiteral("taro@example.jp"));
    store.SetPassword(QStringLiteral("ひみつ"));
    EXPECT_TRUE(store.WriteUserId());
    EXPECT_TRUE(store.WritePassword());
    EXPECT_TRUE(store.WriteFirstRunMark());
    EXPECT_TRUE(store.WriteValue("Server", "127.0.0.1:8080"));
    EXPECT_TRUE(store.WriteValue("HomePage", "www.example.jp/quill/"));
  }
  CSettingsStore store;
  ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
  EXPECT_TRUE(store.ReadFirstRunMark());
  store.RefreshSettings();
  EXPECT_EQ(store.UserId(), QStringLiteral("taro@example.jp"));
  EXPECT_EQ(store.SenderId(), QStringLiteral("taro@example.jp"));
  EXPECT_EQ(store.Password(), QStringLiteral("ひみつ"));
  EXPECT_EQ(store.Server(), QStringLiteral("127.0.0.1:8080"));
  EXPECT_EQ(store.RequestPath(), QStringLiteral("/cgi-bin/writefile.cgi"));
  QString homePage;
  EXPECT_TRUE(store.ReadHomePage(homePage));
  EXPECT_EQ(homePage, QStringLiteral("www.example.jp/quill/"));
}

TEST(SettingsStore, FailedReadEmptiesTheValueAndItsSenderCopy) {
  CSettingsStore store;
  ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
  store.SetUserId(QStringLiteral("old@example.jp"));
  store.WriteUserId();
  ASSERT_TRUE(store.ReadUserId());
  // A value over the 260-byte read limit cannot be read.
  store.WriteValue("UserID", QString(300, QLatin1Char('a')) + "@example.jp");
  EXPECT_FALSE(store.ReadUserId());
  EXPECT_EQ(store.UserId(), QString());
  EXPECT_EQ(store.SenderId(), QString());
  // The limit counts code page 932 bytes and the terminating zero.
  store.WriteValue("UserID", QString(129, QChar(0x3042)));
  EXPECT_TRUE(store.ReadUserId());
  store.WriteValue("UserID", QString(130, QChar(0x3042)));
  EXPECT_FALSE(store.ReadUserId());
}

TEST(SettingsStore, HeldTextsAreCutAt1023Bytes) {
  CSettingsStore store;
  store.SetPassword(QString(600, QChar(0x3042)));  // 1200 bytes in code page 932
  EXPECT_EQ(store.Password().size(), 511);
}

TEST(SettingsStore, UnopenableStoreGivesEmptySettingsAndWritesNothing) {
  BlockSettingsFolder();
  CSettingsStore store;
  EXPECT_FALSE(store.OpenSettingsKey(RegistryAccess::Full));
  store.SetUserId(QStringLiteral("taro@example.jp"));
  EXPECT_FALSE(store.WriteUserId());
  EXPECT_FALSE(store.WriteFirstRunMark());
  EXPECT_FALSE(store.ReadFirstRunMark());
  EXPECT_FALSE(store.ReadUserId());
  EXPECT_EQ(store.UserId(), QString());
  store.RefreshSettings();
  EXPECT_EQ(store.Server(), QString());
}

TEST(SettingsStore, ReadableButUnwritableKeyIsUsedForReading) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
  {
    CSettingsStore store;
    ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
    store.WriteFirstRunMark();
  }
  const QString file = testenv::ConfigDir() + "/Varneth/Quillora.conf";
  QFile::setPermissions(file, QFileDevice::ReadOwner);
  CSettingsStore store;
  EXPECT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
  EXPECT_TRUE(store.ReadFirstRunMark());
  EXPECT_FALSE(store.WriteValue("Server", "x"));
  QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace
