// The save writer checks every step it takes, never shares or truncates a temporary
// file, and a slot read back can never make a score overflow.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/FixtureFolder.h"
#include "modes/RaceRules.h"
#include "saves/SlotWriter.h"
#include "saves/USave.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::size_t FilesIn(const std::string& folder) {
  std::size_t count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) count += entry.is_regular_file() ? 1 : 0;
  return count;
}

bool IsFolder(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}

// Doubles of the system calls: each fails as the kernel does (-1 and errno) when its
// switch says so, and otherwise makes the real call.
struct TFaults {
  bool openFile = false;
  int existsTimes = 0;  // opens with O_EXCL that find the name taken
  bool openFolder = false;
  bool writeFile = false;
  bool shortWrites = false;  // the kernel may take fewer bytes than asked
  bool fsyncFile = false;
  int fsyncFolderError = 0;
  bool closeFile = false;
  bool rename = false;
  int opensWithoutExcl = 0;
};
TFaults faults;

int FakeOpen(const char* path, int flags, mode_t mode) {
  if (flags & O_DIRECTORY) {
    if (faults.openFolder) return errno = EACCES, -1;
  } else {
    if (!(flags & O_EXCL)) ++faults.opensWithoutExcl;
    if (faults.openFile) return errno = EACCES, -1;
    if (faults.existsTimes > 0) return --faults.existsTimes, errno = EEXIST, -1;
  }
  return ::open(path, flags, mode);
}
ssize_t FakeWrite(int fd, const void* data, size_t size) {
  if (faults.writeFile) return errno = ENOSPC, -1;
  return ::write(fd, data, faults.shortWrites && size > 1 ? 1 : size);
}
int FakeFsync(int fd) {
  const bool folder = IsFolder(fd);
  if (!folder && faults.fsyncFile) return errno = EIO, -1;
  if (folder && faults.fsyncFolderError != 0) return errno = faults.fsyncFolderError, -1;
  return ::fsync(fd);
}
int FakeClose(int fd) {
  const bool folder = IsFolder(fd);
  const int result = ::close(fd);  // closed either way, as the kernel does
  if (!folder && faults.closeFile) return errno = EIO, -1;
  return result;
}
int FakeRename(const char* from, const char* to) {
  if (faults.rename) return errno = EXDEV, -1;
  return std::rename(from, to);
}
const TFileCalls kFaulty{FakeOpen, FakeWrite, FakeFsync, FakeClose, FakeRename};

}  // namespace

TEST(SaveWriter, EveryStepIsCheckedAndAFailureKeepsTheOldFile) {
  struct TCase {
    const char* name;
    TFaults set;
    const char* says;
  };
  const TCase cases[] = {
      {"create", {.openFile = true}, "cannot create"},
      {"write", {.writeFile = true}, "cannot write"},
      {"flush", {.fsyncFile = true}, "cannot flush"},
      {"close", {.closeFile = true}, "cannot close"},
      {"rename", {.rename = true}, "cannot replace"},
      {"open folder", {.openFolder = true}, "cannot open the folder"},
      {"flush folder", {.fsyncFolderError = EIO}, "cannot flush the folder"},
  };
  for (const TCase& c : cases) {
    TFixtureFolder dir;
    const std::string path = dir / "slot1.sav";
    Put(path, "old");
    faults = c.set;
    std::string error;
    EXPECT_FALSE(ReplaceFileSafely(path, "new", error, TWriteStep::None, kFaulty)) << c.name;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.name << ": " << error;
    // Up to the rename the old file stands; after it, only the folder's flush failed.
    const bool renamed = c.set.openFolder || c.set.fsyncFolderError != 0;
    EXPECT_EQ(Contents(path), renamed ? "new" : "old") << c.name;
    EXPECT_EQ(FilesIn(dir / ""), 1u) << c.name << ": a temporary file was left";
  }
  faults = {};
}

TEST(SaveWriter, AFolderThatCannotBeFlushedAtAllIsNoFailure) {
  TFixtureFolder dir;
  faults = {.shortWrites = true, .fsyncFolderError = EINVAL};
  std::string error;
  EXPECT_TRUE(ReplaceFileSafely(dir / "slot0.sav", "valide\r\n", error, TWriteStep::None, kFaulty)) << error;
  EXPECT_EQ(Contents(dir / "slot0.sav"), "valide\r\n");
  faults = {};
}

