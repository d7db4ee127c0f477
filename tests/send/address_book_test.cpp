#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <algorithm>

#include "platform/bitmap_resource.h"
#include "resources/resource_ids.h"
#include "send/address_book_dlg.h"
#include "send/address_book_file.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "test_files.h"
#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_file_menu.h"
#include "window_input.h"

namespace {

const QString kSend = QStringLiteral("送信する");
const QString kDontSend = QStringLiteral("送信せず");

QString BookPath() { return testenv::ProgramDir() + "/test.dat"; }

QByteArray Int32(std::int32_t value) {
  QByteArray bytes;
  for (int i = 0; i < 4; ++i) bytes.append(char((std::uint32_t(value) >> (8 * i)) & 0xFF));
  return bytes;
}

// One 512-byte record as the file lays it out: name and address, zero-padded to 256 each.
QByteArray Record(const QByteArray& name, const QByteArray& address) {
  QByteArray record(512, '\0');
  record.replace(0, name.size(), name);
  record.replace(256, address.size(), address);
  return record;
}

QByteArray BookFile(std::int32_t count, const QList<QByteArray>& records) {
  QByteArray bytes("DAB\0A\0", 6);
  bytes += Int32(count);
  for (const QByteArray& record : records) bytes += record;
  return bytes;
}

// The address book as its opener shows it, driven through its window.
class Book {
 public:
  Book() {
    dialog.SetBackgroundBitmap(BitmapId::AddressBook);
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  }

  CGridCtrl& Grid() { return *dialog.Grid(); }
  void Press(int buttonId) {
    testenv::WindowClick(&dialog, Qt::LeftButton, testenv::InWindow(dialog.Button(buttonId)));
  }
  void ClickCell(int row, int col) {
    Rect rect;
    ASSERT_TRUE(Grid().GetCellRect(row, col, &rect));
    testenv::WindowClick(&dialog, Qt::LeftButton,
                         testenv::InWindow(&Grid(), rect.ToQRect().center()));
  }
  // Column `col` of every data row.
  QStringList Column(int col) {
    QStringList texts;
    for (int row = 1; row < Grid().GetRowCount(); ++row) texts << Grid().GetCellText(row, col);
    return texts;
  }

