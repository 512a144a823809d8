// Replacing a file so that a crash or a full disk at any moment leaves either the old
// file or the new one whole: write a temporary file beside it, flush it to the disk,
// then rename it over the old one.
#pragma once

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

// Replaces path with content. On failure returns false with the reason in error and
// leaves the old file as it was. stopAfter, for tests, ends the write just after that
// step and leaves everything as a crash there would (the temporary file included).
bool ReplaceFileSafely(const std::string& path, const std::string& content, std::string& error,
                       TWriteStep stopAfter = TWriteStep::None);

// The temporary file a replacement of path writes first.
std::string TemporaryPathFor(const std::string& path);
