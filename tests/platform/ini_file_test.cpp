#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <QSettings>

#include "test_environment.h"
#include "test_files.h"

namespace {

// Settings files are written by QSettings (earlier versions, other tools) and by hand; both
// must read the same here, and what is written here must read the same in QSettings.
TEST(IniFile, ValuesOfEveryShapeReadTheSameAsInQSettings) {
  const IniValues values = {
      {"plain", QStringLiteral("127.0.0.1:8080")},
      {"comma", QStringLiteral("a,b")},
      {"spaces", QStringLiteral(" lead and trail ")},
      {"quote", QStringLiteral("quo\"te")},
      {"backslash", QStringLiteral("C:\\path\\to")},
      {"separators", QStringLiteral("semi;colon eq=al #hash")},
      {"at", QStringLiteral("@at")},
      {"controls", QStringLiteral("tab\tnew\nline\x01"
                                  "f")},
      {"japanese", QStringLiteral("日本語, ﾃｽﾄ")},
      {"empty", QString()},
      {"list", QStringList{"one", "two, three"}},
      {"Other/kept", QStringLiteral("yes")},
      {"key with space", QStringLiteral("%41")},
  };
  const QString ours = testenv::ProgramDir() + "/ours.conf";
  testenv::WriteFile(ours, IniFileText(values));
  const QString theirs = testenv::ProgramDir() + "/theirs.conf";
  {
    QSettings settings(theirs, QSettings::IniFormat);
    for (const auto& [key, value] : values) settings.setValue(key, value);
  }
  QSettings readBack(ours, QSettings::IniFormat);
  IniValues fromQt;
  for (const auto& [key, value] : values) {
    EXPECT_EQ(readBack.value(key), value) << key.toStdString();
    fromQt.emplace_back(key, value);
  }
  IniValues parsed = ParseIniText(testenv::ReadFile(theirs));
  std::sort(parsed.begin(), parsed.end(), [](auto& a, auto& b) { return a.first < b.first; });
  std::sort(fromQt.begin(), fromQt.end(), [](auto& a, auto& b) { return a.first < b.first; });
  EXPECT_EQ(parsed, fromQt);

  // A file edited by hand.
  EXPECT_EQ(
      ParseIniText("; comment\r\n[General]\r\nServer = quill.example.jp \r\n\r\n[x]\r\ny=1\r\n"),
      (IniValues{{"Server", QStringLiteral("quill.example.jp")}, {"x/y", QStringLiteral("1")}}));
}

}  // namespace