  CAddressBookDlg dialog;
};

TEST(AddressBook, TenSavedRowsAreWrittenByteForByteAndReadBack) {
  {
    Book book;
    EXPECT_EQ(book.Grid().GetRowCount(), 1);
    for (int i = 0; i < 10; ++i) book.Press(CAddressBookDlg::kNewButton);
    ASSERT_EQ(book.Grid().GetRowCount(), 11);
    EXPECT_EQ(book.Column(0), QStringList(10, kDontSend));
    for (int row = 1; row <= 10; ++row) {
      book.Grid().SetCellText(row, 1, QStringLiteral("友だち%1").arg(row));
      book.Grid().SetCellText(row, 2, QStringLiteral("f%1@example.jp").arg(row));
    }
    book.Press(ControlId::Ok);
    EXPECT_EQ(book.dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(book.dialog.isVisible());
  }
  const QByteArray bytes = testenv::ReadFile(BookPath());
  ASSERT_EQ(bytes.size(), 10 + 10 * 512);
  EXPECT_EQ(bytes.left(10), QByteArray("DAB\0A\0\x0A\0\0\0", 10));
  // "友だち1" in code page 932.
  EXPECT_EQ(bytes.mid(10, 512), Record("\x97\x46\x82\xBE\x82\xBF"
                                       "1",
                                       "f1@example.jp"));

  Book again;
  ASSERT_EQ(again.Grid().GetRowCount(), 11);
  EXPECT_EQ(again.Grid().GetCellText(10, 1), QStringLiteral("友だち10"));
  EXPECT_EQ(again.Grid().GetCellText(10, 2), QStringLiteral("f10@example.jp"));
  EXPECT_TRUE(static_cast<CGridCell*>(again.Grid().GetCell(10, 0))->IsChoiceCell());
}

TEST(AddressBook, OkHandsOverMarkedAddressesAndKeepsOnlyRowsWithAnAddress) {
  testenv::WriteFile(BookPath(), BookFile(3, {Record("A", "a@x.jp"), Record("B", "b@y.jp"),
                                              Record("C", "c@z.jp")}));
  {
    Book book;
    ASSERT_EQ(book.Column(2), QStringList({"a@x.jp", "b@y.jp", "c@z.jp"}));
    EXPECT_EQ(book.Column(0), QStringList(3, kDontSend));
    book.Press(CAddressBookDlg::kNewButton);
    book.Grid().SetCellText(4, 1, QStringLiteral("名前だけ"));
    book.Grid().SetCellText(3, 0, kSend);
    book.Grid().SetCellText(2, 2, QString());
    book.Grid().SetCellText(2, 0, kSend);
    book.Grid().SetCellText(1, 0, kSend);
    book.Press(ControlId::Ok);
    EXPECT_EQ(book.dialog.ChosenAddresses(), QStringList({"a@x.jp", "", "c@z.jp"}));
  }
  EXPECT_EQ(testenv::ReadFile(BookPath()),
            BookFile(2, {Record("A", "a@x.jp"), Record("C", "c@z.jp")}));
  Book again;
  EXPECT_EQ(again.Column(1), QStringList({"A", "C"}));
  EXPECT_EQ(again.Column(0), QStringList(2, kDontSend));
}

TEST(AddressBook, DeleteTakesTheFocusRowOnlyAndCancelLeavesTheFile) {
  const QByteArray file =
      BookFile(3, {Record("A", "a@x.jp"), Record("B", "b@y.jp"), Record("C", "c@z.jp")});
  testenv::WriteFile(BookPath(), file);
  Book book;
  // The grid has the focus when the window opens, so its first row is where keys act.
  ASSERT_EQ(book.Grid().GetFocusCell().row, 1);

  book.ClickCell(2, 1);
  ASSERT_EQ(book.Grid().GetFocusCell().row, 2);
  book.Press(CAddressBookDlg::kDeleteButton);
  EXPECT_EQ(book.Column(1), QStringList({"A", "C"}));
  book.Press(CAddressBookDlg::kNewButton);
  EXPECT_EQ(book.Grid().GetRowCount(), 4);

  // Enter reaching the dialog does not end it; Escape cancels.
  testenv::WindowKey(&book.dialog, Qt::Key_Return);
  EXPECT_TRUE(book.dialog.isVisible());
  book.Press(ControlId::Cancel);
  EXPECT_FALSE(book.dialog.isVisible());
  EXPECT_EQ(book.dialog.result(), QDialog::Rejected);
  EXPECT_EQ(testenv::ReadFile(BookPath()), file);
}

TEST(AddressBook, DamagedFileIsReportedOnceAndKeptBesideTheNewOne) {
  testenv::WriteFile(BookPath(),
                     BookFile(2000000000, {Record("A", "a@x.jp"), Record("B", "b@y.jp")}));
  {
    Book book;
    EXPECT_EQ(book.Column(1), QStringList({"A", "B"}));
  }
  struct Case {
    const char* name;
    QByteArray bytes;
    QStringList names;
    bool damaged;
  };
  const Case cases[] = {
      {"negative count", BookFile(-5, {Record("A", "a@x.jp")}), {}, true},
      {"foreign magic", "DAC" + BookFile(1, {Record("A", "a@x.jp")}).mid(3), {}, true},
      {"header cut short", QByteArray("DAB\0A\0\x01\0", 8), {}, true},
      {"last record cut short",
       BookFile(3, {Record("A", "a@x.jp"), Record("B", "b@y.jp").left(100)}),
       {"A", "B"},
       true},
      {"a record beyond the count",
       BookFile(1, {Record("A", "a@x.jp"), Record("B", "b@y.jp")}),
       {"A"},
       true},
      {"name filling its field",
       BookFile(1, {QByteArray(256, 'n') + QByteArray(256, '\0')}),
       {QString(256, 'n')},
       false},
      {"empty file", QByteArray(), {}, false},
  };
  for (const Case& c : cases) {
    testenv::WriteFile(BookPath(), c.bytes);
    const AddressBook read = ReadAddressBook(BookPath());
    QStringList names;
    for (const AddressEntry& entry : read.entries) names << entry.name;
    EXPECT_EQ(names, c.names) << c.name;
    EXPECT_EQ(!read.problem.isEmpty(), c.damaged) << c.name;
  }
  const AddressBook missing = ReadAddressBook(testenv::ProgramDir() + "/missing.dat");
  EXPECT_TRUE(missing.entries.empty() && missing.problem.isEmpty());

  // Opened, the damaged book says so once; OK keeps the old bytes as test.dat.bak.
  const QByteArray foreign = "DAC" + BookFile(1, {Record("A", "a@x.jp")}).mid(3);
  testenv::WriteFile(BookPath(), foreign);
  const std::size_t before = testenv::Messages().size();
  Book book;
  QTest::qWait(10);
  ASSERT_EQ(testenv::Messages().size(), before + 1);
  EXPECT_TRUE(testenv::Messages().back().text.contains("test.dat.bak"));
  book.Press(CAddressBookDlg::kNewButton);
  book.Grid().SetCellText(1, 2, QStringLiteral("new@x.jp"));
  book.Press(ControlId::Ok);
  EXPECT_EQ(testenv::Messages().size(), before + 1);
  EXPECT_EQ(testenv::ReadFile(BookPath() + ".bak"), foreign);
  EXPECT_EQ(testenv::ReadFile(BookPath()), BookFile(1, {Record("", "new@x.jp")}));
}

// Bytes that do not decode cleanly (a lead byte left alone by a cut at byte 255, bytes that are
// no character, a code with two forms) come back exactly when the row was not edited.
TEST(AddressBook, RowsThatWereNotEditedKeepTheirBytes) {
  const QByteArray cutName = QByteArray(254, 'a') + "\x82";
  const QList<QByteArray> records = {Record(cutName, "cut@x.jp"),
                                     Record("\x80\xA0\xFD", "odd@x.jp"),
                                     Record("\x85\x40", "\xED\x40@x.jp"), Record("B", "b@x.jp")};
  const QByteArray file = BookFile(4, records);
  testenv::WriteFile(BookPath(), file);
  {
    Book book;
    // Sorting by name moves the rows; their bytes go with them.
    testenv::WindowClick(&book.dialog, Qt::LeftButton,
                         testenv::InWindow(&book.Grid(), QPoint(100, 8)));
    book.Press(ControlId::Ok);
  }
  const QByteArray saved = testenv::ReadFile(BookPath());
  ASSERT_EQ(saved.size(), file.size());
  QList<QByteArray> savedRecords;
  for (int i = 0; i < 4; ++i) savedRecords << saved.mid(10 + 512 * i, 512);
  EXPECT_NE(savedRecords, records);  // sorted
  std::sort(savedRecords.begin(), savedRecords.end());
  QList<QByteArray> expected = records;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(savedRecords, expected);

  // An edited field is written from its text; the other field of the row keeps its bytes.
  testenv::WriteFile(BookPath(), file);
  Book book;
  for (int row = 1; row < book.Grid().GetRowCount(); ++row)
    if (book.Grid().GetCellText(row, 2) == "odd@x.jp") book.Grid().SetCellText(row, 2, "new@x.jp");
  book.Press(ControlId::Ok);
  EXPECT_EQ(testenv::ReadFile(BookPath()).mid(10 + 512, 512), Record("\x80\xA0\xFD", "new@x.jp"));
}

TEST(AddressBook, TextsAreCutAtACharacterBoundary) {
  // 200 single bytes, then double-byte characters: byte 255 would fall inside one.
  const QString name = QString(200, 'a') + QString(40, QChar(0x3042));
  const std::string bytes = EncodeAddressBook({{name, QStringLiteral("a@x.jp")}});
  ASSERT_EQ(bytes.size(), 10u + 512u);
  const std::string field = bytes.substr(10, 256);
  EXPECT_EQ(field.substr(0, 200), std::string(200, 'a'));
  EXPECT_EQ(field.substr(200, 2), "\x82\xA0");
  EXPECT_EQ(field.substr(200 + 26 * 2, 4), std::string("\x82\xA0\0\0", 4));  // 254 bytes kept
  EXPECT_EQ(bytes.substr(10 + 256, 7), std::string("a@x.jp\0", 7));
}

TEST(AddressBook, UnstorableCharacterIsReportedBeforeAnythingIsWritten) {
  const QByteArray file = BookFile(1, {Record("A", "a@x.jp")});
  testenv::WriteFile(BookPath(), file);
  Book book;
  book.Press(CAddressBookDlg::kNewButton);
  book.Grid().SetCellText(2, 1, QStringLiteral("Zoé"));
  book.Grid().SetCellText(2, 2, QStringLiteral("zoe@x.jp"));
  QString notice;
  QImage background;
  testenv::OnNextModal([&](QWidget* dialog) {
    auto* shown = qobject_cast<CNoticeDlg*>(dialog);
    ASSERT_NE(shown, nullptr);
    notice = shown->NoticeText();
    background = shown->BackgroundBitmap();
    shown->done(QDialog::Accepted);
  });
  book.Press(ControlId::Ok);
  EXPECT_EQ(notice, QStringLiteral("2行目の「é」は保存できません"));
  EXPECT_EQ(background, LoadBitmapResource(BitmapId::NoticeMessage));
  EXPECT_TRUE(book.dialog.isVisible());
  EXPECT_EQ(book.Grid().GetCellText(2, 1), QStringLiteral("Zoé"));
  EXPECT_EQ(testenv::ReadFile(BookPath()), file);
}

// A FIFO in the book's place must not freeze the dialog; saving over it is refused and
// reported, and the ticked recipients still reach the send window.
TEST(AddressBook, SpecialFileIsReportedAndOkStillHandsOverTheRecipients) {
  ASSERT_EQ(::mkfifo(BookPath().toLocal8Bit().constData(), 0600), 0);
  Book book;
  QTest::qWait(10);
  ASSERT_EQ(testenv::Messages().size(), 1u);
  book.Press(CAddressBookDlg::kNewButton);
  book.Grid().SetCellText(1, 0, kSend);
  book.Grid().SetCellText(1, 2, QStringLiteral("a@x.jp"));
  book.Press(ControlId::Ok);
  ASSERT_EQ(testenv::Messages().size(), 2u);
  EXPECT_TRUE(testenv::Messages()[1].text.startsWith(BookPath()))
      << testenv::Messages()[1].text.toStdString();
  EXPECT_EQ(testenv::Messages()[1].icon, MessageIcon::Stop);
  EXPECT_FALSE(book.dialog.isVisible());
  EXPECT_EQ(book.dialog.result(), QDialog::Accepted);
  EXPECT_EQ(book.dialog.ChosenAddresses(), QStringList({"a@x.jp"}));
  EXPECT_FALSE(QFileInfo(BookPath()).isFile());
}

// Rows read in through the grid's menu keep a comma in a name in its cell and are not to be
// sent until ticked, whatever the file said.
TEST(AddressBook, ImportedRowsStartUnticked) {
  const QString csv = testenv::ProgramDir() + "/book.csv";
  testenv::WriteFile(csv, "宛先,名前,メールアドレス\r\n送信する,\"Yamada, Taro\",y@x.jp\r\n");
  CGridFileMenu::SetFileChooser([csv](QWidget*, const QString&, bool) { return csv; });
  Book book;
  testenv::ChooseInNextMenu(QStringLiteral("読み込み..."));
  Rect rect;
  ASSERT_TRUE(book.Grid().GetCellRect(0, 1, &rect));
  const QPoint at = testenv::InWindow(&book.Grid(), rect.ToQRect().center());
  testenv::WindowPress(&book.dialog, Qt::RightButton, at);
  testenv::WindowRelease(&book.dialog, Qt::RightButton, at);
  CGridFileMenu::SetFileChooser(nullptr);
  EXPECT_EQ(book.Column(1), QStringList({"Yamada, Taro"}));
  EXPECT_EQ(book.Column(0), QStringList({kDontSend}));
  EXPECT_TRUE(static_cast<CGridCell*>(book.Grid().GetCell(1, 0))->IsChoiceCell());
  book.Press(ControlId::Ok);
  EXPECT_TRUE(book.dialog.ChosenAddresses().isEmpty());
  EXPECT_EQ(testenv::ReadFile(BookPath()), BookFile(1, {Record("Yamada, Taro", "y@x.jp")}));
}

// Ticking a recipient: Space on the focused row, or a double click on the send cell (the first
// click of which may open the cell's list).
TEST(AddressBook, SpaceAndADoubleClickOnTheSendCellTickARecipient) {
  testenv::WriteFile(BookPath(), BookFile(2, {Record("A", "a@x.jp"), Record("B", "b@y.jp")}));
  Book book;
  book.ClickCell(1, 1);
  testenv::WindowKey(&book.dialog, Qt::Key_Space);
  EXPECT_EQ(book.Column(0), QStringList({kSend, kDontSend}));
  testenv::WindowKey(&book.dialog, Qt::Key_Space);
  EXPECT_EQ(book.Column(0), QStringList({kDontSend, kDontSend}));
  for (int i = 0; i < 2; ++i) {
    Rect rect;
    ASSERT_TRUE(book.Grid().GetCellRect(2, 0, &rect));
    testenv::WindowDoubleClick(&book.dialog, Qt::LeftButton,
                               testenv::InWindow(&book.Grid(), rect.ToQRect().center()));
    EXPECT_EQ(book.Column(0), QStringList({kDontSend, i == 0 ? kSend : kDontSend})) << i;
  }
  book.Press(ControlId::Ok);
  EXPECT_TRUE(book.dialog.ChosenAddresses().isEmpty());
  EXPECT_EQ(book.Column(1), QStringList({"A", "B"}));
}

// Writing in place would change every name the old file has; a new file that takes its place
// leaves the old one whole until the new one is complete.
TEST(AddressBook, SavingReplacesTheFileInsteadOfOverwritingIt) {
  const QByteArray file = BookFile(1, {Record("A", "a@x.jp")});
  testenv::WriteFile(BookPath(), file);
  const QString otherName = testenv::ProgramDir() + "/old.dat";
  ASSERT_EQ(::link(BookPath().toLocal8Bit().constData(), otherName.toLocal8Bit().constData()), 0);
  Book book;
  book.Grid().SetCellText(1, 1, QStringLiteral("B"));
  book.Press(ControlId::Ok);
  EXPECT_EQ(testenv::ReadFile(BookPath()), BookFile(1, {Record("B", "a@x.jp")}));
  EXPECT_EQ(testenv::ReadFile(otherName), file);
  EXPECT_EQ(QDir(testenv::ProgramDir()).entryList(QDir::Files).size(), 2);
}

}  // namespace
