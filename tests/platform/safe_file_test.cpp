#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "file_size_limit.h"
#include "platform/errors.h"
#include "platform/local_file.h"
#include "platform/safe_copy.h"
#include "test_environment.h"
#include "test_files.h"

namespace {

QString InFolder(const QString& name) { return testenv::ProgramDir() + "/" + name; }

int ErrorOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const FileError& error) {
    return error.Code();
  }
  return 0;
}

// The file under 16 KiB fits in a write buffer, and so fails only at the last flush.
TEST(SafeFile, AFullDiskLeavesTheOldFileWholeAndIsReported) {
  const QByteArray old(5000, 'o');
  const QByteArray picture(15 * 1024, 'p');
  testenv::WriteFile(InFolder("saved.jpg"), old);
  testenv::WriteFile(InFolder("export.jpg"), picture);
  {
    const testenv::FileSizeLimit limit(8192);
    EXPECT_EQ(ErrorOf([] { CopyFileReplacing(InFolder("export.jpg"), InFolder("saved.jpg")); }),
              EFBIG);
    EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(InFolder("saved.jpg"), picture); }), EFBIG);
  }
  EXPECT_EQ(testenv::ReadFile(InFolder("saved.jpg")), old);
  EXPECT_EQ(QDir(testenv::ProgramDir()).entryList(QDir::Files | QDir::Hidden).size(), 2);

  // Without the limit the same copy goes through and keeps the old file's permissions.
  ASSERT_EQ(::chmod(InFolder("saved.jpg").toLocal8Bit().constData(), 0640), 0);
  CopyFileReplacing(InFolder("export.jpg"), InFolder("saved.jpg"));
  EXPECT_EQ(testenv::ReadFile(InFolder("saved.jpg")), picture);
  struct stat info {};
  ASSERT_EQ(::stat(InFolder("saved.jpg").toLocal8Bit().constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// A FIFO or a device named by the user must neither block nor be read without end, and a save
// must not write into one; a link is followed and stays a link.
TEST(SafeFile, SpecialFilesAreRefusedAndLinksFollowed) {
  const QString fifo = InFolder("fifo");
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  EXPECT_EQ(ErrorOf([&] { ReadLocalFile(fifo, 1024); }), EINVAL);
  EXPECT_EQ(ErrorOf([] { ReadLocalFile("/dev/zero", 1024); }), EINVAL);
  EXPECT_EQ(ErrorOf([] { ReadLocalFile(testenv::ProgramDir(), 1024); }), EISDIR);
  testenv::WriteFile(InFolder("big"), QByteArray(2000, 'b'));
  EXPECT_EQ(ErrorOf([] { ReadLocalFile(InFolder("big"), 1999); }), EFBIG);
  EXPECT_EQ(ReadLocalFile(InFolder("big"), 2000).size(), 2000);

  EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(fifo, "x"); }), EINVAL);
  EXPECT_EQ(ErrorOf([] { WriteFileReplacing("/dev/null", "x"); }), EINVAL);
  EXPECT_FALSE(QFileInfo(fifo).isFile());

  ASSERT_TRUE(QFile::link(InFolder("big"), InFolder("link")));
  WriteFileReplacing(InFolder("link"), "new");
  EXPECT_TRUE(QFileInfo(InFolder("link")).isSymLink());
  EXPECT_EQ(testenv::ReadFile(InFolder("big")), "new");
}

}  // namespace
