#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "http_client.h"
#include "service_site.h"

// Request bodies written out by the tests from the upload layout, byte for byte: the
// delimiter, CR LF line ends, the account, the three header lines, the message and the picture
// (none of the program's own code builds them).
inline const QByteArray kDelimiter = "---------------------------7d01777301a2";

struct UploadParts {
  QByteArray userId = "hanako@example.jp";
  QByteArray password = "quill2026";
  QByteArray from = "hanako@example.jp";
  QByteArray to = "taro@example.ne.jp";
  QByteArray subject = "\x8E\xCA\x90\x5E\x82\xC5\x82\xB7";                    // 写真です
  QByteArray message = "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\r\nline 2";  // こんにちは
  QByteArray picture;  // a GIF of the fuzz seeds unless set
};

inline QByteArray ReadTestFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A small real GIF (256 colours).
inline QByteArray TestGif() {
  return ReadTestFile(QStringLiteral(QUILLORA_SOURCE_DIR "/fuzz/seeds/gif/plain_128.gif"));
}

inline QByteArray UploadBody(const UploadParts& parts) {
  const QByteArray picture = parts.picture.isNull() ? TestGif() : parts.picture;
  return "--" + kDelimiter + "\r\n" + parts.userId + "\r\n" + parts.password + "\r\n" + "--" +
         kDelimiter + "\r\n" + "To: " + parts.to + "\r\n" + "From: " + parts.from + "\r\n" +
         "Subject: " + parts.subject + "\r\n" + parts.message + "\r\n--" + kDelimiter + "\r\n" +
         picture + "\r\n--" + kDelimiter + "--";
}

inline HttpReply Upload(const ServiceSite& site, const UploadParts& parts) {
  HttpRequestSpec request;
  request.url = site.UploadUrl();
  request.body = UploadBody(parts);
  request.caFile = site.CaFile();
  return SendHttp(request);
}

// Sends `count` uploads at once, one thread each; gives how many were answered 200 and 429.
struct ConcurrentOutcome {
  int delivered = 0;
  int overLimit = 0;
};
ConcurrentOutcome UploadAtOnce(const ServiceSite& site, const UploadParts& parts, int count);
