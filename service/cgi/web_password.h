#pragma once

#include <QString>

// The shortest password the pages take for a new account or a change.
inline constexpr int kMinimumPasswordLength = 8;

// Why a new password typed twice on a page cannot be taken; empty when it can: both the same,
// at least kMinimumPasswordLength characters, and one the composer can send.
QString NewPasswordProblem(const QString& password, const QString& again);
