#include "fuzz/SeedMaker.h"
#include "saves/BestTimes.h"

namespace {

// A file the game writes with two courses, an empty one, and one refused at its last line.
TSeedMaker maker("records", [](const std::string& dir) {
  const TBestTimes times = {{{"01.track", 0x0123456789abcdefULL}, 48250, 5400, "2026-12-08"},
                            {{"winter ring.track", 42}, 61000, 0, "2027-01-31"}};
  WriteSeed(dir, "two.txt", FormatBestTimes(times));
  WriteSeed(dir, "empty.txt", FormatBestTimes({}));
  WriteSeed(dir, "refused.txt", FormatBestTimes(times) + "0123456789abcdef 0 1 2026-12-08 x.track\n");
});

}  // namespace
