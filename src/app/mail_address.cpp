#include "mail_address.h"

#include "platform/cp932.h"

namespace {

// Byte offset of the first character `wanted`, or -1. Double-byte characters are stepped over
// whole, so their second byte is never taken for "@" or ".".
long FirstCharacter(const std::string& bytes, char wanted) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == wanted) return static_cast<long>(i);
    if (IsCp932LeadByte(static_cast<unsigned char>(bytes[i]))) ++i;
  }
  return -1;
}

}  // namespace

bool IsMailAddress(const QString& text) {
  const std::string bytes = ToCp932(text);
  const long at = FirstCharacter(bytes, '@');
  const long dot = FirstCharacter(bytes, '.');
  const long length = static_cast<long>(bytes.size());
  return at != -1 && dot != -1 && dot < length - 1 && at != 1;
}
