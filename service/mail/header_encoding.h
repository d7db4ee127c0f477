#pragma once

#include <QDateTime>
#include <QString>
#include <string>

// Header texts as RFC 5322 and RFC 2047 want them: ASCII, lines of at most 78 characters.

// An unstructured text (the Subject) as UTF-8 "B" encoded words of at most 75 characters,
// folded onto continuation lines; no encoded word splits a character. Empty text stays empty.
// `used` is how much of the first line the header's name already takes ("Subject: " is 9).
std::string EncodeHeaderText(const QString& text, std::size_t used);

// "Tue, 01 Dec 2026 09:30:00 +0900" for the Date header, in English whatever the locale.
std::string MailDate(const QDateTime& time);

// The text as base64 in lines of 76 characters, each ended by CR LF.
std::string Base64Lines(const QByteArray& bytes);
