// The film program's command line. The game starts it with none; the options serve
// tests and anyone who wants to look at a film without playing up to it.
#pragma once

#include <string>
#include <vector>

struct TFilmOptions {
  int film = 0;          // 0: the number in the program's own name
  double seconds = 0.0;  // 0: the film's own length
  std::string screenshot;  // where to write the frame shown at mid-time, as PNG
  bool help = false;
};

// Reads the arguments after the program name. False, with `error` saying why, for an
// unknown option, a missing value or a value out of range.
bool ParseFilmOptions(const std::vector<std::string>& args, TFilmOptions& options,
                      std::string& error);

std::string FilmUsage();

// The folder the content is read from: the one above the program's own folder
// ("run/video/001.exe" reads "run/screenplay_data/...").
std::string ContentFolderOf(const std::string& programPath);
