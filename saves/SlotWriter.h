// Replacing a file so that a crash or a full disk at any moment leaves either the old
// file or the new one whole: write a temporary file beside it, flush it to the disk,
// rename it over the old one, then flush the folder so that the rename itself lasts.
#pragma once

#include <sys/types.h>

#include <string>

// The steps of a replacement, in order.
enum class TWriteStep {
  None = 0,
  TempCreated = 1,
  TempWritten = 2,
  TempFlushed = 3,
  Renamed = 4,
};
inline constexpr int kWriteSteps = 4;

// The system calls a replacement makes. Tests swap one for a failing double to see that
// every step's result is checked; each must behave as the call it stands for (return
// -1 and set errno on failure).
struct TFileCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*write)(int fd, const void* data, size_t size);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
};
// The real calls.
const TFileCalls& SystemFileCalls();

// Replaces path with content. On failure returns false with the reason in error and
// leaves the old file as it was. stopAfter, for tests, ends the write just after that
// step and leaves everything as a crash there would (the temporary file included).
// Temporary files are never shared: two games saving the same file at once each write
// their own, and the last rename wins.
bool ReplaceFileSafely(const std::string& path, const std::string& content, std::string& error,
                       TWriteStep stopAfter = TWriteStep::None,
                       const TFileCalls& calls = SystemFileCalls());

// A temporary name for a replacement of path, new at every call:
// "<path>.<process id>.<count>.tmp".
std::string TemporaryPathFor(const std::string& path);
// Whether name (a file name, no folder) is a temporary file of a replacement of the file
// named target, and if so which process wrote it.
bool IsTemporaryOf(const std::string& name, const std::string& target, long& processId);
