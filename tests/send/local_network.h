#pragma once

#include <cstdlib>

#include "platform/network_init.h"

// Starts the network layer with traffic kept on this machine, whatever proxy the environment
// names.
inline bool InitLocalNetwork() {
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) unsetenv(name);
  return InitNetwork();
}
