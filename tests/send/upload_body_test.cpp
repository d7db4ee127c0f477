#include "send/upload_body.h"

#include <gtest/gtest.h>

#include "app/settings_store.h"

namespace {

UploadFields Encode(const UploadTexts& texts) {
  const CSettingsStore store;
  return EncodeUploadFields(store, texts);
}

struct CutCase {
  const char* name;
  QString text;
  std::string expected;
};

TEST(UploadBody, MailTextsAreSentAsCp932CutAt1023BytesBeforeADoubleByteCharacter) {
  const CutCase cases[] = {
      {"japanese", QStringLiteral("件名テスト"), "\x8C\x8F\x96\xBC\x83\x65\x83\x58\x83\x67"},
      {"exactly 1023", QString(1023, 'a'), std::string(1023, 'a')},
      {"long ascii", QString(2000, 'a'), std::string(1023, 'a')},
      {"double-byte at the cut", QString(1022, 'a') + QStringLiteral("あ"), std::string(1022, 'a')},
      {"all double-byte", QString(600, QChar(0x3042)),
       [] {
         std::string s;
         for (int i = 0; i < 511; ++i) s += "\x82\xA0";
         return s;
       }()},
      {"half-width katakana", QString(1100, QChar(0xFF71)), std::string(1023, '\xB1')},
      {"unsendable past the cut", QString(1023, 'a') + QStringLiteral("é"), std::string(1023, 'a')},
  };
  for (const CutCase& c : cases) {
    const UploadFields fields = Encode({c.text, c.text, c.text});
    EXPECT_EQ(fields.to, c.expected) << c.name;
    EXPECT_EQ(fields.subject, c.expected) << c.name;
    EXPECT_EQ(fields.message, c.expected) << c.name;
  }
}

struct UnsendableCase {
  const char* name;
  UploadTexts texts;
  QString password;
  QString mustMention;
  QString mustNotMention;
};

TEST(UploadBody, UnsendableCharacterIsReportedNotReplaced) {
  const UnsendableCase cases[] = {
      {"to", {QStringLiteral("café@example.jp"), "", ""}, "pw", QStringLiteral("宛先"), ""},
      {"subject",
       {"", QStringLiteral("é"), ""},
       "pw",
       QStringLiteral("件名に送信できない文字「é」"),
       ""},
      {"message",
       {"", "", QStringLiteral("絵文字\U0001F600")},
       "pw",
       QStringLiteral("本文に送信できない文字「\U0001F600」"),
       ""},
      {"password",
       {"", "", ""},
       QStringLiteral("pässword"),
       QStringLiteral("パスワード"),
       QStringLiteral("ä")},
  };
  for (const UnsendableCase& c : cases) {
    CSettingsStore store;
    store.SetPassword(c.password);
    try {
      EncodeUploadFields(store, c.texts);
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const UnsendableTextError& error) {
      EXPECT_TRUE(error.Description().contains(c.mustMention))
          << c.name << ": " << error.Description().toStdString();
      if (!c.mustNotMention.isEmpty()) {
        EXPECT_FALSE(error.Description().contains(c.mustNotMention)) << c.name;
      }
    }
  }
}

}  // namespace
