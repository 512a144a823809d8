// The slot reader on arbitrary bytes: it never crashes, whatever it accepts is within
// the range a game reaches (so the story can add to its score), and it is written back
// by the slot writer into a file that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "modes/RaceRules.h"
#include "saves/USave.h"

namespace {

std::string WithoutCarriageReturns(std::string text) {
  for (char& c : text) {
    if (c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Tsavedgame entry;
  if (!ParseSlotText(text, entry)) {
    // A rejected file leaves the entry as it was: an empty slot.
    if (entry.valid || entry.name != "VIDE" || entry.score != 0) std::abort();
    return 0;
  }
  if (entry.score < 0 || entry.score > kMaxScore || entry.season < 0 || entry.season > kLastSeason) std::abort();
  // A whole season's best race on top of the slot: no overflow (UBSan would stop here).
  if (RaceScore(1000, entry.score, 999, false) > kMaxScore) std::abort();
  Tsavedgame again;
  if (!ParseSlotText(FormatSlotText(entry), again)) std::abort();
  if (!again.valid || again.score != entry.score || again.season != entry.season ||
      again.name != WithoutCarriageReturns(entry.name) ||
      again.date != WithoutCarriageReturns(entry.date)) {
    std::abort();
  }
  return 0;
}
