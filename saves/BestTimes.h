// The best time of every course the player has won a time attack on, kept in one small
// text file under the player's data folder:
//
//   velmora-best-times 1
//   <content hash, 16 hex digits> <time used, ms> <score> <YYYY-MM-DD> <track file name>
//
// A course is known by its track file's name and a hash of the file's bytes, so an edited
// file starts a new record. A file that does not read whole is not guessed at: it counts
// as no records and is kept aside under another name, never written over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Names a course: its track file's name (no folder) and the hash of its bytes.
struct TCourseKey {
  std::string trackName;
  std::uint64_t contentHash = 0;

  bool operator==(const TCourseKey&) const = default;
};

struct TBestTime {
  TCourseKey course;
  std::int64_t timeUsedMs = 0;  // from the start signal to the last ring
  int score = 0;
  std::string date;  // "YYYY-MM-DD"
};

using TBestTimes = std::vector<TBestTime>;

// Where the game keeps them, relative to the player's data folder (WritePath).
inline constexpr const char* kBestTimesFile = "records/best-times.txt";

// A time used as the records show it: "M:SS.cc" (minutes not padded).
std::string RecordClock(std::int64_t ms);

// 64-bit FNV-1a of the bytes: stable across runs and machines.
std::uint64_t CourseHash(const std::string& bytes);
// The key of a track file: its name without folders and the hash of its bytes; false when
// the file cannot be read (generated courses have no file and keep no record).
bool CourseKeyOfFile(const std::string& path, TCourseKey& key);

// The best result kept for the course, or null.
const TBestTime* FindBestTime(const TBestTimes& times, const TCourseKey& course);
// Keeps `result` when the course has no record yet or it beats the record (less time; the
// same time with a higher score). True when it was kept; `previous` then receives the
// record it replaced (`had` false when there was none).
bool OfferBestTime(TBestTimes& times, const TBestTime& result, TBestTime& previous, bool& had);

// The file's text; records in the order given.
std::string FormatBestTimes(const TBestTimes& times);
// Reads a whole file's text; false with the line and the reason in `why` when any line is
// not a record (the result is then empty).
bool ParseBestTimes(const std::string& text, TBestTimes& times, std::string& why);

// The records of the file at `path`: none when it does not exist. A file that does not
// read is renamed "<path>.damaged-N" (the first free N) and a note says so; when even
// that fails, `mayWrite` turns false: the file must not be written over.
TBestTimes LoadBestTimes(const std::string& path, std::vector<std::string>& notes, bool& mayWrite);
// Writes through a temporary file and a rename, making the folder when needed.
bool SaveBestTimes(const std::string& path, const TBestTimes& times, std::string& error);
