#include "modes/TrackFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/Paths.h"
#include "platform/PlayerFiles.h"
#include "saves/SlotWriter.h"

namespace {

constexpr int kPointsPerRing = 16;
constexpr long long kLinesPerRing = 60;
constexpr long long kFirstRingLine = 47;

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlankChar(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankChar(text.back())) text.remove_suffix(1);
  return text;
}

// A leading '+' is a sign the number may carry; from_chars only knows '-'.
std::string_view DropPlus(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
    text.remove_prefix(1);
  }
  return text;
}

// The file's lines, LF or CR LF; lines past the end read as empty.
class TLines {
 public:
  TLines(const std::string& text, const std::string& fileName) : fileName_(fileName) {
    std::string_view rest(text);
    while (!rest.empty()) {
      std::size_t end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
  }

  std::string Text(long long number) const {
    if (number < 1 || number > static_cast<long long>(lines_.size())) return {};
    return std::string(lines_[static_cast<std::size_t>(number - 1)]);
  }

  double Real(long long number) const {
    double value = 0.0;
    if (!ParseTrackReal(Text(number), value)) Fail(number, "is not a real number");
    return value;
  }

  int Integer(long long number) const {
    int value = 0;
    if (!ParseTrackInteger(Text(number), value)) Fail(number, "is not an integer");
    return value;
  }

  T_point Point(long long first) const { return {Real(first), Real(first + 1), Real(first + 2)}; }

  [[noreturn]] void Fail(long long number, const std::string& what) const {
    std::string shown = Text(number);
    if (shown.size() > 40) shown = shown.substr(0, 40) + "...";
    throw std::runtime_error("Track file \"" + fileName_ + "\", line " + std::to_string(number) +
                             ": \"" + shown + "\" " + what);
  }

 private:
  std::string fileName_;
  std::vector<std::string_view> lines_;
};

TRing ReadRing(const TLines& lines, long long first) {
  TRing ring;
  ring.scale = lines.Real(first + 2);
  ring.origin = lines.Point(first + 4);
  ring.rotation = lines.Point(first + 8);
  ring.points.resize(kPointsPerRing);
  for (int p = 0; p < kPointsPerRing; ++p) ring.points[p] = lines.Point(first + 12 + 3 * p);
  return ring;
}

// Material values are kept in single precision: a real beyond its range would become an
// infinity, which the writer could not write back as a number.
float MaterialValue(const TLines& lines, long long number) {
  const double value = lines.Real(number);
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
    lines.Fail(number, "is out of range for a material value");
  }
  return static_cast<float>(value);
}

void ReadMaterial(const TLines& lines, T_material& material) {
  for (int group = 0; group < 4; ++group) {
    for (int v = 0; v < 4; ++v) material[group * 4 + v] = MaterialValue(lines, 23 + group * 5 + v);
  }
  material[16] = MaterialValue(lines, 43);
}

class TWriter {
 public:
  void Line(const std::string& text) {
    out_ += text;
    out_ += "\r\n";
  }
  void Real(double value) { Line(FormatTrackReal(value)); }
  void Point(const T_point& p) {
    Real(p.x);
    Real(p.y);
    Real(p.z);
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

void WriteMaterial(TWriter& w, const T_material& material) {
  static const char* const kGroups[4] = {"#ambient", "#diffuse", "#specular", "#emission"};
  w.Line("#material of the map");
  for (int group = 0; group < 4; ++group) {
    w.Line(kGroups[group]);
    for (int v = 0; v < 4; ++v) w.Real(static_cast<double>(material[group * 4 + v]));
  }
  w.Line("#shininess");
  w.Real(static_cast<double>(material[16]));
}

void WriteTerrain(TWriter& w, const t_rain& t) {
  w.Line("#accurcy of the map");
  w.Real(t.accuracy);
  w.Line("#size of one pixel of the bmp in the game");
  w.Real(t.cellSize);
  w.Line("#maximum height of the map");
  w.Real(t.maxHeight);
  w.Line("#texture1 of the map");
  w.Line(t.groundTexturePath);
  w.Line("#texture2 of the map");
  w.Line(t.terrainTexturePath);
  w.Line("#texture sky");
  w.Line(t.skyTexturePath);
  WriteMaterial(w, t.material);
}

// A ring always takes 60 lines, so a ring short of points is completed with the origin
// of the world rather than breaking the layout of the rings after it.
void WriteRing(TWriter& w, const TRing& ring, std::size_t index) {
  w.Line("#ring " + std::to_string(index));
  w.Line("#scale");
  w.Real(ring.scale);
  w.Line("#ring origin");
  w.Point(ring.origin);
  w.Line("#ring rotation");
  w.Point(ring.rotation);
  w.Line("#ring BBox");
  for (std::size_t p = 0; p < kPointsPerRing; ++p) {
    w.Point(p < ring.points.size() ? ring.points[p] : T_point{});
  }
}

}  // namespace

std::string FormatTrackReal(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0.0) value = 0.0;  // no sign for a negative zero
  char digits[64];
  auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 14);
  std::string_view text(digits, static_cast<std::size_t>(result.ptr - digits));
  bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::size_t e = text.find('e');
  std::string_view mantissa = text.substr(0, e);
  char expSign = text[e + 1];
  std::string_view expDigits = text.substr(e + 2);
  std::string out(negative ? "-" : " ");
  out += mantissa;
  out += 'E';
  out += expSign;
  out.append(4 - std::min<std::size_t>(4, expDigits.size()), '0');
  out += expDigits;
  return out;
}

