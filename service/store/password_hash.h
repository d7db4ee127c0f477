#pragma once

#include <string>
#include <string_view>

// Argon2id password hashes through libsodium, at its interactive cost.

// The hash string to store (it carries its own salt and cost). Throws std::bad_alloc when the
// memory the hash needs cannot be had.
std::string HashPassword(std::string_view password);
bool VerifyPassword(const std::string& hash, std::string_view password);
// The same work as a verification, for an account that does not exist, so that the time taken
// does not tell the two apart.
void SpendPasswordCheck(std::string_view password);

// The keyed digest that stands for "this password matched this hash" (see VerifiedCacheConfig):
// BLAKE2b-256 of the account, the stored hash and the password under `key`, in hex. A changed
// password (a new hash) gives another digest.
std::string VerifiedDigest(std::string_view key, long long accountId, std::string_view hash,
                           std::string_view password);
// Compares two digests in time that does not depend on where they differ.
bool SameDigest(std::string_view a, std::string_view b);
