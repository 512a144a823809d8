#include "saves/BestTimes.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/UserFolders.h"
#include "saves/ScoreLimit.h"
#include "saves/SlotWriter.h"

namespace {

const char* const kHeader = "velmora-best-times 1";
// A race never lasts a day; a file with more courses than this was not written by the game.
constexpr std::int64_t kMaxTimeMs = 24LL * 3600 * 1000;
constexpr std::size_t kMaxRecords = 10000;
constexpr std::uintmax_t kMaxFileBytes = 2 * 1024 * 1024;
constexpr std::size_t kMaxNameBytes = 255;

bool ValidName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameBytes) return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == '/') return false;
  }
  return true;
}

bool ValidDate(const std::string& date) {
  if (date.size() != 10 || date[4] != '-' || date[7] != '-') return false;
  for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!std::isdigit(static_cast<unsigned char>(date[i]))) return false;
  }
  const int month = (date[5] - '0') * 10 + (date[6] - '0');
  const int day = (date[8] - '0') * 10 + (date[9] - '0');
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// The next blank-separated word of `line` from `pos`, exactly one blank after it.
bool Word(const std::string& line, std::size_t& pos, std::string& word) {
  const std::size_t blank = line.find(' ', pos);
  if (blank == std::string::npos || blank == pos) return false;
  word = line.substr(pos, blank - pos);
  pos = blank + 1;
  return true;
}

template <typename T>
bool Number(const std::string& word, T& value, int base = 10) {
  const char* end = word.data() + word.size();
  const auto [stop, code] = std::from_chars(word.data(), end, value, base);
  return code == std::errc() && stop == end;
}

bool ParseRecord(const std::string& line, TBestTime& record) {
  std::size_t pos = 0;
  std::string hash, time, score;
  if (!Word(line, pos, hash) || !Word(line, pos, time) || !Word(line, pos, score) ||
      !Word(line, pos, record.date)) {
    return false;
  }
  record.course.trackName = line.substr(pos);
  return hash.size() == 16 && Number(hash, record.course.contentHash, 16) &&
         Number(time, record.timeUsedMs) && record.timeUsedMs > 0 && record.timeUsedMs <= kMaxTimeMs &&
         Number(score, record.score) && record.score >= 0 && record.score <= kMaxScore &&
         ValidDate(record.date) && ValidName(record.course.trackName);
}

bool Beats(const TBestTime& result, const TBestTime& record) {
  if (result.timeUsedMs != record.timeUsedMs) return result.timeUsedMs < record.timeUsedMs;
  return result.score > record.score;
}

// "<path>.damaged-N" for the first N no file has.
std::string AsidePath(const std::string& path) {
  for (int n = 1;; ++n) {
    const std::string aside = path + ".damaged-" + std::to_string(n);
    std::error_code code;
    if (!std::filesystem::exists(aside, code)) return aside;
  }
}

}  // namespace

std::uint64_t CourseHash(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  return hash;
}

bool CourseKeyOfFile(const std::string& path, TCourseKey& key) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (file.bad()) return false;
  key.trackName = std::filesystem::path(path).filename().string();
  key.contentHash = CourseHash(bytes.str());
  return ValidName(key.trackName);
}

std::string RecordClock(std::int64_t ms) {
  ms = std::max<std::int64_t>(ms, 0);
  const std::int64_t hundredths = ms / 10;
  char text[32];
  std::snprintf(text, sizeof text, "%" PRId64 ":%02d.%02d", hundredths / 6000,
                static_cast<int>(hundredths / 100 % 60), static_cast<int>(hundredths % 100));
  return text;
}

const TBestTime* FindBestTime(const TBestTimes& times, const TCourseKey& course) {
  for (const TBestTime& record : times) {
    if (record.course == course) return &record;
  }
  return nullptr;
}

bool OfferBestTime(TBestTimes& times, const TBestTime& result, TBestTime& previous, bool& had) {
  had = false;
  if (result.timeUsedMs <= 0 || !ValidName(result.course.trackName)) return false;
  for (TBestTime& record : times) {
    if (!(record.course == result.course)) continue;
    had = true;
    previous = record;
    if (!Beats(result, record)) return false;
    record = result;
    return true;
  }
  if (times.size() >= kMaxRecords) return false;
  times.push_back(result);
  return true;
}

std::string FormatBestTimes(const TBestTimes& times) {
  std::string text = std::string(kHeader) + "\n";
  char hash[17];
  for (const TBestTime& record : times) {
    std::snprintf(hash, sizeof hash, "%016" PRIx64, record.course.contentHash);
    text += std::string(hash) + " " + std::to_string(record.timeUsedMs) + " " + std::to_string(record.score) +
            " " + record.date + " " + record.course.trackName + "\n";
  }
  return text;
}

bool ParseBestTimes(const std::string& text, TBestTimes& times, std::string& why) {
  times.clear();
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line != kHeader) {
    why = "line 1: not a best-times file";
    return false;
  }
  for (int number = 2; std::getline(lines, line); ++number) {
    TBestTime record;
    if (times.size() >= kMaxRecords || !ParseRecord(line, record) || FindBestTime(times, record.course)) {
      why = "line " + std::to_string(number) + ": not a record";
      times.clear();
      return false;
    }
    times.push_back(record);
  }
  return true;
}

TBestTimes LoadBestTimes(const std::string& path, std::vector<std::string>& notes, bool& mayWrite) {
  TBestTimes times;
  mayWrite = true;
  std::error_code code;
  if (path.empty() || !std::filesystem::exists(path, code)) return times;
  std::string why = "too long";
  if (std::filesystem::is_regular_file(path, code) && std::filesystem::file_size(path, code) <= kMaxFileBytes) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (ParseBestTimes(text.str(), times, why)) return times;
  }
  const std::string aside = AsidePath(path);
  std::filesystem::rename(path, aside, code);
  mayWrite = !code;
  notes.push_back(path + ": " + why + "; no best times are known" +
                  (code ? " (the file could not be moved aside and is left as it is)"
                        : "; the file is kept as " + aside));
  return times;
}

bool SaveBestTimes(const std::string& path, const TBestTimes& times, std::string& error) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && !MakeFolders(folder, error)) return false;
  return ReplaceFileSafely(path, FormatBestTimes(times), error);
}
