#pragma once

#include <QByteArray>
#include <QList>
#include <QMultiMap>
#include <QString>

// The header block of the upload request as the composer's protocol fixes it, written out here
// rather than taken from the program's code.
QList<QByteArray> UploadRequestHeaders();

struct HttpRequestSpec {
  QString url;
  QByteArray method = "POST";
  QList<QByteArray> headers = UploadRequestHeaders();
  QByteArray body;
  QString caFile;  // the only authority trusted for https; empty: the system's
};

struct HttpReply {
  long status = 0;                            // 0 when no reply came
  QMultiMap<QByteArray, QByteArray> headers;  // names in lower case
  QByteArray body;
  QString error;  // the transfer library's text when no reply came
};

// One request with libcurl, through no proxy.
HttpReply SendHttp(const HttpRequestSpec& request);
