#include "store/password_hash.h"

#include <sodium.h>

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
