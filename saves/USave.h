// The story's progress: four slot files, slot 0 the autosave and slots 1 to 3 the
// player's, each a few CR LF text lines:
//   valide | name | score | season | date label      (a written slot)
//   invalide                                          (a cleared slot)
#pragma once

#include <array>
#include <string>

#include "platform/Window.h"
#include "saves/SlotWriter.h"

struct Tsavedgame {
  bool valid = false;
  std::string name = "VIDE";  // "VIDE" is what an empty slot shows
  int score = 0;
  int season = 0;  // the season to play next
  std::string date = "VIDE";
};

inline constexpr int kSlotCount = 4;
// The story has four seasons, 0 to 3; a slot read never names another.
inline constexpr int kLastSeason = 3;
using TSavedGameList = std::array<Tsavedgame, kSlotCount>;

// "Le 07/12/2026, a 14:09": day, month, year, then the hour and the *seconds*, as the
// slot files have always carried it.
std::string SaveDateLabel(const wnd::TLocalTime& time);

// Reads a slot file's text (CR LF or LF lines). A valid slot fills entry and returns true;
// anything else returns false and leaves entry untouched. The score is brought into
// 0..kMaxScore and the season into 0..kLastSeason.
bool ParseSlotText(const std::string& text, Tsavedgame& entry);
// The file text of a valid entry; line breaks in the name become blanks.
std::string FormatSlotText(const Tsavedgame& entry);

class TSave {
 public:
  // folder: where the slot files live, relative to the game's folder; they are written in
  // the player's folder when one is set (and read from there once they exist).
  explicit TSave(std::string folder = "save");

  // Refreshes the list from the four files and returns a copy. A missing, unreadable or
  // malformed file reads as an invalid slot whose other fields stay as they were.
  TSavedGameList ReadSlots();
  // Writes the slot's file (slot 0 is named "autosave"); the list changes at the next
  // ReadSlots. A failed write is reported in a message box and returns false, leaving the
  // previous file whole.
  bool WriteSlot(int slot, int score, const std::string& name, int season);
  // Marks the slot's file and entry invalid.
  bool ClearSlot(int slot);

  const TSavedGameList& Slots() const { return slots_; }
  // The slot's path as the game names it; WritePath/ReadPath place it.
  std::string SlotPath(int slot) const;
  // For tests: every later write ends just after that step, as if the game died there.
  void StopWritesAfter(TWriteStep step) { stopAfter_ = step; }

 private:
  bool Store(int slot, const std::string& content);

  std::string folder_;
  TSavedGameList slots_{};
  TWriteStep stopAfter_ = TWriteStep::None;
};
