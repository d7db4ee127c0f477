#pragma once

#include <atomic>
#include <chrono>
#include <string>

// How long a transfer may wait before it is given up as a network failure, and how it may be
// ended or checked.
struct TransferLimits {
  // Time allowed to establish the connection.
  std::chrono::milliseconds connectTimeout{std::chrono::seconds(60)};
  // A transfer that moves less than one byte per second for this long has stalled. The rate is
  // averaged over the last few seconds, so bytes just sent delay the verdict by that much.
  std::chrono::seconds stallTime{60};
  // Time allowed for the whole request, from connecting to the reply's last byte: a server
  // that trickles bytes, or never ends its reply, passes the stall check for ever.
  std::chrono::milliseconds totalTime{std::chrono::minutes(5)};
  // After this long the user is offered a way to end the transfer.
  std::chrono::milliseconds offerStopAfter{std::chrono::seconds(3)};
  // When given and set (from any thread), the transfer ends at once with a failure of kind
  // NetworkFailure::Cancelled.
  const std::atomic<bool>* cancel = nullptr;
  // Servers' certificates are checked against the system's authorities, or against those of
  // this PEM file when one is named.
  std::string certificateAuthorities = {};
};

enum class ProxyAccess {
  Preconfigured,  // the system's proxy variables (http_proxy, no_proxy, ...) apply
  Direct,         // always connect directly
};

// The settings every request opened through this session shares: the agent name sent when a
// request sets no User-Agent of its own, the proxy rule and the time limits. Holds no network
// resources; connections and requests copy what they need.
class InternetSession {
 public:
  explicit InternetSession(std::string agent, ProxyAccess access = ProxyAccess::Preconfigured,
                           TransferLimits limits = {});

  const std::string& Agent() const { return agent_; }
  ProxyAccess Access() const { return access_; }
  const TransferLimits& Limits() const { return limits_; }
  void SetLimits(const TransferLimits& limits) { limits_ = limits; }

 private:
  std::string agent_;
  ProxyAccess access_;
  TransferLimits limits_;
};
