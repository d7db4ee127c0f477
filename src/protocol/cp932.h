#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// Conversion to and from code page 932 (Shift-JIS as Windows writes it), the encoding of every
// byte the composer sends to the service or stores in its own files, and that the service reads.

// Converts text to code page 932. Characters that have no form there become '?', and
// *lossless (when given) tells whether that happened.
std::string ToCp932(const QString& text, bool* lossless = nullptr);
// Bytes that form no character become '?', and *lossless (when given) tells whether that happened.
QString FromCp932(std::string_view bytes, bool* lossless = nullptr);

// The first character of text that code page 932 cannot write, or an empty text.
QString FirstNonCp932Character(const QString& text);

// Text that may be UTF-8 or code page 932: UTF-8 when at least three in four of its non-ASCII
// sequences are well-formed UTF-8 (the others become U+FFFD), code page 932 otherwise.
QString FromUtf8OrCp932(std::string_view bytes);

// The length of text in code page 932 bytes.
std::size_t Cp932Length(const QString& text);

// True when byte b opens a double-byte character.
constexpr bool IsCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The longest prefix of bytes that fits in maxBytes without splitting a double-byte character.
std::string_view CutCp932(std::string_view bytes, std::size_t maxBytes);

// The longest prefix of text whose code page 932 form fits in maxBytes.
QString CutToCp932Bytes(const QString& text, std::size_t maxBytes);

// The code page 932 form of the longest prefix of text that fits in maxBytes; nothing when a
// character of that prefix cannot be written, and then *unwritable (when given) names the first.
std::optional<std::string> ToCp932Within(const QString& text, std::size_t maxBytes,
                                         QString* unwritable = nullptr);
