// The rules the service applies to addresses and header texts, on their own.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

#include "mail/header_encoding.h"
#include "mail/mailbox.h"
#include "mail/recipient_list.h"

namespace {

TEST(MailRules, MailboxesAreThoseOfSmtp) {
  const std::string local64(64, 'a');
  const std::string label63(63, 'b');
  for (const std::string& good :
       {std::string("taro@example.ne.jp"), std::string("a.b-c+d_e@x.jp"),
        std::string("!#$%&'*+/=?^_`{|}~@x"), std::string("\"two words\"@example.jp"),
        std::string("\"a\\\"b\"@x.jp"), local64 + "@x.jp", "a@" + label63 + ".jp",
        std::string("user@localhost")})
    EXPECT_TRUE(IsMailbox(good)) << good;
  for (const std::string& bad :
       {std::string(""), std::string("taro"), std::string("@x.jp"), std::string("taro@"),
        std::string("ta..ro@x.jp"), std::string(".taro@x.jp"), std::string("taro.@docomo.ne.jp"),
        std::string("ta ro@x.jp"), std::string("taro@x..jp"), std::string("taro@-x.jp"),
        std::string("taro@x-.jp"), std::string("taro@x_y.jp"), std::string("taro@[192.0.2.1]"),
        std::string("\"open@x.jp"), std::string("\"a\\\"@x.jp"), std::string("t\xC3\xA4@x.jp"),
        local64 + "a@x.jp", "a@" + label63 + "b.jp", std::string(250, 'a') + "@x.jp"})
    EXPECT_FALSE(IsMailbox(bad)) << bad;
  EXPECT_EQ(CanonicalMailbox("Taro@Example.NE.JP"), "Taro@example.ne.jp");
}

TEST(MailRules, RecipientsAreSplitTrimmedCountedOnceAndCapped) {
  RecipientList list = RecipientList::Parse(QStringLiteral(" a@x.jp,b@X.JP ,\u3000a@x.jp, b@x.jp"));
  EXPECT_EQ(list.fault, RecipientList::Fault::kNone);
  EXPECT_EQ(list.mailboxes, (std::vector<std::string>{"a@x.jp", "b@x.jp"}));

  QStringList ten;
  for (int i = 0; i < 10; ++i) ten << QStringLiteral("r%1@x.jp").arg(i);
  EXPECT_EQ(RecipientList::Parse(ten.join(',') + ",r0@x.jp").fault, RecipientList::Fault::kNone);
  EXPECT_EQ(RecipientList::Parse(ten.join(',') + ",r10@x.jp").fault,
            RecipientList::Fault::kTooMany);
  EXPECT_EQ(RecipientList::Parse("a@x.jp,,b@x.jp").fault, RecipientList::Fault::kEmptyItem);
  list = RecipientList::Parse("a@x.jp; b@x.jp");
  EXPECT_EQ(list.fault, RecipientList::Fault::kNotAMailbox);
  EXPECT_EQ(list.offending, "a@x.jp; b@x.jp");
}

TEST(MailRules, SubjectBecomesShortEncodedWordsThatDecodeToTheText) {
  const QString subject =
      QStringLiteral("夏休みの写真です。海と山と花火、それからおまけの一枚 🎆 end");
  const std::string header = EncodeHeaderText(subject, 9);
  QString decoded;
  std::size_t first = 9;
  for (const QString& line : QString::fromStdString(header).split("\r\n")) {
    EXPECT_LE(static_cast<std::size_t>(line.size()) + first, 78u) << line.toStdString();
    first = 0;
    for (const QString& word : line.split(' ', Qt::SkipEmptyParts)) {
      const QRegularExpressionMatch match =
          QRegularExpression("^=\\?UTF-8\\?B\\?([A-Za-z0-9+/=]+)\\?=$").match(word);
      ASSERT_TRUE(match.hasMatch()) << word.toStdString();
      EXPECT_LE(word.size(), 75);
      // Every word holds whole characters.
      const QByteArray bytes = QByteArray::fromBase64(match.captured(1).toLatin1());
      EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes);
      decoded += QString::fromUtf8(bytes);
    }
  }
  EXPECT_EQ(decoded, subject);
  EXPECT_EQ(EncodeHeaderText(QString(), 9), "");
}

}  // namespace
