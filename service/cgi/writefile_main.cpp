// writefile.cgi: takes one upload from the composer and delivers it as a mail.
#include <curl/curl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

#include "cgi/writefile_handler.h"
#include "config/service_config.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return 1;
  const CgiRequest request = CgiRequest::FromEnvironment();
  const WritefileResult result = HandleWritefile(
      request,
      [](std::size_t length, std::string& body) { return ReadBody(STDIN_FILENO, length, body); },
      ServiceConfig::DefaultPath());
  const std::string reply = result.reply.Render();
  std::fwrite(reply.data(), 1, reply.size(), stdout);
  std::fflush(stdout);
  result.log.Write(stderr, QDateTime::currentDateTime());
  curl_global_cleanup();
  return 0;
}
