#include "ini_file.h"

#include <QStringList>
#include <map>

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool IsHexDigit(char32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Key names: letters, digits and a few marks as they are, the rest as %XX or %UXXXX.
QByteArray EscapedKey(const QString& key) {
  QByteArray out;
  for (const QChar c : key) {
    const char16_t u = c.unicode();
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-' ||
        u == '_' || u == '.' || u == '~') {
      out += char(u);
    } else if (u == '/') {
      out += '\\';
    } else if (u <= 0xFF) {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 0xF];
    } else {
      out += "%U";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(u >> shift) & 0xF];
    }
  }
  return out;
}

// One string: control characters, quotes and backslashes escaped; quoted when it holds a
// separator (",", ";", "=") or starts or ends with a space. A leading "@" is doubled, since
// "@" opens the reader's typed values.
QByteArray EscapedString(QString text) {
  if (text.startsWith(u'@')) text.prepend(u'@');
  QByteArray out;
  bool quote = !text.isEmpty() && (text.front() == u' ' || text.back() == u' ');
  bool escapeNextIfHex = false;
  for (const char32_t c : text.toUcs4()) {
    if (c == ';' || c == ',' || c == '=') quote = true;
    if (escapeNextIfHex && IsHexDigit(c)) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
      continue;
    }
    escapeNextIfHex = false;
    switch (c) {
      case '\a':
        out += "\\a";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\v':
        out += "\\v";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
          escapeNextIfHex = true;  // "\x1" followed by "f" would read as one escape
        } else {
          out += QString::fromUcs4(&c, 1).toUtf8();
        }
    }
  }
  return quote ? '"' + out + '"' : out;
}

QByteArray EscapedValue(const QVariant& value) {
  if (value.typeId() != QMetaType::QStringList) return EscapedString(value.toString());
  // Items of a list are separated by commas outside quotes.
  QByteArray out;
  for (const QString& item : value.toStringList()) {
    if (!out.isEmpty()) out += ", ";
    out += EscapedString(item);
  }
  return out;
}

}  // namespace

