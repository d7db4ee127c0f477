#include "protocol/upload_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

// The layout written out by hand: user ID "user", password "pw", To "to", Subject "s", message
// "m" and a 3-byte file. The preamble is 174 bytes, the body 222.
const std::string kDelimiter = "---------------------------7d01777301a2";
const std::string kPreamble = "--" + kDelimiter + "\r\n" + "user\r\n" + "pw\r\n" + "--" +
                              kDelimiter + "\r\n" + "To: to\r\n" + "From: user\r\n" +
                              "Subject: s\r\n" + "m\r\n--" + kDelimiter + "\r\n";
const std::string kBody = kPreamble + "\x01\x00\xFF"s + "\r\n--" + kDelimiter + "--";

TEST(UploadLayout, WorkedLayoutIsReadAndRebuiltByteForByte) {
  ASSERT_EQ(kPreamble.size(), 174u);
  ASSERT_EQ(kBody.size(), 222u);
  const auto parsed = ParseUploadBody(kBody);
  ASSERT_TRUE(parsed);
  const UploadFields expected{"user", "pw", "user", "to", "s", "m"};
  EXPECT_EQ(parsed->fields, expected);
  EXPECT_EQ(parsed->picture, "\x01\x00\xFF"s);
  EXPECT_EQ(BuildUploadPreamble(parsed->fields), kPreamble);
  EXPECT_EQ(BuildUploadBody(parsed->fields, parsed->picture), kBody);
}

TEST(UploadLayout, EmptyAccountAndMessageLinesAndLineBreaksInTheMessage) {
  const UploadFields fields{"", "", "", "a@x.jp,b@y.jp", "", "line1\r\n\r\nline3"};
  // A picture may hold anything, the delimiter included.
  const std::string picture = "GIF8\r\n--" + kDelimiter + "\r\nmore";
  const std::string body = BuildUploadBody(fields, picture);
  ASSERT_TRUE(body.starts_with("--" + kDelimiter + "\r\n\r\n\r\n--" + kDelimiter + "\r\n"));
  const auto parsed = ParseUploadBody(body);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->fields, fields);
  EXPECT_EQ(parsed->picture, picture);
}

struct Malformed {
  const char* name;
  std::string body;
  UploadBodyFault fault;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

TEST(UploadLayout, BodiesThatDepartFromTheLayoutAreRefusedWithWhere) {
  using enum UploadBodyFault;
  const std::string line1023(1023, 'a');
  const Malformed cases[] = {
      {"other delimiter", Replaced(kBody, "7d01777301a2", "7d036b37204d6"), kOpening},
      {"empty", "", kOpening},
      {"no password line", "--" + kDelimiter + "\r\nuser\r\n", kAccount},
      {"lone LF in the user ID", Replaced(kBody, "user\r\npw", "us\ner\r\npw"), kAccount},
      {"no delimiter after the account", Replaced(kBody, "pw\r\n--", "pw\r\n-"), kHeaderDelimiter},
      {"lower-case header", Replaced(kBody, "To: ", "to: "), kTo},
      {"lone CR in To", Replaced(kBody, "To: to", "To: t\ro"), kTo},
      {"no From line", Replaced(kBody, "From: user\r\n", ""), kFrom},
      {"blank line before the message", Replaced(kBody, "Subject: s\r\n", "Subject: s\r\n\r\n"),
       kNone},
      {"no message delimiter", Replaced(kBody, "m\r\n--", "m\r\n++"), kMessage},
      {"line break after the closing", kBody + "\r\n", kClosing},
      {"no closing", kBody.substr(0, kBody.size() - 2), kClosing},
      {"subject over 1023 bytes", Replaced(kBody, "Subject: s", "Subject: s" + line1023), kTooLong},
  };
  for (const Malformed& c : cases) {
    UploadBodyFault fault = kNone;
    const auto parsed = ParseUploadBody(c.body, &fault);
    if (c.fault == kNone) {
      // Taken, but the blank line is then the message's first line, as the layout reads.
      ASSERT_TRUE(parsed) << c.name;
      EXPECT_EQ(parsed->fields.message, "\r\nm") << c.name;
      continue;
    }
    EXPECT_FALSE(parsed) << c.name;
    EXPECT_EQ(fault, c.fault) << c.name;
  }
  // 1023 bytes is the most a text may hold.
  EXPECT_TRUE(ParseUploadBody(Replaced(kBody, "Subject: s", "Subject: " + line1023)));
}

}  // namespace
