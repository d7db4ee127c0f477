#include "app/mail_address.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* text;
  bool accepted;
};

TEST(IsMailAddress, JudgesOnlyTheFirstAtAndTheFirstDot) {
  const Case cases[] = {
      {"taro@example.jp", true},
      {"ab@x.jp", true},           // two characters before the "@"
      {"a@example.jp", false},     // the "@" at index 1
      {"@example.jp", true},       // the "@" at index 0 passes
      {"taro@example.", false},    // the only "." is the last character
      {"ta.ro@example", true},     // only the first "." counts, even before the "@"
      {"taro.example.jp", false},  // no "@"
      {"taro@example", false},     // no "."
      {"", false},
      {"xy@z.a,b@c", true},  // several addresses: judged by the first "@" and "."
      {"taro@a.b.", true},   // the first "." is not the last character
      {".@", false},         // "@" at index 1
      {".a@", true},         // "." at 0, "@" at 2
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsMailAddress(QString::fromUtf8(c.text)), c.accepted) << c.text;
}

TEST(IsMailAddress, CountsPositionsInCodePage932Bytes) {
  // "あ" takes two bytes, so the "@" after it stands at index 2.
  EXPECT_TRUE(IsMailAddress(QStringLiteral("あ@x.jp")));
  // A double-byte character whose second byte is 0x40 ("ァ" is 83 40) holds no "@".
  EXPECT_FALSE(IsMailAddress(QStringLiteral("aァx.jp")));
}

}  // namespace
