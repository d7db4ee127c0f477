#pragma once

#include <QString>

class QWidget;

// The program's one mail address rule. Only the first "@" and the first "." are looked at:
// both must be present, the "." must not be the last character, and the "@" must not be the
// second character. Positions count code page 932 bytes, as the text is stored.
bool IsMailAddress(const QString& text);

// Whether text is a mail address to go on with; otherwise tells the user, over parent, that the
// address is missing or not valid.
bool AcceptMailAddress(QWidget* parent, const QString& text);
