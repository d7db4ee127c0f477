#include "store/token.h"

#include <sodium.h>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kVariant = sodium_base64_VARIANT_URLSAFE_NO_PADDING;

void InitSodium() {
  static const bool ready = sodium_init() >= 0;
  if (!ready) throw std::runtime_error("libsodium cannot start");
}

std::string Base64(const unsigned char* bytes, std::size_t size) {
  std::string text(sodium_base64_encoded_len(size, kVariant), '\0');
  sodium_bin2base64(text.data(), text.size(), bytes, size, kVariant);
  text.resize(text.size() - 1);  // the terminating zero
  return text;
}

std::string RandomText(std::size_t bytes) {
  InitSodium();
  unsigned char random[32];
  randombytes_buf(random, bytes);
  return Base64(random, bytes);
}

bool IsBase64Url(std::string_view text, std::size_t length) {
  if (text.size() != length) return false;
  for (const char c : text)
    if (!(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9') && c != '-' &&
        c != '_')
      return false;
  return true;
}

const auto* Bytes(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

}  // namespace

std::string NewToken() { return RandomText(32); }
std::string NewPictureId() { return RandomText(16); }
bool IsToken(std::string_view text) { return IsBase64Url(text, 43); }
bool IsPictureId(std::string_view text) { return IsBase64Url(text, 22); }

std::string TokenHash(std::string_view token) { return HexDigest(token); }

std::string HexDigest(std::string_view bytes) {
  InitSodium();
  unsigned char digest[32];
  crypto_generichash(digest, sizeof digest, Bytes(bytes), bytes.size(), nullptr, 0);
  char hex[2 * sizeof digest + 1];
  sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
  return hex;
}

std::string TokenDerivative(std::string_view token, std::string_view purpose) {
  InitSodium();
  // The token is the key; BLAKE2b takes keys of 16 to 64 bytes, which every token here is.
  const std::size_t keySize =
      std::min<std::size_t>(std::max<std::size_t>(token.size(), crypto_generichash_KEYBYTES_MIN),
                            crypto_generichash_KEYBYTES_MAX);
  std::string key(token.substr(0, keySize));
  key.resize(keySize, '\0');
  unsigned char digest[32];
  crypto_generichash(digest, sizeof digest, Bytes(purpose), purpose.size(), Bytes(key), key.size());
  return Base64(digest, sizeof digest);
}

bool SameSecret(std::string_view a, std::string_view b) {
  return a.size() == b.size() && sodium_memcmp(a.data(), b.data(), a.size()) == 0;
}
