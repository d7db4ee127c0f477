#pragma once

#include <QString>

// The composer keeps its password in a buffer of 260 bytes with the terminating zero.
inline constexpr int kPasswordLimit = 259;

enum class PasswordFault { kNone, kEmpty, kUnsendable, kTooLong, kControlCharacter };

// Whether the composer can send this password: not empty, every character in code page 932,
// at most kPasswordLimit bytes there, no control characters.
PasswordFault CheckSendablePassword(const QString& password);
