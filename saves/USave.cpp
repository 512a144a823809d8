#include "saves/USave.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "platform/PlayerFiles.h"
#include "saves/ScoreLimit.h"

namespace {

const char* const kValid = "valide";
const char* const kInvalid = "invalide";
const char* const kAutosaveName = "autosave";
// A slot is a few dozen bytes; anything far bigger is not one and is not read whole.
constexpr std::size_t kMaxSlotBytes = 64 * 1024;

bool IsSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// A decimal integer, optionally signed and surrounded by blanks, that fits 32 bits.
bool ReadDecimal(const std::string& line, int& value) {
  std::size_t first = line.find_first_not_of(" \t");
  std::size_t last = line.find_last_not_of(" \t");
  if (first == std::string::npos) return false;
  const char* begin = line.data() + first;
  const char* end = line.data() + last + 1;
  if (*begin == '+' && end - begin > 1 && begin[1] != '-') ++begin;
  auto [stop, error] = std::from_chars(begin, end, value);
  return error == std::errc() && stop == end;
}

bool ReadSlotFile(const std::string& path, std::string& text) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(kMaxSlotBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) return false;
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text.size() <= kMaxSlotBytes;
}

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

std::string SaveDateLabel(const wnd::TLocalTime& time) {
  char label[64];
  std::snprintf(label, sizeof label, "Le %02d/%02d/%04d, a %02d:%02d", time.day, time.month,
                time.year, time.hour, time.second);
  return label;
}

bool ParseSlotText(const std::string& text, Tsavedgame& entry) {
  std::vector<std::string> lines = SplitLines(text);
  if (lines.size() < 4 || lines[0] != kValid) return false;
  Tsavedgame read;
  read.valid = true;
  read.name = lines[1];
  if (!ReadDecimal(lines[2], read.score) || !ReadDecimal(lines[3], read.season)) return false;
  // A hand-edited or damaged slot may say anything; the story adds to the score and
  // picks a season by it, so both are brought into the range a game can reach.
  read.score = std::clamp(read.score, 0, kMaxScore);
  read.season = std::clamp(read.season, 0, kLastSeason);
  // A slot cut short after its season still says where the story stands.
  read.date = lines.size() > 4 ? lines[4] : "";
  entry = std::move(read);
  return true;
}

std::string FormatSlotText(const Tsavedgame& entry) {
  return std::string(kValid) + "\r\n" + OneLine(entry.name) + "\r\n" +
         std::to_string(entry.score) + "\r\n" + std::to_string(entry.season) + "\r\n" +
         OneLine(entry.date) + "\r\n";
}

TSave::TSave(std::string folder) : folder_(std::move(folder)) {}

std::string TSave::SlotPath(int slot) const {
  return folder_ + "/slot" + std::to_string(slot) + ".sav";
}

TSavedGameList TSave::ReadSlots() {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    Tsavedgame& entry = slots_[static_cast<std::size_t>(slot)];
    std::string text;
    const bool read = ReadSlotFile(ReadPath(SlotPath(slot)), text);
    if (!read || !ParseSlotText(text, entry)) entry.valid = false;
  }
  return slots_;
}

bool TSave::WriteSlot(int slot, int score, const std::string& name, int season) {
  if (!IsSlot(slot)) return false;
  Tsavedgame entry{true, slot == 0 ? kAutosaveName : name, score, season,
                   SaveDateLabel(wnd::LocalTime())};
  return Store(slot, FormatSlotText(entry));
}

bool TSave::ClearSlot(int slot) {
  if (!IsSlot(slot)) return false;
  slots_[static_cast<std::size_t>(slot)].valid = false;
  return Store(slot, std::string(kInvalid) + "\r\n");
}

bool TSave::Store(int slot, const std::string& content) {
  std::error_code ignored;  // a folder that cannot be made shows up as the write's failure
  std::filesystem::create_directories(WritePath(folder_), ignored);
  std::string error;
  if (ReplaceFileSafely(WritePath(SlotPath(slot)), content, error, stopAfter_)) return true;
  if (stopAfter_ == TWriteStep::None) {
    wnd::MessageBox("Couldn't save the game: " + error + ".\nThe story goes on without it.",
                    "Save");
  }
  return false;
}
