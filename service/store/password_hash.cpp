#include "store/password_hash.h"

#include <sodium.h>

#include <cstdint>
#include <new>
#include <stdexcept>

namespace {

void InitSodium() {
  static const bool ready = sodium_init() >= 0;
  if (!ready) throw std::runtime_error("libsodium cannot start");
}

}  // namespace

std::string HashPassword(std::string_view password) {
  InitSodium();
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    throw std::bad_alloc();
  return hash;
}

bool VerifyPassword(const std::string& hash, std::string_view password) {
  InitSodium();
  return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

void SpendPasswordCheck(std::string_view password) { HashPassword(password); }

std::string VerifiedDigest(std::string_view key, long long accountId, std::string_view hash,
                           std::string_view password) {
  InitSodium();
  crypto_generichash_state state;
  crypto_generichash_init(&state, reinterpret_cast<const unsigned char*>(key.data()), key.size(),
                          crypto_generichash_BYTES);
  const auto add = [&state](const void* data, std::size_t size) {
    crypto_generichash_update(&state, static_cast<const unsigned char*>(data), size);
  };
  // Each part with its length first, so that no two inputs run together the same way.
  for (const std::string_view part :
       {std::string_view(reinterpret_cast<const char*>(&accountId), sizeof accountId), hash,
        password}) {
    const std::uint64_t length = part.size();
    add(&length, sizeof length);
    add(part.data(), part.size());
  }
  unsigned char digest[crypto_generichash_BYTES];
  crypto_generichash_final(&state, digest, sizeof digest);
  char hex[2 * crypto_generichash_BYTES + 1];
  sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
  return hex;
}

bool SameDigest(std::string_view a, std::string_view b) {
  return a.size() == b.size() && sodium_memcmp(a.data(), b.data(), a.size()) == 0;
}