bool ParseTrackReal(const std::string& text, double& value) {
  std::string_view t = DropPlus(TrimBlanks(text));
  if (t.empty()) return false;
  double parsed = 0.0;
  auto result = std::from_chars(t.data(), t.data() + t.size(), parsed, std::chars_format::general);
  if (result.ec != std::errc() || result.ptr != t.data() + t.size()) return false;
  // "nan", "inf" and "-Infinity" convert, but no value of a race means anything as one:
  // a NaN cell size or ring origin gives a race that looks normal and cannot be won.
  if (!std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool ParseTrackInteger(const std::string& text, int& value) {
  std::string_view t = DropPlus(TrimBlanks(text));
  if (t.empty()) return false;
  int parsed = 0;
  auto result = std::from_chars(t.data(), t.data() + t.size(), parsed, 10);
  if (result.ec != std::errc() || result.ptr != t.data() + t.size()) return false;
  value = parsed;
  return true;
}

TTrackData ParseTrackText(const std::string& text, const std::string& fileName) {
  TLines lines(text, fileName);
  TTrackData data;
  data.heightmapPath = lines.Text(4);
  data.initialTime = lines.Integer(6);
  data.musicPath = lines.Text(8);
  t_rain& t = data.terrain;
  t.heightmapPath = data.heightmapPath;
  t.accuracy = lines.Real(10);
  t.cellSize = lines.Real(12);
  // No cell size below this makes a terrain: every sample would stand in one point.
  if (!(t.cellSize > 0.0)) lines.Fail(12, "is not a cell size greater than 0");
  t.maxHeight = lines.Real(14);
  t.groundTexturePath = lines.Text(16);
  t.terrainTexturePath = lines.Text(18);
  t.skyTexturePath = lines.Text(20);
  ReadMaterial(lines, t.material);
  int count = lines.Integer(45);
  if (count < 0) lines.Fail(45, "is a negative number of rings");
  for (long long k = 0; k < count; ++k) {
    data.rings.push_back(ReadRing(lines, kFirstRingLine + kLinesPerRing * k));
  }
  return data;
}

TTrackData ReadTrackFile(const std::string& path) {
  std::string text;
  // A course the game wrote itself ("track_data/01.track") is the player's copy when one exists.
  if (!ReadFileText(ReadPath(path), text)) {
    throw std::runtime_error("Track file \"" + path + "\" cannot be read");
  }
  return ParseTrackText(text, path);
}

std::string FormatTrackFile(const std::string& trackName, const TTrackData& data) {
  const t_rain& t = data.terrain;
  TWriter w;
  w.Line("#name of the track");
  w.Line(trackName);
  w.Line("#path of the map");
  w.Line(t.heightmapPath.empty() ? data.heightmapPath : t.heightmapPath);
  w.Line("#initial time");
  w.Line(std::to_string(data.initialTime));
  w.Line("#Bg path");
  w.Line(data.musicPath);
  WriteTerrain(w, t);
  w.Line("#number of rings");
  w.Line(std::to_string(data.rings.size()));
  w.Line("#array of rings");
  for (std::size_t k = 0; k < data.rings.size(); ++k) WriteRing(w, data.rings[k], k);
  w.Line("#END OF FILE");
  return w.Take();
}

void WriteTrackFile(const std::string& trackName, const std::string& path, const TTrackData& data,
                    TWriteStep stopAfter) {
  namespace fs = std::filesystem;
  // The content beside the program is only read: what the game writes goes to the player.
  fs::path target(WritePath(path));
  std::error_code error;
  if (target.has_parent_path()) {
    fs::path folder = ResolvePath(target.parent_path().string());
    fs::create_directories(folder, error);
    target = folder / target.filename();
  }
  // Through a temporary file and a rename, as the save slots: a kill or a full disk in
  // the middle leaves the previous track whole rather than a cut file the menu calls broken.
  std::string reason;
  if (!ReplaceFileSafely(target.string(), FormatTrackFile(trackName, data), reason, stopAfter) &&
      stopAfter == TWriteStep::None) {
    throw std::runtime_error("Track file \"" + path + "\" cannot be written: " + reason);
  }
}
