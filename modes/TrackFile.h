// The ".track" description of a race: heightmap, terrain values, time allowed, music and
// rings, one value a line. The reader goes by line position and ignores the naming lines;
// the writer produces the exact bytes the game has always written (CR LF, reals in the
// 23-character scientific form), whatever the locale.
#pragma once

#include <string>

#include "assets/Utype.h"
#include "saves/SlotWriter.h"

struct TTrackData {
  std::string heightmapPath;
  int initialTime = 0;
  std::string musicPath;
  // Heightmap path, accuracy, cell size, maximum height, texture paths and material;
  // the samples and texture names are filled later by the terrain.
  t_rain terrain;
  TRing_tab rings;  // caught flags clear
};

// Reads a track from its text. `fileName` only names the file in error messages.
// A value line that does not convert (NaN and infinities included), a cell size not
// above 0, or a negative ring count, throws std::runtime_error naming the file and the
// line. Missing lines read as empty.
TTrackData ParseTrackText(const std::string& text, const std::string& fileName);

// Reads the file (content paths resolved as everywhere in the game, the player's copy of a
// file the game wrote before the content's). A file that cannot be read, or does not
// convert, throws std::runtime_error naming the file.
TTrackData ReadTrackFile(const std::string& path);

// The whole file as written, CR LF line ends. The heightmap path written is the
// terrain's when it has one, else `data.heightmapPath`.
std::string FormatTrackFile(const std::string& trackName, const TTrackData& data);

// Creates or replaces the file whole (a temporary file renamed over it), in the player's
// folder when one is set (WritePath); throws std::runtime_error naming it when it cannot.
// stopAfter, for tests, ends the write just after that step as a crash there would,
// without an error.
void WriteTrackFile(const std::string& trackName, const std::string& path, const TTrackData& data,
                    TWriteStep stopAfter = TWriteStep::None);

// Number forms of the file, exposed for the tools and tests that build tracks.
// " 1.50000000000000E+0002": sign position, 15 significant digits, 4 exponent digits.
std::string FormatTrackReal(double value);
// Strict conversions: "." as decimal separator, blanks around allowed, nothing else;
// a real must be finite.
bool ParseTrackReal(const std::string& text, double& value);
bool ParseTrackInteger(const std::string& text, int& value);
