#pragma once

#include <QString>

// A certificate authority made for one test with the openssl command, and a server certificate
// it signed for 127.0.0.1 and localhost. Clients trust the server by taking CaFile() as their
// only authority; anything else must refuse the server.
class TestCa {
 public:
  // Writes the files into `folder`; false with openssl's words when that fails.
  bool Create(const QString& folder, QString* error);

  QString CaFile() const { return folder_ + "/ca.pem"; }
  // The server's certificate followed by its key, as lighttpd's ssl.pemfile takes them.
  QString ServerPemFile() const { return folder_ + "/server.pem"; }

 private:
  QString folder_;
};
