#pragma once

#include <string>
#include <thread>
#include <vector>

// A socket listening on 127.0.0.1 that never accepts: connections are made by the system, but
// no byte is ever answered.
class SilentListener {
 public:
  SilentListener();
  ~SilentListener();
  SilentListener(const SilentListener&) = delete;
  SilentListener& operator=(const SilentListener&) = delete;

  int Port() const { return port_; }
  // Fills the queue of pending connections, so that further attempts to connect get no
  // answer at all.
  void FillQueue();

 private:
  int fd_ = -1;
  int port_ = 0;
  std::vector<int> clients_;
};

// Accepts one connection on 127.0.0.1, records the raw request (its head and the body its
// Content-Length announces) and sends a fixed reply. Gives up after a few seconds of silence.
class RecordingPeer {
 public:
  explicit RecordingPeer(std::string reply);
  ~RecordingPeer();
  RecordingPeer(const RecordingPeer&) = delete;
  RecordingPeer& operator=(const RecordingPeer&) = delete;

  int Port() const { return port_; }
  // The bytes received; waits until the exchange is over.
  const std::string& Request();

 private:
  void Serve();

  int fd_ = -1;
  int port_ = 0;
  std::string reply_;
  std::string request_;
  std::thread thread_;
};

// Accepts one connection on 127.0.0.1, takes the request and answers with a reply that never
// ends: its head, then one body byte every 100 ms, fast enough for any stall check. Stops when
// the client goes away, or after 15 seconds.
class TricklingPeer {
 public:
  TricklingPeer();
  ~TricklingPeer();
  TricklingPeer(const TricklingPeer&) = delete;
  TricklingPeer& operator=(const TricklingPeer&) = delete;

  int Port() const { return port_; }

 private:
  void Serve();

  int fd_ = -1;
  int port_ = 0;
  std::thread thread_;
};
