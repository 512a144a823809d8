// Track files that would give a race nobody can win are refused with the file and the
// line, and the generated track is replaced whole or not at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tests/FixtureFolder.h"
#include "modes/TrackFile.h"

namespace {

TTrackData OneRingTrack(double scale) {
  TTrackData data;
  data.heightmapPath = "track_data/test.bmp";
  data.initialTime = 60;
  data.musicPath = "sounds/Background01.mp3";
  data.terrain.heightmapPath = data.heightmapPath;
  data.terrain.accuracy = 1.0;
  data.terrain.cellSize = 10.0;
  data.terrain.maxHeight = 100.0;
  TRing ring;
  ring.scale = scale;
  ring.points.assign(16, T_point{1.0, 2.0, 3.0});
  data.rings.push_back(ring);
  return data;
}

// The text with line `number` (1-based) replaced.
std::string WithLine(int number, const std::string& value) {
  std::istringstream in(FormatTrackFile("t", OneRingTrack(1.5)));
  std::string line, text;
  for (int n = 1; std::getline(in, line); ++n) text += (n == number ? value : line) + "\n";
  return text;
}

std::string ParseError(const std::string& text) {
  try {
    ParseTrackText(text, "track_data/odd.track");
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return {};
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(TrackFileSafety, NonFiniteRealsAreRefusedWithTheFileAndLine) {
  // Line 14 is the maximum height, 51 ring 0's origin x, 106 its last bounding coordinate,
  // 23 the first material value.
  for (int line : {14, 23, 49, 51, 55, 106}) {
    for (const char* value : {"nan", "NaN", "inf", "-Infinity", " +inf ", "-nan", "1e999"}) {
      const std::string error = ParseError(WithLine(line, value));
      EXPECT_NE(error.find("track_data/odd.track"), std::string::npos) << line << " " << value;
      EXPECT_NE(error.find("line " + std::to_string(line) + ":"), std::string::npos)
          << line << " " << value << ": " << error;
    }
  }
  double value = 0.0;
  EXPECT_FALSE(ParseTrackReal("infinity", value));
  EXPECT_TRUE(ParseTrackReal(" 1.79769313486231E+0308", value));  // the largest still reads
  EXPECT_TRUE(ParseTrackReal("-4.9e-324", value));
}

TEST(TrackFileSafety, MaterialValuesMustFitSinglePrecision) {
  // 1e100 is a finite double but no single: kept, it would be an infinity in the material.
  for (int line : {23, 31, 41, 43}) {
    const std::string error = ParseError(WithLine(line, " 1.00000000000000E+0100"));
    EXPECT_NE(error.find("track_data/odd.track\", line " + std::to_string(line) + ":"), std::string::npos)
        << line << ": " << error;
  }
  const TTrackData read = ParseTrackText(WithLine(23, "-3.0e38"), "x.track");
  EXPECT_EQ(read.terrain.material[0], -3.0e38f);
  EXPECT_EQ(ParseTrackText(FormatTrackFile("t", read), "y.track").terrain.material[0], -3.0e38f);
}

TEST(TrackFileSafety, CellSizeMustBeAboveZero) {
  for (const char* value : {"0", "-0", "0.0E+0000", "-10", "nan"}) {
    const std::string error = ParseError(WithLine(12, value));
    EXPECT_NE(error.find("track_data/odd.track\", line 12:"), std::string::npos) << value << ": " << error;
  }
  EXPECT_EQ(ParseTrackText(WithLine(12, "1e-3"), "x.track").terrain.cellSize, 1e-3);
}

TEST(TrackFileSafety, RewritingReplacesTheFileInsteadOfCuttingIt) {
  TFixtureFolder dir;
  const std::string path = dir / "track_data/01.track";
  WriteTrackFile("01", path, OneRingTrack(1.5));
  const std::string old = Contents(path);
  // A second name for the old file sees what a reader holding it open would: a rewrite in
  // place would change it under the reader, a replacement leaves it whole.
  const std::string other = dir / "held.track";
  ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
  WriteTrackFile("01", path, OneRingTrack(2.5));
  EXPECT_EQ(Contents(other), old);
  EXPECT_EQ(Contents(path), FormatTrackFile("01", OneRingTrack(2.5)));
}

TEST(TrackFileSafety, CrashAtAnyStepOfAWriteLeavesAReadableTrack) {
  for (int step = 1; step <= kWriteSteps; ++step) {
    TFixtureFolder dir;
    const std::string path = dir / "track_data/01.track";
    WriteTrackFile("01", path, OneRingTrack(1.5));
    WriteTrackFile("01", path, OneRingTrack(2.5), static_cast<TWriteStep>(step));
    const TTrackData read = ReadTrackFile(path);
    ASSERT_EQ(read.rings.size(), 1u) << "step " << step;
    EXPECT_EQ(read.rings[0].scale, step < kWriteSteps ? 1.5 : 2.5) << "step " << step;
    // The next run writes over whatever the crash left.
    WriteTrackFile("01", path, OneRingTrack(3.5));
    EXPECT_EQ(ReadTrackFile(path).rings[0].scale, 3.5);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "track_data")) {
      (void)entry;
      ++files;
    }
    EXPECT_EQ(files, 1u) << "step " << step << ": a temporary file was left";
  }
}
