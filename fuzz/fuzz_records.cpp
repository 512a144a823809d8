// The best-times reader on arbitrary bytes: it never crashes, a file it accepts holds
// only records the game could have kept, and it is written back into the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "saves/BestTimes.h"
#include "saves/ScoreLimit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TBestTimes times;
  std::string why;
  if (!ParseBestTimes(text, times, why)) {
    if (!times.empty() || why.empty()) std::abort();
    return 0;
  }
  for (const TBestTime& record : times) {
    if (record.timeUsedMs <= 0 || record.score < 0 || record.score > kMaxScore) std::abort();
    if (record.course.trackName.empty() || record.course.trackName.find('\n') != std::string::npos) std::abort();
  }
  TBestTimes again;
  if (!ParseBestTimes(FormatBestTimes(times), again, why) || again.size() != times.size()) std::abort();
  if (FormatBestTimes(again) != FormatBestTimes(times)) std::abort();
  return 0;
}
