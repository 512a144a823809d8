#include "saves/Settings.h"

#include <array>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/KeyNames.h"
#include "platform/UserFolders.h"
#include "platform/Window.h"
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
    {"ghosts", TKind::Flag, nullptr, &TSettings::ghosts},
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

// "p1_" or "p2_": the player (0 or 1) and the rest of the key; -1 for other keys.
int PlayerKey(const std::string& name, std::string& rest) {
  if (name.size() < 4 || name[0] != 'p' || (name[1] != '1' && name[1] != '2') || name[2] != '_') return -1;
  rest = name.substr(3);
  return name[1] - '1';
}

// Which line of the file set each player's action (0: the default), to undo a doubled key.
using TKeyLines = std::array<std::array<int, kActionCount>, 2>;

std::string ApplyControl(const std::string& name, const std::string& value, int line, TSettings& settings,
                         TKeyLines& keyLines, bool& known) {
  std::string rest;
  const int player = PlayerKey(name, rest);
  known = true;
  if (player >= 0 && rest == "invert_pitch") {
    if (ReadFlag(value, settings.controls.invertPitch[player])) return {};
    return name + " takes yes or no, not " + Quoted(value);
  }
  for (int a = 0; player >= 0 && a < kActionCount; ++a) {
    if (rest != ActionWord(kActions[a])) continue;
    const int code = KeyFromName(value);
    if (code < 0 || code == wnd::KEY_ESC || code == wnd::KEY_ENTER) {
      return Quoted(value) + " is not a key " + name + " can take; it keeps its default";
    }
    SetKeyOf(settings.controls.keys[player], kActions[a], code);
    keyLines[player][a] = line;
    return {};
  }
  if (name == "pad_dead_zone") {
    double zone = 0.0;
    const auto [stop, code] = std::from_chars(value.data(), value.data() + value.size(), zone);
    if (value.empty() || code != std::errc() || stop != value.data() + value.size() || !(zone >= 0.05 && zone <= 0.95)) {
      return "pad_dead_zone takes a number from 0.05 to 0.95, not " + Quoted(value);
    }
    settings.controls.deadZone = zone;
    return {};
  }
  known = false;
  return {};
}

// The reason a line does not count, or nothing when it counted (or is blank or a comment).
std::string ParseLine(const std::string& raw, int number, TSettings& settings, TKeyLines& keyLines) {
  const std::string line = Trim(raw);
  if (line.empty() || line[0] == '#' || line[0] == ';') return {};
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return "not a 'key = value' line: " + Quoted(line);
  const std::string name = Lower(Trim(line.substr(0, equals)));
  const std::string value = Trim(line.substr(equals + 1));
  for (const TSettingKey& key : kKeys) {
    if (name == key.name) return Apply(key, value, settings);
  }
  bool known = false;
  const std::string why = ApplyControl(name, value, number, settings, keyLines, known);
  return known ? why : "unknown setting " + Quoted(name);
}

// Another action of either player that has the same key as (player, a), or false.
bool FindDouble(const TControls& controls, int player, int a, int& otherPlayer, int& other) {
  const int code = KeyOf(controls.keys[player], kActions[a]);
  for (otherPlayer = 0; otherPlayer < 2; ++otherPlayer) {
    for (other = 0; other < kActionCount; ++other) {
      if (otherPlayer == player && other == a) continue;
      if (KeyOf(controls.keys[otherPlayer], kActions[other]) == code) return true;
    }
  }
  return false;
}

// A key the file gave to an action that another action has too goes back to its default,
// the later line first, until no key serves two actions (the defaults never do).
void UndoDoubledKeys(TSettings& settings, TKeyLines& lines, const std::function<void(int, std::string)>& note) {
  for (bool undone = true; undone;) {
    undone = false;
    for (int p = 0; p < 2 && !undone; ++p) {
      for (int a = 0; a < kActionCount && !undone; ++a) {
        int q = 0, b = 0;
        if (lines[p][a] == 0 || !FindDouble(settings.controls, p, a, q, b) || lines[q][b] > lines[p][a]) continue;
        const int code = KeyOf(settings.controls.keys[p], kActions[a]);
        SetKeyOf(settings.controls.keys[p], kActions[a], KeyOf(KeyCodesOf(p + 1), kActions[a]));
        note(lines[p][a], KeyName(code) + " already flies p" + std::to_string(q + 1) + "_" + ActionWord(kActions[b]) +
                              "; p" + std::to_string(p + 1) + "_" + ActionWord(kActions[a]) + " keeps its default");
        lines[p][a] = 0;
        undone = true;
      }
    }
  }
}

}  // namespace

void ParseSettings(const std::string& text, const std::string& fileName, TSettings& settings,
                   std::vector<std::string>& notes) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  int skipped = 0;
  const auto note = [&](int at, const std::string& why) {
    if (++skipped <= kMaxNotes) notes.push_back(fileName + ":" + std::to_string(at) + ": " + why);
  };
  TKeyLines keyLines{};
  while (std::getline(lines, line)) {
    ++number;
    const std::string why = ParseLine(line, number, settings, keyLines);
    if (!why.empty()) note(number, why + ", skipped");
  }
  UndoDoubledKeys(settings, keyLines, note);
  if (skipped > kMaxNotes) {
    notes.push_back(fileName + ": " + std::to_string(skipped - kMaxNotes) + " more lines skipped");
  }
}

std::string FormatSettings(const TSettings& settings) {
  std::ostringstream out;
  out << "# Velmora settings, written by the game when a setting changes.\n"
      << "# One 'key = value' a line; a line the game does not understand is skipped.\n"
      << "# Volumes: 0 to 255. fullscreen: yes (borderless, the desktop's size) or no (a window).\n"
      << "# ghosts: yes (race the ghost of your best run) or no.\n";
  for (const TSettingKey& key : kKeys) {
    out << key.name << " = ";
    if (key.kind == TKind::Flag) {
      out << (settings.*key.flag ? "yes" : "no");
    } else {
      out << settings.*key.number;
    }
    out << '\n';
  }
  out << "# Keys: a letter, a digit, SPACE, UP, DOWN, LEFT, RIGHT, or a name such as MINUS or COMMA.\n";
  for (int p = 0; p < 2; ++p) {
    const std::string prefix = "p" + std::to_string(p + 1) + "_";
    for (TAction action : kActions) {
      out << prefix << ActionWord(action) << " = " << KeyName(KeyOf(settings.controls.keys[p], action)) << '\n';
    }
    out << prefix << "invert_pitch = " << (settings.controls.invertPitch[p] ? "yes" : "no") << '\n';
  }
  char zone[32];
  const auto written = std::to_chars(zone, zone + sizeof zone, settings.controls.deadZone);
  out << "pad_dead_zone = " << std::string(zone, written.ptr) << '\n';
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
