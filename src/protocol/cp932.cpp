#include "protocol/cp932.h"

#include <iconv.h>

#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

// One iconv conversion descriptor for a direction, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts input; an input sequence that cannot be converted is replaced by `replacement`
  // and the result is flagged as lossy.
  std::string Convert(std::string_view input, char replacement, std::size_t inputStep,
                      bool* lossless) {
    if (lossless) *lossless = true;
    std::string output;
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      if (lossless) *lossless = false;
      return output;
    }
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> chunk(4096);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
      char* out = chunk.data();
      std::size_t outLeft = chunk.size();
      const std::size_t rc = iconv(handle_, &in, &inLeft, &out, &outLeft);
      output.append(chunk.data(), chunk.size() - outLeft);
      if (rc != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: skip one unit of input and mark the loss.
      if (lossless) *lossless = false;
      output.push_back(replacement);
      const std::size_t skip = std::min(inLeft, SkipLength(in, inLeft, inputStep));
      in += skip;
      inLeft -= skip;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
    return output;
  }

 private:
  // Length of the undecodable unit at `in`: a whole UTF-8 sequence, or one byte otherwise.
  static std::size_t SkipLength(const char* in, std::size_t left, std::size_t inputStep) {
    if (inputStep != 0) return inputStep;
    const auto lead = static_cast<unsigned char>(*in);
    std::size_t length = 1;
    if (lead >= 0xF0)
      length = 4;
    else if (lead >= 0xE0)
      length = 3;
    else if (lead >= 0xC0)
      length = 2;
    return std::min(length, left);
  }

  iconv_t handle_;
};

Converter& ToCp932Converter() {
  thread_local Converter converter("CP932", "UTF-8");
  return converter;
}

Converter& FromCp932Converter() {
  thread_local Converter converter("UTF-8", "CP932");
  return converter;
}

}  // namespace

std::string ToCp932(const QString& text, bool* lossless) {
  const QByteArray utf8 = text.toUtf8();
  return ToCp932Converter().Convert(std::string_view(utf8.constData(), utf8.size()), '?', 0,
                                    lossless);
}

QString FromCp932(std::string_view bytes, bool* lossless) {
  const std::string utf8 = FromCp932Converter().Convert(bytes, '?', 1, lossless);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString FirstNonCp932Character(const QString& text) {
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype units = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    bool lossless = true;
    ToCp932(text.mid(i, units), &lossless);
    if (!lossless) return text.mid(i, units);
    i += units;
  }
  return QString();
}

std::size_t Cp932Length(const QString& text) { return ToCp932(text).size(); }

std::string_view CutCp932(std::string_view bytes, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < bytes.size()) {
    const std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
    if (end + width > maxBytes || end + width > bytes.size()) break;
    end += width;
  }
  return bytes.substr(0, end);
}

QString CutToCp932Bytes(const QString& text, std::size_t maxBytes) {
  // Measured character by character so that text without a code page 932 form is kept as is.
  std::size_t used = 0;
  qsizetype end = 0;
  while (end < text.size()) {
    const qsizetype units = text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    const std::size_t width = text[end].unicode() < 0x80 ? 1 : Cp932Length(text.mid(end, units));
    if (used + width > maxBytes) break;
    used += width;
    end += units;
  }
  return text.left(end);
}

namespace {

// The length of the well-formed UTF-8 sequence of two or more bytes at `at`, or 0.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  return length;
}

}  // namespace

QString FromUtf8OrCp932(std::string_view bytes) {
  // Code page 932 text seldom forms UTF-8 sequences (its lead bytes 0x81-0x9F are UTF-8
  // continuation bytes), while a UTF-8 file with a damaged spot still has mostly good ones.
  std::size_t good = 0, bad = 0;
  for (std::size_t at = 0; at < bytes.size();) {
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
    } else if (const std::size_t length = Utf8SequenceAt(bytes, at)) {
      ++good;
      at += length;
    } else {
      ++bad;
      ++at;
    }
  }
  if (bad > 0 && good < 3 * bad) return FromCp932(bytes);
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  return utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::optional<std::string> ToCp932Within(const QString& text, std::size_t maxBytes,
                                         QString* unwritable) {
  // Cut as text, so that the bytes end on a whole character.
  const QString kept = CutToCp932Bytes(text, maxBytes);
  bool lossless = true;
  std::string bytes = ToCp932(kept, &lossless);
  if (lossless) return bytes;
  if (unwritable) *unwritable = FirstNonCp932Character(kept);
  return std::nullopt;
}
