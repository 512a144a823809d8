#include "cutscene/FilmOptions.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "cutscene/FilmPlan.h"

namespace {

constexpr double kLongestFilm = 3600.0;  // an hour: anything longer is a typing slip

// The whole text must be the number: "2s" or "" is refused, not read as 2 or 0.
bool ReadWholeNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

bool ReadSeconds(const std::string& text, TFilmOptions& options, std::string& error) {
  double value = 0.0;
  if (!ReadWholeNumber(text, value) || value <= 0.0 || value > kLongestFilm) {
    error = "--seconds wants a number of seconds above 0 and at most 3600, not \"" + text + "\"";
    return false;
  }
  options.seconds = value;
  return true;
}

bool ReadFilm(const std::string& text, TFilmOptions& options, std::string& error) {
  double value = 0.0;
  if (!ReadWholeNumber(text, value) || value != std::floor(value) || value < kFirstFilm ||
      value > kLastFilm) {
    error = "--film wants a film number from 1 to 5, not \"" + text + "\"";
    return false;
  }
  options.film = static_cast<int>(value);
  return true;
}

}  // namespace

bool ParseFilmOptions(const std::vector<std::string>& args, TFilmOptions& options,
                      std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg != "--seconds" && arg != "--screenshot" && arg != "--film") {
      error = "unknown option \"" + arg + "\"";
      return false;
    }
    if (i + 1 >= args.size()) {
      error = arg + " wants a value";
      return false;
    }
    const std::string& value = args[++i];
    if (arg == "--seconds" && !ReadSeconds(value, options, error)) return false;
    if (arg == "--film" && !ReadFilm(value, options, error)) return false;
    if (arg == "--screenshot") options.screenshot = value;
  }
  return true;
}

std::string FilmUsage() {
  return "usage: 00N.exe [--seconds N] [--screenshot PATH] [--film N]\n"
         "  Shows the story film its own name gives (001.exe to 005.exe), then closes;\n"
         "  Escape or space closes it at once.\n"
         "  --seconds N        run N seconds instead of the film's own length\n"
         "  --screenshot PATH  write the frame shown at mid-time as a PNG picture\n"
         "  --film N           show film N (1 to 5) whatever the program's name\n";
}

std::string ContentFolderOf(const std::string& programPath) {
  const std::filesystem::path above = std::filesystem::path(programPath).parent_path() / "..";
  std::filesystem::path folder = above.lexically_normal();
  // "run/" names the same folder as "run"; the root keeps its slash.
  if (!folder.has_filename() && folder != folder.root_path()) folder = folder.parent_path();
  return folder.string();
}
