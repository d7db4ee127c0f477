#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <utility>

#include "http_client.h"
#include "service_site.h"

// A browser's part in talking to the pages, by hand: it keeps the cookies the site sets and
// sends them back, and posts forms as a browser encodes them.
class PageClient {
 public:
  explicit PageClient(const ServiceSite& site) : site_(site) {}

  HttpReply Get(const QString& pathAndQuery, const QList<QByteArray>& headers = {});
  HttpReply Post(const QString& path, const QList<std::pair<QString, QString>>& fields);

  QString Cookie(const QString& name) const { return cookies_.value(name); }
  void SetCookie(const QString& name, const QString& value) { cookies_[name] = value; }
  void ForgetCookies() { cookies_.clear(); }

 private:
  HttpReply Send(HttpRequestSpec request);

  const ServiceSite& site_;
  QMap<QString, QString> cookies_;
};

// The value of the first form field of that name in a page; empty when there is none.
QString FieldValue(const QByteArray& html, const QString& name);
// The Set-Cookie header for that cookie; empty when the reply sets none.
QByteArray SetCookieHeader(const HttpReply& reply, const QByteArray& name);
// What tidy says of the page as HTML5, one problem a line; empty when it is clean.
QString TidyProblems(const QByteArray& html);
