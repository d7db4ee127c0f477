#include "protocol/cp932.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp932, ConvertsJapaneseAndHalfWidthKana) {
  // "日本" is 93 FA 96 7B; half-width "ｱ" is the single byte B1.
  EXPECT_EQ(ToCp932(QStringLiteral("日本aｱ")), std::string("\x93\xFA\x96\x7B"
                                                           "a\xB1"));
  EXPECT_EQ(FromCp932("\x93\xFA\x96\x7B"
                      "a\xB1"),
            QStringLiteral("日本aｱ"));
  EXPECT_EQ(Cp932Length(QStringLiteral("送信しています...")), 17u);
}

TEST(Cp932, MarksCharactersWithoutCodePage932Form) {
  bool lossless = true;
  EXPECT_EQ(ToCp932(QStringLiteral("a\U0001F600b"), &lossless), "a?b");
  EXPECT_FALSE(lossless);
  ToCp932(QStringLiteral("ok"), &lossless);
  EXPECT_TRUE(lossless);
  // Bytes that form no character: a lead byte without its second byte, an unassigned byte.
  for (const std::string_view bytes : {"a\x82", "\xFF", "\x82\x20"}) {
    FromCp932(bytes, &lossless);
    EXPECT_FALSE(lossless) << bytes;
  }
  EXPECT_EQ(FromCp932("\x82\xA0", &lossless), QStringLiteral("あ"));
  EXPECT_TRUE(lossless);
}

TEST(Cp932, CutsNeverSplitADoubleByteCharacter) {
  const std::string bytes = ToCp932(QStringLiteral("aあい"));  // 1 + 2 + 2 bytes
  EXPECT_EQ(CutCp932(bytes, 5), bytes);
  EXPECT_EQ(CutCp932(bytes, 4).size(), 3u);
  EXPECT_EQ(CutCp932(bytes, 2).size(), 1u);
  EXPECT_EQ(CutCp932(bytes, 0).size(), 0u);
  // A lead byte at the very end of the input is dropped rather than read past.
  EXPECT_EQ(CutCp932(std::string("ab\x82"), 10), "ab");
}

TEST(Cp932, CutsTextAtByteCount) {
  EXPECT_EQ(CutToCp932Bytes(QStringLiteral("aあい"), 4), QStringLiteral("aあ"));
  EXPECT_EQ(CutToCp932Bytes(QStringLiteral("abc"), 3), QStringLiteral("abc"));
  const QString long1030 = QString(1030, QLatin1Char('x'));
  EXPECT_EQ(CutToCp932Bytes(long1030, 1023).size(), 1023);
  // Text without a code page 932 form is kept, counted as the one byte it becomes.
  EXPECT_EQ(CutToCp932Bytes(QStringLiteral("\U0001F600あ"), 2), QStringLiteral("\U0001F600"));
}

}  // namespace
