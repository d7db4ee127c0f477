// Feeds arbitrary bytes to the upload body parser and to the service's checks of what it reads;
// a body that parses must come back byte for byte when it is laid out again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cgi/upload_check.h"
#include "protocol/upload_layout.h"
#include "protocol/upload_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  UploadBodyFault fault = UploadBodyFault::kNone;
  const auto parsed = ParseUploadBody(body, &fault);
  if (parsed) {
    if (fault != UploadBodyFault::kNone) std::abort();
    if (BuildUploadBody(parsed->fields, parsed->picture) != body) std::abort();
  } else if (fault == UploadBodyFault::kNone) {
    std::abort();
  }
  CheckUpload(body);
  return 0;
}
