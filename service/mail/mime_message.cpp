#include "mail/mime_message.h"

#include <sodium.h>

#include <stdexcept>

#include "mail/header_encoding.h"

namespace {

constexpr std::size_t kLineLimit = 78;

// The To header's addresses, folded between them where a line would grow too long.
std::string AddressList(const std::vector<std::string>& mailboxes, std::size_t used) {
  std::string list;
  std::size_t lineLength = used;
  for (std::size_t i = 0; i < mailboxes.size(); ++i) {
    const std::string& mailbox = mailboxes[i];
    if (i > 0) {
      list += ",";
      ++lineLength;
      const bool fits = lineLength + 1 + mailbox.size() <= kLineLimit;
      list += fits ? " " : "\r\n ";
      lineLength = fits ? lineLength + 1 : 1;
    }
    list += mailbox;
    lineLength += mailbox.size();
  }
  return list;
}

// From, To, Subject, Date, Message-ID and MIME-Version.
std::string Headers(const std::string& from, const std::vector<std::string>& to,
                    const QString& subject, const QDateTime& date, const std::string& token,
                    const std::string& domain) {
  std::string headers;
  headers += "From: " + from + "\r\n";
  headers += "To: " + AddressList(to, 4) + "\r\n";
  headers += "Subject: " + EncodeHeaderText(subject, 9) + "\r\n";
  headers += "Date: " + MailDate(date) + "\r\n";
  headers += "Message-ID: <" + token + "@" + domain + ">\r\n";
  headers += "MIME-Version: 1.0\r\n";
  return headers;
}

}  // namespace

std::string BuildMimeMessage(const PictureMail& mail, const QDateTime& date,
                             const std::string& token, const std::string& domain) {
  // Base64 never holds "=_", so the boundary cannot occur in a part.
  const std::string boundary = "=_quillora_" + token;
  std::string message = Headers(mail.from, mail.to, mail.subject, date, token, domain);
  message += "Content-Type: multipart/mixed;\r\n boundary=\"" + boundary + "\"\r\n";
  message += "\r\n";
  message += "--" + boundary + "\r\n";
  message += "Content-Type: text/plain; charset=UTF-8\r\n";
  message += "Content-Transfer-Encoding: base64\r\n\r\n";
  message += Base64Lines(mail.text.toUtf8());
  message += "--" + boundary + "\r\n";
  message += "Content-Type: " + mail.pictureType + "\r\n";
  message += "Content-Transfer-Encoding: base64\r\n";
  message +=
      "Content-Disposition: attachment;\r\n filename=\"" + mail.pictureFileName + "\"\r\n\r\n";
  message += Base64Lines(
      QByteArray::fromRawData(mail.picture.data(), static_cast<qsizetype>(mail.picture.size())));
  message += "--" + boundary + "--\r\n";
  return message;
}

std::string BuildTextMessage(const TextMail& mail, const QDateTime& date, const std::string& token,
                             const std::string& domain) {
  std::string message = Headers(mail.from, {mail.to}, mail.subject, date, token, domain);
  message += "Content-Type: text/plain; charset=UTF-8\r\n";
  message += "Content-Transfer-Encoding: base64\r\n\r\n";
  message += Base64Lines(mail.text.toUtf8());
  return message;
}

std::string NewMessageToken() {
  if (sodium_init() < 0) throw std::runtime_error("libsodium cannot start");
  unsigned char random[16];
  randombytes_buf(random, sizeof random);
  char hex[2 * sizeof random + 1];
  sodium_bin2hex(hex, sizeof hex, random, sizeof random);
  return hex;
}
