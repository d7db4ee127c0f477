#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "app/temp_folder.h"
#include "compose/compose_canvas.h"
#include "compose/material_panel.h"
#include "compose/phone_export.h"
#include "compose/phone_preview_wnd.h"
#include "app/web_links.h"
#include "platform/program_folder.h"
#include "send/address_book_file.h"
#include "send/attachment_path.h"
#include "test_environment.h"

namespace {

// Every file and folder below `root`, relative to it.
QStringList Tree(const QString& root) {
  QStringList entries;
  QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) entries << QDir(root).relativeFilePath(it.next());
  entries.sort();
  return entries;
}

QString PhotoFile(const QString& folder) {
  QImage photo(160, 120, QImage::Format_RGB32);
  for (int y = 0; y < photo.height(); ++y)
    for (int x = 0; x < photo.width(); ++x) photo.setPixel(x, y, qRgb(x, y * 2, (x + y) % 256));
  const QString path = folder + "/photo.png";
  photo.save(path);
  return path;
}

// The program folder's permissions are given back before the test's folder is removed.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const QString& path) : path_(path), kept_(QFile::permissions(path)) {
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
  }
  ~ReadOnlyFolder() { QFile::setPermissions(path_, kept_); }

 private:
  QString path_;
  QFile::Permissions kept_;
};

TEST(ProgramFiles, ReadOnlyProgramFolderKeepsAddressBookAndExportsInTheUsersPlaces) {
  QTemporaryDir runtime, elsewhere;
  qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  const QString photo = PhotoFile(elsewhere.path());
  const QStringList before = Tree(testenv::ProgramDir());
  const ReadOnlyFolder readOnly(testenv::ProgramDir());
  EXPECT_FALSE(ProgramFolderWritable());

  const QString book = AddressBookPath();
  EXPECT_EQ(book, testenv::ConfigDir() + "/data/Quillora/test.dat");
  WriteAddressBook(book, EncodeAddressBook({{"たろう", "taro@example.ne.jp"}}));
  EXPECT_EQ(ReadAddressBook(book).entries.size(), 1u);

  QWidget window;
  CComposeCanvas canvas(&window);
  ASSERT_TRUE(canvas.LoadMainPicture(photo));
  const QString base = ExportBaseName();
  const QString exports = runtime.path() + "/Quillora";
  EXPECT_EQ(base.left(exports.size() + 1), exports + "/");
  ExportPhoneFormats(canvas, base);
  EXPECT_TRUE(AttachmentPath().startsWith(exports + "/"));
  EXPECT_EQ(QDir(exports).entryList({"*.jpg", "*.gif", "*.png"}, QDir::Files).size(), 9);
  // The pictures are the user's own: nobody else may list or read them.
  EXPECT_EQ(QFile::permissions(exports) & 0x0077, QFile::Permissions());

  EmptyTempFolder();  // as at exit
  EXPECT_TRUE(QDir(exports).entryList(QDir::Files | QDir::Hidden).isEmpty());
  EXPECT_EQ(Tree(testenv::ProgramDir()), before);

  // Without a runtime folder the exports go to the cache folder.
  qunsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(TempFolder(), testenv::ConfigDir() + "/cache/Quillora/temp");
}

TEST(ProgramFiles, InstalledProgramFindsItsDataInShareAndWritesNothingBesideItself) {
  // bin/ and share/quillora/ of an installed tree; bin/ itself could be written.
  const QString root = testenv::ProgramDir();
  const QString data = root + "/share/quillora";
  ASSERT_TRUE(QDir().mkpath(root + "/bin"));
  ASSERT_TRUE(QDir().mkpath(data + "/item/どうぶつ"));
  ASSERT_TRUE(QDir().mkpath(data + "/message/あいさつ"));
  ASSERT_TRUE(
      QFile::copy(QStringLiteral(QUILLORA_DATA_DIR "/mobilephone.gif"), data + "/mobilephone.gif"));
  SetProgramFolder(root + "/bin");

  EXPECT_EQ(DataFolder(), data);
  EXPECT_FALSE(ProgramFolderWritable());
  EXPECT_EQ(AddressBookPath(), testenv::ConfigDir() + "/data/Quillora/test.dat");
  EXPECT_FALSE(TempFolder().startsWith(root));
  EXPECT_EQ(ManualAddress().toLocalFile(), data + "/manual.html");

  QWidget window;
  CMaterialPanel materials(&window);
  materials.FillCategoryLists();
  EXPECT_EQ(materials.CharacterCombo()->itemText(0), QStringLiteral("どうぶつ"));
  EXPECT_EQ(materials.MessageCombo()->itemText(0), QStringLiteral("あいさつ"));
  CPhonePreviewWnd preview;
  preview.Create();
  EXPECT_EQ(preview.size(), QImage(data + "/mobilephone.gif").size());
  EXPECT_FALSE(preview.mask().isEmpty());
}

TEST(ProgramFiles, BuildFolderKeepsEverythingBesideTheExecutable) {
  EXPECT_TRUE(ProgramFolderWritable());
  EXPECT_EQ(DataFolder(), testenv::ProgramDir());
  EXPECT_EQ(AddressBookPath(), testenv::ProgramDir() + "/test.dat");
  EXPECT_EQ(TempFolder(), testenv::ProgramDir() + "/temp");
}

}  // namespace
