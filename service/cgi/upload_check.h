#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cgi/picture_check.h"

// A request refused, with the reply's status, its one-line reason and the word the log keeps.
struct Refusal {
  int status = 400;
  QString reason;
  const char* outcome = "bad-request";
};

// An upload body that holds a mail the service may deliver, but whose account is not checked
// yet.
struct MailRequest {
  QString userId;                       // as received; a mailbox only if the account exists
  std::string password;                 // UTF-8
  std::vector<std::string> recipients;  // canonical mailboxes
  QString subject;
  QString message;           // lines broken by CR LF
  std::string_view picture;  // a view into the body
  PictureKind pictureKind;
};

// Reads the body by the upload layout and checks everything that needs neither the database
// nor a decoded picture: the layout, code page 932 text without control characters (only the
// message holds line breaks, as CR LF pairs), From equal to the user ID, the recipients, and the
// picture's type, bytes and declared size.
std::variant<MailRequest, Refusal> CheckUpload(std::string_view body);
