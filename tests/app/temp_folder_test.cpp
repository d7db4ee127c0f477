#include "app/temp_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "test_environment.h"

namespace {

void Touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("x");
}

TEST(EmptyTempFolder, DeletesEveryFileAndKeepsSubfolders) {
  const QString temp = testenv::ProgramDir() + "/temp";
  Touch(temp + "/2026128101010.jpg");
  Touch(temp + "/2026128101010_256.gif");
  Touch(temp + "/noextension");
  Touch(temp + "/.hidden");
  QDir(temp).mkdir("keep");
  Touch(temp + "/keep/inner.png");
  Touch(testenv::ProgramDir() + "/beside.dat");

  EmptyTempFolder();

  EXPECT_EQ(QDir(temp).entryList(QDir::Files | QDir::Hidden), QStringList());
  EXPECT_TRUE(QDir(temp + "/keep").exists());
  EXPECT_TRUE(QFile::exists(temp + "/keep/inner.png"));
  EXPECT_TRUE(QFile::exists(testenv::ProgramDir() + "/beside.dat"));
}

TEST(EmptyTempFolder, MissingFolderIsNoError) {
  QDir(testenv::ProgramDir() + "/temp").removeRecursively();
  EmptyTempFolder();
  EXPECT_FALSE(QDir(testenv::ProgramDir() + "/temp").exists());
}

// Whoever asks for the folder may write into it at once.
TEST(TempFolder, IsMadeWhenMissing) {
  QDir(testenv::ProgramDir() + "/temp").removeRecursively();
  EXPECT_EQ(TempFolder(), testenv::ProgramDir() + "/temp");
  EXPECT_TRUE(QFileInfo(testenv::ProgramDir() + "/temp").isDir());
}

}  // namespace
