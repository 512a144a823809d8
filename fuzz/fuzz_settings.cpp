// The settings reader on arbitrary bytes: it never crashes, whatever it keeps is within
// the ranges the game accepts, no key flies two actions, its notes stay few, and what it kept is written back into
// a file that reads the same without a note.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "saves/Settings.h"

namespace {

// No key flies two actions, whatever the file said.
bool EachKeyOnce(const TControls& controls) {
  std::set<int> seen;
  for (const TPlayerKeyCodes& codes : controls.keys) {
    for (TAction action : kActions) {
      if (!seen.insert(KeyOf(codes, action)).second) return false;
    }
  }
  return true;
}

bool InRange(const TSettings& s) {
  return s.musicVolume >= 0 && s.musicVolume <= 255 && s.effectsVolume >= 0 && s.effectsVolume <= 255 &&
         s.windowWidth >= kMinWindowWidth && s.windowWidth <= kMaxWindowSide &&
         s.windowHeight >= kMinWindowHeight && s.windowHeight <= kMaxWindowSide &&
         s.controls.deadZone >= 0.05 && s.controls.deadZone <= 0.95 && EachKeyOnce(s.controls);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TSettings settings;
  std::vector<std::string> notes;
  ParseSettings(text, "settings.ini", settings, notes);
  if (!InRange(settings) || notes.size() > 13) std::abort();
  TSettings again;
  std::vector<std::string> none;
  ParseSettings(FormatSettings(settings), "settings.ini", again, none);
  if (!(again == settings) || !none.empty()) std::abort();
  return 0;
}
