#include "platform/registry_key.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "test_environment.h"

namespace {

const QString kPath = QStringLiteral("Software\\Vendor\\Product");

ino_t InodeOf(const QString& file) {
  struct stat info {};
  stat(QFile::encodeName(file).constData(), &info);
  return info.st_ino;
}

TEST(RegistryKey, MapsKeyPathToFileInConfigFolder) {
  EXPECT_EQ(RegistryKey::FileForKey(kPath), testenv::ConfigDir() + "/Vendor/Product.conf");
}

TEST(RegistryKey, OpenFailsForMissingKeyAndCreateMakesIt) {
  RegistryKey key;
  EXPECT_FALSE(key.Open(kPath, RegistryAccess::Query));
  EXPECT_FALSE(key.Open(kPath, RegistryAccess::Full));
  ASSERT_TRUE(key.Create(kPath));
  EXPECT_TRUE(key.IsWritable());
  EXPECT_TRUE(QFileInfo::exists(RegistryKey::FileForKey(kPath)));
}

TEST(RegistryKey, StringsAndNumbersKeepTheirTypesAcrossReopening) {
  {
    RegistryKey key;
    ASSERT_TRUE(key.Create(kPath));
    EXPECT_TRUE(key.SetString("Name", QStringLiteral("やまだ, taro")));
    EXPECT_TRUE(key.SetDword("Mark", 0));
    // Strings that look like the number notation or start with its escape stay strings.
    EXPECT_TRUE(key.SetString("Tricky", QStringLiteral("dword:00000007")));
    EXPECT_TRUE(key.SetString("Slash", QStringLiteral("\\server\\share")));
    EXPECT_TRUE(key.SetString("Empty", QString()));
  }
  RegistryKey key;
  ASSERT_TRUE(key.Open(kPath, RegistryAccess::Query));
  EXPECT_EQ(key.QueryString("Name"), QStringLiteral("やまだ, taro"));
  EXPECT_EQ(key.QueryDword("Mark"), 0u);
  EXPECT_FALSE(key.QueryString("Mark").has_value());
  EXPECT_EQ(key.QueryString("Tricky"), QStringLiteral("dword:00000007"));
  EXPECT_FALSE(key.QueryDword("Tricky").has_value());
  EXPECT_EQ(key.QueryString("Slash"), QStringLiteral("\\server\\share"));
  EXPECT_EQ(key.QueryString("Empty"), QString());
  EXPECT_TRUE(key.HasValue("Empty"));
  EXPECT_FALSE(key.HasValue("Missing"));
  EXPECT_FALSE(key.QueryString("Missing").has_value());
}

TEST(RegistryKey, QueryAccessReadsButNeverWrites) {
  {
    RegistryKey key;
    ASSERT_TRUE(key.Create(kPath));
    key.SetString("Name", "before");
  }
  RegistryKey key;
  ASSERT_TRUE(key.Open(kPath, RegistryAccess::Query));
  EXPECT_FALSE(key.SetString("Name", "after"));
  EXPECT_FALSE(key.SetDword("Mark", 1));
  EXPECT_EQ(key.QueryString("Name"), QStringLiteral("before"));
}

TEST(RegistryKey, ClosedKeyReadsNothingAndWritesNothing) {
  RegistryKey key;
  EXPECT_FALSE(key.SetString("Name", "x"));
  EXPECT_FALSE(key.QueryString("Name").has_value());
  EXPECT_FALSE(key.HasValue("Name"));
}

TEST(RegistryKey, CreateFailsWhereNoFolderCanBeMade) {
  // A configuration folder below a plain file cannot exist, whoever runs the test.
  QFile blocker(testenv::ConfigDir() + "/blocker");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  qputenv("XDG_CONFIG_HOME", (testenv::ConfigDir() + "/blocker/config").toUtf8());
  RegistryKey key;
  EXPECT_FALSE(key.Create(kPath));
  EXPECT_FALSE(key.IsOpen());
}

TEST(RegistryKey, EveryWriteReplacesTheFileWholeInsteadOfRewritingIt) {
  RegistryKey key;
  ASSERT_TRUE(key.Create(kPath));
  const QString file = RegistryKey::FileForKey(kPath);
  ASSERT_TRUE(key.SetString("A", "1"));
  const ino_t before = InodeOf(file);
  ASSERT_TRUE(key.SetString("B", QString(5000, QLatin1Char('b'))));
  // A new file renamed over the old one: a crash during the write leaves the old file intact.
  EXPECT_NE(InodeOf(file), before);
  // Nothing is left behind beside it.
  const QStringList entries = QDir(QFileInfo(file).absolutePath()).entryList(QDir::Files);
  EXPECT_EQ(entries, QStringList{QStringLiteral("Product.conf")});
  RegistryKey reread;
  ASSERT_TRUE(reread.Open(kPath, RegistryAccess::Query));
  EXPECT_EQ(reread.QueryString("A"), QStringLiteral("1"));
  EXPECT_EQ(reread.QueryString("B")->size(), 5000);
}

}  // namespace

namespace {

mode_t ModeOf(const QString& path) {
  struct stat info {};
  stat(QFile::encodeName(path).constData(), &info);
  return info.st_mode & 0777;
}

// The user edits the file while the key is open (as the README says to set the server): the
// next read sees it, even when the edit keeps the size. The file holds the password, so it and
// the folder made for it are private, and an existing file is made private when written.
TEST(RegistryKey, ReadsSeeEditsOfTheFileAndEveryWriteIsPrivate) {
  const QString file = RegistryKey::FileForKey(kPath);
  RegistryKey key;
  ASSERT_TRUE(key.Create(kPath));
  EXPECT_EQ(ModeOf(file), 0600u);
  EXPECT_EQ(ModeOf(QFileInfo(file).absolutePath()), 0700u);
  ASSERT_TRUE(key.SetString("Password", "pw"));
  for (const char* server : {"127.0.0.1:8080", "127.0.0.1:8081"}) {
    QFile edit(file);
    ASSERT_TRUE(edit.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edit.write(QByteArray("[General]\nPassword=pw\nServer=") + server + "\n[Other]\nkept=yes\n");
    edit.close();
    EXPECT_EQ(key.QueryString("Server"), QString::fromLatin1(server));
  }
  ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0644), 0);
  ASSERT_TRUE(key.SetString("UserID", "a@b.jp"));
  EXPECT_EQ(ModeOf(file), 0600u);
  // What others put in the file stays.
  EXPECT_EQ(key.QueryString("Server"), QStringLiteral("127.0.0.1:8081"));
  EXPECT_EQ(key.QueryString("Other/kept"), QStringLiteral("yes"));
}

}  // namespace
