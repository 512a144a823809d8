// The player's settings, kept between runs in one plain file of "key = value" lines:
//
//   # Velmora settings (written by the game; lines starting with # are ignored)
//   music_volume = 255
//
// Without a file every setting keeps the game's default. The file never stops the game:
// a garbled line, an unknown key or a value out of range is skipped with one note naming
// the file and the line, and the rest of the file still counts. A key given to two
// actions is never kept twice: the action the file moved onto it goes back to its default.
#pragma once

#include <string>
#include <vector>

#include "world/Controls.h"

struct TSettings {
  int musicVolume = 255;    // 0 to 255
  int effectsVolume = 255;  // 0 to 255
  bool fullScreen = true;   // borderless at the desktop's mode; false: a window
  int windowWidth = 1024;   // the window's size when not full screen
  int windowHeight = 768;
  bool ghosts = true;       // the time attack shows the ghost of the course's best run
  // Keys of both players ("p1_thrust = SPACE"), pitch inversion, the pads' dead zone.
  TControls controls;

  bool operator==(const TSettings&) const = default;
};

inline constexpr int kMinWindowWidth = 320;
inline constexpr int kMinWindowHeight = 240;
inline constexpr int kMaxWindowSide = 16384;

// Reads the text of a settings file over `settings` (what the file does not set stays as
// it was). Each line that does not count adds a note "FILE:LINE: why" to `notes`.
void ParseSettings(const std::string& text, const std::string& fileName, TSettings& settings,
                   std::vector<std::string>& notes);
// The file's text for `settings`: the comment header, then every key.
std::string FormatSettings(const TSettings& settings);

// The settings of the file at `path`: the defaults when it does not exist (no note), or
// when it cannot be read (one note).
TSettings LoadSettings(const std::string& path, std::vector<std::string>& notes);
// Writes the file through a temporary file and a rename, making its folder when needed.
// False with the reason in `error` when it could not be written; the old file is kept.
bool SaveSettings(const std::string& path, const TSettings& settings, std::string& error);
