#include "upload_requests.h"

#include <thread>
#include <vector>

ConcurrentOutcome UploadAtOnce(const ServiceSite& site, const UploadParts& parts, int count) {
  std::vector<long> statuses(static_cast<std::size_t>(count));
  std::vector<std::thread> senders;
  for (int i = 0; i < count; ++i)
    senders.emplace_back(
        [&, i] { statuses[static_cast<std::size_t>(i)] = Upload(site, parts).status; });
  for (std::thread& sender : senders) sender.join();
  ConcurrentOutcome outcome;
  for (const long status : statuses) {
    if (status == 200) ++outcome.delivered;
    if (status == 429) ++outcome.overLimit;
  }
  return outcome;
}
