#include "widgets/grid/grid_url_cell.h"

#include <gtest/gtest.h>

#include <vector>

#include "grid_fixture.h"

namespace {

TEST(LinkUrlFromText, OpensOnlyWebMailAndFtpAddresses) {
  const struct {
    const char* text;
    const char* url;  // nullptr: nothing is opened
  } cases[] = {
      {"http://example.jp/a", "http://example.jp/a"},
      {"https://example.jp/", "https://example.jp/"},
      {"HTTPS://Example.jp", "https://example.jp"},
      {"ftp://files.example.jp/x", "ftp://files.example.jp/x"},
      {"mailto:user@example.jp", "mailto:user@example.jp"},
      {"www.example.jp", "http://www.example.jp"},
      {" www.example.jp/path ", "http://www.example.jp/path"},
      {"example.jp:8080/x", "http://example.jp:8080/x"},
      {"file:///etc/passwd", nullptr},
      {"javascript:alert(1)", nullptr},
      {"C:\\Windows\\system32\\calc.exe", nullptr},
      {"smb://server/share", nullptr},
      {"http://", nullptr},
      {"mailto:", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<QUrl> url = LinkUrlFromText(QString::fromUtf8(c.text));
    if (c.url == nullptr) {
      EXPECT_FALSE(url.has_value()) << c.text;
    } else {
      ASSERT_TRUE(url.has_value()) << c.text;
      EXPECT_EQ(url->toString(), QString::fromUtf8(c.url)) << c.text;
    }
  }
}

TEST(CGridURLCell, ClickOpensItsAddressAndIsNotEdited) {
  std::vector<QUrl> opened;
  CGridURLCell::SetUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  gridtest::Window w;
  CGridCtrl& grid = *w.grid;
  grid.SetRowCount(3);
  grid.SetColumnCount(2);
  grid.SetFixedRowCount(1);
  ASSERT_TRUE(grid.SetCellType(1, 1, [] { return std::make_unique<CGridURLCell>(); }));
  grid.SetCellText(1, 1, QStringLiteral("www.example.jp"));
  grid.SetCellType(2, 1, [] { return std::make_unique<CGridURLCell>(); });
  grid.SetCellText(2, 1, QStringLiteral("file:///bin/sh"));
  ASSERT_TRUE(w.Show());

  gridtest::Pointer pointer{grid};
  pointer.Click(gridtest::CentreOf(grid, 1, 1));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.example.jp")));
  // A click on the focus link cell (an edit attempt) and F2 start no edit, and whatever the
  // owner is told of an edit begins and ends in pairs.
  gridtest::Notifications notes(grid);
  pointer.Click(gridtest::CentreOf(grid, 1, 1));
  EXPECT_FALSE(grid.GetCell(1, 1)->IsEditing());
  QTest::keyClick(pointer.Window(), Qt::Key_F2);
  EXPECT_FALSE(grid.GetCell(1, 1)->IsEditing());
  EXPECT_EQ(notes.Count(GRIDN_BEGINEDIT), notes.Count(GRIDN_ENDEDIT));

  pointer.Click(gridtest::CentreOf(grid, 2, 1));
  EXPECT_EQ(opened.size(), 1u);  // a local file is never opened
  EXPECT_EQ(grid.GetCell(2, 1)->OnSetCursor().shape(), Qt::PointingHandCursor);
  CGridURLCell::SetUrlOpener({});
}

}  // namespace
