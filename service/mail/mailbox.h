#pragma once

#include <optional>
#include <string>
#include <string_view>

// A mailbox as SMTP takes it (RFC 5321, section 4.1.2): a Dot-string or Quoted-string local
// part of at most 64 bytes, "@", and a domain of letter-digit-hyphen labels (each at most 63
// bytes, none starting or ending with a hyphen), 254 bytes in all. Address literals
// ("user@[192.0.2.1]") are not taken: mail goes to named domains only.
bool IsMailbox(std::string_view address);

// The mailbox with its domain in lower case (the local part keeps its case, as RFC 5321 has
// it); nothing when it is not a mailbox.
std::optional<std::string> CanonicalMailbox(std::string_view address);
