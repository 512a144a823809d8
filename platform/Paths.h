// Content paths as the game writes them ("img/2Players_BckGrnd.jpg", "sounds\wind.wav")
// resolved against the files that really exist: a backslash is a separator, and where
// the path as written does not exist, a file differing only in letter case is taken.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The existing file or folder the path names, or the path with '/' separators when
// nothing matches (so that an error message still names what was asked for).
std::string ResolvePath(const std::string& path);

bool PathExists(const std::string& path);

// Reads a whole file through ResolvePath; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);
bool ReadFileText(const std::string& path, std::string& text);