TEST(SaveWriter, TemporaryFilesAreNeverSharedNorTruncated) {
  TFixtureFolder dir;
  const std::string path = dir / "slot1.sav";
  EXPECT_NE(TemporaryPathFor(path), TemporaryPathFor(path));
  // Another running game's temporary file, at the name a fixed scheme would use and at
  // one of this scheme's names for its process: neither is touched.
  const std::string fixed = path + ".tmp";
  const std::string running = path + "." + std::to_string(::getppid()) + ".0.tmp";
  Put(fixed, "other game");
  Put(running, "other game");
  faults = {.existsTimes = 2};  // the first two names tried are taken
  std::string error;
  ASSERT_TRUE(ReplaceFileSafely(path, "mine", error, TWriteStep::None, kFaulty)) << error;
  EXPECT_EQ(faults.opensWithoutExcl, 0);
  EXPECT_EQ(Contents(path), "mine");
  EXPECT_EQ(Contents(fixed), "other game");
  EXPECT_EQ(Contents(running), "other game");
  // Names taken every time: an error, not a shared file.
  faults = {.existsTimes = 1000};
  EXPECT_FALSE(ReplaceFileSafely(path, "again", error, TWriteStep::None, kFaulty));
  EXPECT_EQ(Contents(path), "mine");
  faults = {};
}

TEST(SaveWriter, LeftoversOfEndedGamesAreRemovedByTheNextWrite) {
  TFixtureFolder dir;
  const std::string path = dir / "slot2.sav";
  const std::string ended = path + ".2147483646.3.tmp";  // above any process id in use
  const std::string running = path + "." + std::to_string(::getppid()) + ".1.tmp";
  const std::string unrelated = dir / "slot3.sav.2147483646.0.tmp";
  for (const std::string& p : {ended, running, unrelated}) Put(p, "x");
  std::string error;
  ASSERT_TRUE(ReplaceFileSafely(path, "valide\r\n", error)) << error;
  EXPECT_FALSE(fs::exists(ended));
  EXPECT_TRUE(fs::exists(running));
  EXPECT_TRUE(fs::exists(unrelated));
  long id = 0;
  EXPECT_TRUE(IsTemporaryOf("slot2.sav.77.0.tmp", "slot2.sav", id));
  EXPECT_EQ(id, 77);
  for (const char* name : {"slot2.sav.tmp", "slot2.sav..0.tmp", "slot2.sav.7.tmp", "slot2.sav.7.x.tmp",
                           "slot2.sav.7.0.1.tmp", "slot22.sav.7.0.tmp", "slot2.sav.99999999999.0.tmp"}) {
    EXPECT_FALSE(IsTemporaryOf(name, "slot2.sav", id)) << name;
  }
}

TEST(SaveScores, SlotsReadBackWithinTheRangeAGameReaches) {
  Tsavedgame entry;
  ASSERT_TRUE(ParseSlotText("valide\r\nA\r\n2147483647\r\n2147483647\r\nd\r\n", entry));
  EXPECT_EQ(entry.score, kMaxScore);
  EXPECT_EQ(entry.season, kLastSeason);
  ASSERT_TRUE(ParseSlotText("valide\r\nA\r\n-2147483648\r\n-5\r\nd\r\n", entry));
  EXPECT_EQ(entry.score, 0);
  EXPECT_EQ(entry.season, 0);
  ASSERT_TRUE(ParseSlotText("valide\r\nA\r\n1200\r\n2\r\nd\r\n", entry));
  EXPECT_EQ(entry.score, 1200);
  EXPECT_EQ(entry.season, 2);
}

TEST(SaveScores, ScoresSaturateInsteadOfOverflowing) {
  EXPECT_EQ(RaceScore(12, kMaxScore, 80, false), kMaxScore);
  EXPECT_EQ(RaceScore(12, kMaxScore - 100, 80, false), kMaxScore);
  EXPECT_EQ(RaceScore(12, INT_MAX, INT_MAX, false), kMaxScore);
  EXPECT_EQ(RaceScore(INT_MAX, INT_MAX, 0, true), kMaxScore);
  EXPECT_EQ(RaceScore(0, INT_MIN, -1, false), 0);
  EXPECT_EQ(RaceScore(3, 120, 4, false), 155);
  // A slot saved at the top goes on at the top through a whole story.
  int score = kMaxScore;
  for (int season = 0; season < 4; ++season) score = RaceScore(10, score, 30, false);
  EXPECT_EQ(score, kMaxScore);
}
