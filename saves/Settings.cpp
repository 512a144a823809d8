#include "saves/Settings.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/UserFolders.h"
#include "saves/SlotWriter.h"

namespace {

enum class TKind { Volume, Flag, Width, Height };

struct TSettingKey {
  const char* name;
  TKind kind;
  int TSettings::*number;
  bool TSettings::*flag;
};

const TSettingKey kKeys[] = {
    {"music_volume", TKind::Volume, &TSettings::musicVolume, nullptr},
    {"effects_volume", TKind::Volume, &TSettings::effectsVolume, nullptr},
    {"fullscreen", TKind::Flag, nullptr, &TSettings::fullScreen},
    {"window_width", TKind::Width, &TSettings::windowWidth, nullptr},
    {"window_height", TKind::Height, &TSettings::windowHeight, nullptr},
};

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::uintmax_t kMaxFileBytes = 64 * 1024;
// A damaged file must not flood the console: past this many notes, one line sums up.
constexpr int kMaxNotes = 12;

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

// What a note quotes of the file: printable, and short whatever the line holds.
std::string Quoted(const std::string& text) {
  std::string out;
  for (char c : text.substr(0, 40)) out += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
  if (text.size() > 40) out += "...";
  return "'" + out + "'";
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool ReadFlag(const std::string& value, bool& flag) {
  const std::string word = Lower(value);
  if (word == "yes" || word == "true" || word == "on" || word == "1") {
    flag = true;
    return true;
  }
  if (word == "no" || word == "false" || word == "off" || word == "0") {
    flag = false;
    return true;
  }
  return false;
}

void Range(TKind kind, int& low, int& high) {
  switch (kind) {
    case TKind::Volume: low = 0, high = 255; break;
    case TKind::Width: low = kMinWindowWidth, high = kMaxWindowSide; break;
    case TKind::Height: low = kMinWindowHeight, high = kMaxWindowSide; break;
    case TKind::Flag: low = 0, high = 1; break;
  }
}

// Sets one key from its value; the reason it does not count otherwise.
std::string Apply(const TSettingKey& key, const std::string& value, TSettings& settings) {
  if (key.kind == TKind::Flag) {
    if (ReadFlag(value, settings.*key.flag)) return {};
    return std::string(key.name) + " takes yes or no, not " + Quoted(value);
  }
  int number = 0;
  const char* end = value.data() + value.size();
  const auto [stop, code] = std::from_chars(value.data(), end, number);
  int low = 0, high = 0;
  Range(key.kind, low, high);
  if (value.empty() || code != std::errc() || stop != end) {
    return std::string(key.name) + " takes a whole number, not " + Quoted(value);
  }
  if (number < low || number > high) {
    return std::string(key.name) + " = " + value + " is outside " + std::to_string(low) + " to " +
           std::to_string(high);
  }
  settings.*key.number = number;
  return {};
}

// The reason a line does not count, or nothing when it counted (or is blank or a comment).
std::string ParseLine(const std::string& raw, TSettings& settings) {
  const std::string line = Trim(raw);
  if (line.empty() || line[0] == '#' || line[0] == ';') return {};
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return "not a 'key = value' line: " + Quoted(line);
  const std::string name = Lower(Trim(line.substr(0, equals)));
  const std::string value = Trim(line.substr(equals + 1));
  for (const TSettingKey& key : kKeys) {
    if (name == key.name) return Apply(key, value, settings);
  }
  return "unknown setting " + Quoted(name);
}

}  // namespace

void ParseSettings(const std::string& text, const std::string& fileName, TSettings& settings,
                   std::vector<std::string>& notes) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  int skipped = 0;
  while (std::getline(lines, line)) {
    ++number;
    const std::string why = ParseLine(line, settings);
    if (why.empty()) continue;
    if (++skipped <= kMaxNotes) notes.push_back(fileName + ":" + std::to_string(number) + ": " + why + ", skipped");
  }
  if (skipped > kMaxNotes) {
    notes.push_back(fileName + ": " + std::to_string(skipped - kMaxNotes) + " more lines skipped");
  }
}

std::string FormatSettings(const TSettings& settings) {
  std::ostringstream out;
  out << "# Velmora settings, written by the game when a setting changes.\n"
      << "# One 'key = value' a line; a line the game does not understand is skipped.\n"
      << "# Volumes: 0 to 255. fullscreen: yes (borderless, the desktop's size) or no (a window).\n";
  for (const TSettingKey& key : kKeys) {
    out << key.name << " = ";
    if (key.kind == TKind::Flag) {
      out << (settings.*key.flag ? "yes" : "no");
    } else {
      out << settings.*key.number;
    }
    out << '\n';
  }
  return out.str();
}

TSettings LoadSettings(const std::string& path, std::vector<std::string>& notes) {
  TSettings settings;
  if (path.empty()) return settings;
  std::error_code code;
  if (!std::filesystem::exists(path, code)) return settings;
  if (!std::filesystem::is_regular_file(path, code) || std::filesystem::file_size(path, code) > kMaxFileBytes) {
    notes.push_back(path + ": not a settings file (a folder, or far too long); the defaults are used");
    return settings;
  }
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  if (!file && !file.eof()) {
    notes.push_back(path + ": cannot be read; the defaults are used");
    return settings;
  }
  ParseSettings(text.str(), path, settings, notes);
  return settings;
}

bool SaveSettings(const std::string& path, const TSettings& settings, std::string& error) {
  if (path.empty()) {
    error = "no place for the settings file (neither HOME nor XDG_CONFIG_HOME is set)";
    return false;
  }
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && !MakeFolders(folder, error)) return false;
  return ReplaceFileSafely(path, FormatSettings(settings), error);
}
