#pragma once

#include <string>
#include <string_view>

// Random tokens for links and cookies, and what the database keeps of them.

// 256 random bits as 43 characters of base64url (no padding).
std::string NewToken();
// 128 random bits as 22 characters of base64url: the public name of a picture.
std::string NewPictureId();
// Whether `text` has the form NewToken gives.
bool IsToken(std::string_view text);
// Whether `text` has the form NewPictureId gives.
bool IsPictureId(std::string_view text);

// The token's BLAKE2b digest in hex: all the database stores, so that a copy of the database
// opens no session and confirms no sign-up.
std::string TokenHash(std::string_view token);
// The BLAKE2b digest of any bytes in hex, 256 bits.
std::string HexDigest(std::string_view bytes);
// A value derived from the token and `purpose` (keyed BLAKE2b, base64url), for form tokens that
// only the token's holder can produce.
std::string TokenDerivative(std::string_view token, std::string_view purpose);
// Compares in constant time.
bool SameSecret(std::string_view a, std::string_view b);