QByteArray IniFileText(const IniValues& values) {
  std::map<QString, IniValues> groups;
  for (const auto& [key, value] : values) {
    const qsizetype slash = key.indexOf(u'/');
    if (slash < 0)
      groups[QStringLiteral("General")].emplace_back(key, value);
    else
      groups[key.left(slash)].emplace_back(key.mid(slash + 1), value);
  }
  QByteArray text;
  for (const auto& [group, entries] : groups) {
    if (!text.isEmpty()) text += '\n';
    text += '[' + EscapedKey(group) + "]\n";
    for (const auto& [key, value] : entries)
      text += EscapedKey(key) + '=' + EscapedValue(value) + '\n';
  }
  return text;
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

QString UnescapedKey(QByteArrayView key) {
  QString out;
  for (qsizetype i = 0; i < key.size(); ++i) {
    const char c = key[i];
    if (c == '\\') {
      out += u'/';
      continue;
    }
    if (c == '%') {
      const bool wide = i + 1 < key.size() && key[i + 1] == 'U';
      const qsizetype digits = wide ? 4 : 2;
      const qsizetype start = i + 1 + (wide ? 1 : 0);
      int code = 0;
      bool ok = start + digits <= key.size();
      for (qsizetype d = 0; ok && d < digits; ++d) {
        const int v = HexValue(key[start + d]);
        ok = v >= 0;
        code = code * 16 + v;
      }
      if (ok) {
        out += QChar(char16_t(code));
        i = start + digits - 1;
        continue;
      }
    }
    out += QString::fromUtf8(key.sliced(i, 1));
  }
  return out;
}

// One value: items separated by commas outside quotes, each with its escapes undone; a ";"
// outside quotes starts a comment. One item is a string, more are a list.
QVariant UnescapedValue(QByteArrayView text) {
  QStringList items;
  QByteArray item;  // UTF-8 of the item so far
  bool quoted = false, anyQuote = false;
  qsizetype trailingSpaces = 0;  // spaces at the end of `item` that came from outside quotes
  const auto endItem = [&] {
    item.chop(trailingSpaces);
    items << QString::fromUtf8(item);
    item.clear();
    trailingSpaces = 0;
    anyQuote = false;
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
      anyQuote = true;
      trailingSpaces = 0;
      continue;
    }
    if (!quoted && c == ';') break;
    if (!quoted && c == ',') {
      endItem();
      while (i + 1 < text.size() && (text[i + 1] == ' ' || text[i + 1] == '\t')) ++i;
      continue;
    }
    if (c == '\\' && i + 1 < text.size()) {
      const char e = text[++i];
      trailingSpaces = 0;
      switch (e) {
        case 'a':
          item += '\a';
          break;
        case 'b':
          item += '\b';
          break;
        case 'f':
          item += '\f';
          break;
        case 'n':
          item += '\n';
          break;
        case 'r':
          item += '\r';
          break;
        case 't':
          item += '\t';
          break;
        case 'v':
          item += '\v';
          break;
        case 'x': {
          unsigned code = 0;
          while (i + 1 < text.size() && HexValue(text[i + 1]) >= 0)
            code = code * 16 + static_cast<unsigned>(HexValue(text[++i]));
          const char32_t ch = code;
          item += QString::fromUcs4(&ch, 1).toUtf8();
          break;
        }
        default:
          if (e >= '0' && e <= '7') {
            unsigned code = static_cast<unsigned>(e - '0');
            while (i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7')
              code = code * 8 + static_cast<unsigned>(text[++i] - '0');
            const char32_t ch = code;
            item += QString::fromUcs4(&ch, 1).toUtf8();
          } else {
            item += e;  // \" \' \? \\ and the rest stand for themselves
          }
      }
      continue;
    }
    if (!quoted && (c == ' ' || c == '\t')) {
      if (item.isEmpty() && !anyQuote) continue;  // leading blanks
      ++trailingSpaces;
    } else {
      trailingSpaces = 0;
    }
    item += c;
  }
  endItem();
  if (items.size() > 1) return items;
  QString value = items.front();
  if (value.startsWith(u'@')) {
    if (value.startsWith(QStringLiteral("@@"))) return value.mid(1);
    if (value == QStringLiteral("@Invalid()")) return QVariant();
  }
  return value;
}

}  // namespace

IniValues ParseIniText(QByteArrayView text) {
  IniValues values;
  QString group;
  const auto add = [&](const QString& key, QVariant value) {
    for (auto& entry : values) {
      if (entry.first == key) {
        entry.second = std::move(value);
        return;
      }
    }
    values.emplace_back(key, std::move(value));
  };
  QByteArray line;
  qsizetype at = 0;
  while (at < text.size()) {
    qsizetype end = at;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    line += text.sliced(at, end - at);
    at = end;
    while (at < text.size() && (text[at] == '\n' || text[at] == '\r')) ++at;
    // A backslash at the very end carries the value on to the next line.
    if (line.endsWith('\\') && !line.endsWith("\\\\") && at < text.size()) {
      line.chop(1);
      continue;
    }
    const QByteArray trimmed = line.trimmed();
    line.clear();
    if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#')) continue;
    if (trimmed.startsWith('[')) {
      const qsizetype close = trimmed.indexOf(']');
      if (close < 0) continue;
      group = UnescapedKey(trimmed.sliced(1, close - 1).trimmed());
      if (group.compare(QStringLiteral("General"), Qt::CaseInsensitive) == 0) group.clear();
      continue;
    }
    const qsizetype equals = trimmed.indexOf('=');
    if (equals <= 0) continue;
    const QString key = UnescapedKey(trimmed.first(equals).trimmed());
    if (key.isEmpty()) continue;
    add(group.isEmpty() ? key : group + u'/' + key,
        UnescapedValue(trimmed.sliced(equals + 1).trimmed()));
  }
  return values;
}
