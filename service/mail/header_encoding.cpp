#include "mail/header_encoding.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::size_t kLineLimit = 78;
constexpr std::string_view kWordStart = "=?UTF-8?B?";
constexpr std::string_view kWordEnd = "?=";
// 42 bytes make 56 base64 characters: a word of 68, which fits after "Subject: " on one line.
constexpr qsizetype kWordBytes = 42;

// Where the UTF-8 bytes may be cut at or before `limit` without splitting a character.
qsizetype CharacterBoundary(const QByteArray& utf8, qsizetype start, qsizetype limit) {
  qsizetype end = std::min(utf8.size(), start + limit);
  while (end > start && end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
    --end;
  return end;
}

}  // namespace

std::string EncodeHeaderText(const QString& text, std::size_t used) {
  const QByteArray utf8 = text.toUtf8();
  std::string header;
  std::size_t lineLength = used;
  for (qsizetype start = 0; start < utf8.size();) {
    const qsizetype end = CharacterBoundary(utf8, start, kWordBytes);
    const std::string word = std::string(kWordStart) +
                             utf8.mid(start, end - start).toBase64().toStdString() +
                             std::string(kWordEnd);
    if (!header.empty()) {
      // Folding white space between encoded words is not part of the text (RFC 2047, 6.2).
      const bool fits = lineLength + 1 + word.size() <= kLineLimit;
      header += fits ? " " : "\r\n ";
      lineLength = fits ? lineLength + 1 : 1;
    }
    header += word;
    lineLength += word.size();
    start = end;
  }
  return header;
}

std::string MailDate(const QDateTime& time) {
  static const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const QDate date = time.date();
  const QTime clock = time.time();
  const int offsetMinutes = time.offsetFromUtc() / 60;
  const int offset = std::abs(offsetMinutes);
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d",
                kDays[date.dayOfWeek() - 1], date.day(), kMonths[date.month() - 1], date.year(),
                clock.hour(), clock.minute(), clock.second(), offsetMinutes < 0 ? '-' : '+',
                offset / 60, offset % 60);
  return text;
}

std::string Base64Lines(const QByteArray& bytes) {
  const QByteArray encoded = bytes.toBase64();
  std::string lines;
  lines.reserve(static_cast<std::size_t>(encoded.size() + encoded.size() / 38 + 2));
  for (qsizetype start = 0; start < encoded.size(); start += 76) {
    lines.append(encoded.constData() + start,
                 static_cast<std::size_t>(std::min<qsizetype>(76, encoded.size() - start)));
    lines += "\r\n";
  }
  return lines;
}
