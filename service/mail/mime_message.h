#pragma once

#include <QDateTime>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

// One picture mail as the relay receives it.
struct PictureMail {
  std::string from;             // a mailbox
  std::vector<std::string> to;  // mailboxes
  QString subject;
  QString text;  // lines broken by CR LF
  std::string_view picture;
  std::string pictureType;      // "image/gif", "image/jpeg" or "image/png"
  std::string pictureFileName;  // "picture.gif", ...
};

// The message in RFC 5322 form with CR LF line ends: From, To, Subject (RFC 2047 encoded),
// Date, Message-ID and MIME headers, then a multipart/mixed body of the text (UTF-8) and the
// picture, both base64 encoded, so that every line is short ASCII whatever the content.
// `token` makes the Message-ID and the boundary unique; it must be letters and digits.
std::string BuildMimeMessage(const PictureMail& mail, const QDateTime& date,
                             const std::string& token, const std::string& domain);

// A mail of text only: the service's own notices, such as a sign-up's confirmation.
struct TextMail {
  std::string from;  // a mailbox
  std::string to;    // a mailbox
  QString subject;
  QString text;  // lines broken by CR LF
};

// The same headers as BuildMimeMessage, then the text as base64 UTF-8.
std::string BuildTextMessage(const TextMail& mail, const QDateTime& date, const std::string& token,
                             const std::string& domain);

// A fresh random token for BuildMimeMessage and BuildTextMessage.
std::string NewMessageToken();
