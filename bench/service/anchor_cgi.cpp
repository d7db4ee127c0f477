// The benchmark's anchor: reads CONTENT_LENGTH bytes of the body and answers OK.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main() {
  const char* length = std::getenv("CONTENT_LENGTH");
  std::size_t left = length ? std::strtoul(length, nullptr, 10) : 0;
  std::vector<char> buffer(65536);
  while (left > 0) {
    const ssize_t count = ::read(STDIN_FILENO, buffer.data(), std::min(left, buffer.size()));
    if (count <= 0) break;
    left -= static_cast<std::size_t>(count);
  }
  std::fputs("Status: 200 OK\r\nContent-Type: text/plain\r\n\r\nOK\r\n", stdout);
  return 0;
}
