#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <stdexcept>

#include "modes/TrackFile.h"
#include "tests/TrackDataFixture.h"

namespace {

// A comma as decimal separator, as a French or German system would have it.
struct TCommaPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TRing MakeRing(double base) {
  TRing ring;
  ring.scale = 1.5;
  ring.origin = {base, base * 2.0 + 0.25, -base / 3.0};
  ring.rotation = {12.5, -97.25, 0.0};
  for (int p = 0; p < 16; ++p) ring.points.push_back({base + p, -p * 0.1, p * 1e-7});
  ring.caught = true;
  return ring;
}

TTrackData MakeTrack(int ringCount) {
  TTrackData data = TrackOverHeightmap("track_data/ridezi.bmp", 0.5, 110.0, 95);
  for (int k = 0; k < ringCount; ++k) data.rings.push_back(MakeRing(100.0 * (k + 1)));
  return data;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string JoinLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

// Runs the parser and returns the error message (empty when it read the text).
std::string ParseError(const std::string& text) {
  try {
    ParseTrackText(text, "track_data/bad.track");
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return {};
}

}  // namespace

TEST(TrackFileFormat, RealsTakeTheTwentyThreeCharacterForm) {
  EXPECT_EQ(FormatTrackReal(150.0), " 1.50000000000000E+0002");
  EXPECT_EQ(FormatTrackReal(static_cast<double>(0.3f)), " 3.00000011920929E-0001");
  EXPECT_EQ(FormatTrackReal(0.0), " 0.00000000000000E+0000");
  EXPECT_EQ(FormatTrackReal(-0.0), " 0.00000000000000E+0000");
  EXPECT_EQ(FormatTrackReal(-2.5), "-2.50000000000000E+0000");
  EXPECT_EQ(FormatTrackReal(1e-5), " 1.00000000000000E-0005");
  EXPECT_EQ(FormatTrackReal(123456789012345678.0), " 1.23456789012346E+0017");
  EXPECT_EQ(FormatTrackReal(9.9999999999999999e2), " 1.00000000000000E+0003");
  EXPECT_EQ(FormatTrackReal(-1.7976931348623157e308), "-1.79769313486232E+0308");
  EXPECT_EQ(FormatTrackReal(150.0).size(), 23u);
}

TEST(TrackFileFormat, NumbersConvertStrictlyWithADot) {
  double r = 0.0;
  EXPECT_TRUE(ParseTrackReal(" 1.50000000000000E+0002", r));
  EXPECT_EQ(r, 150.0);
  EXPECT_TRUE(ParseTrackReal("  -2.5e-1\t ", r));
  EXPECT_EQ(r, -0.25);
  EXPECT_TRUE(ParseTrackReal("+7", r));
  EXPECT_EQ(r, 7.0);
  for (const char* bad : {"", "   ", "1,5", "1.5x", "0x10", "--1", "+-1", "1 5", "e5"}) {
    EXPECT_FALSE(ParseTrackReal(bad, r)) << bad;
  }
  int i = 0;
  EXPECT_TRUE(ParseTrackInteger(" 12 ", i));
  EXPECT_EQ(i, 12);
  EXPECT_TRUE(ParseTrackInteger("-3", i));
  EXPECT_EQ(i, -3);
  for (const char* bad : {"", "1.5", "12a", "2147483648", "1e3", "$10"}) {
    EXPECT_FALSE(ParseTrackInteger(bad, i)) << bad;
  }
  EXPECT_TRUE(ParseTrackInteger("2147483647", i));
  EXPECT_EQ(i, 2147483647);
}

TEST(TrackFileFormat, WriterProducesTheExactLinesAndLayout) {
  TTrackData data = MakeTrack(1);
  data.terrain.material[0] = 0.3f;
  std::string text = FormatTrackFile("01", data);
  std::vector<std::string> lines = SplitCrLf(text);
  ASSERT_EQ(lines.size(), 47u + 60u);
  const std::vector<std::string> head = {
      "#name of the track", "01", "#path of the map", "track_data/ridezi.bmp", "#initial time", "95",
      "#Bg path", "sounds/Background01.mp3", "#accurcy of the map", " 5.00000000000000E-0001",
      "#size of one pixel of the bmp in the game", " 1.00000000000000E+0001",
      "#maximum height of the map", " 1.10000000000000E+0002", "#texture1 of the map",
      "textures/herbe.jpg", "#texture2 of the map", "textures/papier sepia.jpg", "#texture sky",
      "textures/texture_sky.jpg", "#material of the map", "#ambient", " 3.00000011920929E-0001"};
  for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << "line " << i + 1;
  EXPECT_EQ(lines[26], "#diffuse");
  EXPECT_EQ(lines[27], " 6.99999988079071E-0001");
  EXPECT_EQ(lines[31], "#specular");
  EXPECT_EQ(lines[36], "#emission");
  EXPECT_EQ(lines[41], "#shininess");
  EXPECT_EQ(lines[42], " 5.00000000000000E-0001");
  EXPECT_EQ(lines[43], "#number of rings");
  EXPECT_EQ(lines[44], "1");
  EXPECT_EQ(lines[45], "#array of rings");
  EXPECT_EQ(lines[46], "#ring 0");
  EXPECT_EQ(lines[47], "#scale");
  EXPECT_EQ(lines[48], " 1.50000000000000E+0000");
  EXPECT_EQ(lines[49], "#ring origin");
  EXPECT_EQ(lines[50], " 1.00000000000000E+0002");
  EXPECT_EQ(lines[53], "#ring rotation");
  EXPECT_EQ(lines[55], "-9.72500000000000E+0001");
  EXPECT_EQ(lines[57], "#ring BBox");
  EXPECT_EQ(lines[105], " 1.50000000000000E-0006");  // point 15's z
  EXPECT_EQ(lines[106], "#END OF FILE");
}

TEST(TrackFileFormat, WriterIgnoresTheProgramLocale) {
  TTrackData data = MakeTrack(2);
  std::string before = FormatTrackFile("x", data);
  std::locale previous = std::locale::global(std::locale(std::locale::classic(), new TCommaPunct));
  std::string during = FormatTrackFile("x", data);
  TTrackData back = ParseTrackText(during, "x.track");
  std::locale::global(previous);
  EXPECT_EQ(before, during);
  EXPECT_EQ(back.rings[1].origin.y, data.rings[1].origin.y);
}

TEST(TrackFileFormat, RoundTripKeepsEveryValueAndClearsCaughtFlags) {
  TTrackData data = MakeTrack(3);
  data.terrain.material = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f,
                           1.0f, 0.11f, 0.12f, 0.13f, 0.14f, 0.15f, 0.16f, 12.75f};
  data.rings[1].origin.x = 1.0 / 3.0;
  TTrackData back = ParseTrackText(FormatTrackFile("name", data), "t.track");
  EXPECT_EQ(back.heightmapPath, data.heightmapPath);
  EXPECT_EQ(back.terrain.heightmapPath, data.heightmapPath);
  EXPECT_EQ(back.initialTime, 95);
  EXPECT_EQ(back.musicPath, data.musicPath);
  EXPECT_EQ(back.terrain.accuracy, 0.5);
  EXPECT_EQ(back.terrain.maxHeight, 110.0);
  EXPECT_EQ(back.terrain.terrainTexturePath, "textures/papier sepia.jpg");
  EXPECT_EQ(back.terrain.material, data.terrain.material);  // the same singles
  ASSERT_EQ(back.rings.size(), 3u);
  EXPECT_EQ(back.rings[1].origin.x, 3.33333333333333e-1);  // nearest double to 15 digits
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_FALSE(back.rings[k].caught);
    EXPECT_EQ(back.rings[k].scale, 1.5);
    EXPECT_EQ(back.rings[k].rotation.y, -97.25);
    ASSERT_EQ(back.rings[k].points.size(), 16u);
    EXPECT_EQ(back.rings[k].points[15].x, data.rings[k].points[15].x);
    EXPECT_DOUBLE_EQ(back.rings[k].points[3].y, data.rings[k].points[3].y);
  }
  EXPECT_EQ(FormatTrackFile("name", back), FormatTrackFile("name", data));
}

TEST(TrackFileFormat, ReaderGoesByLinePositionOnly) {
  std::vector<std::string> lines = SplitCrLf(FormatTrackFile("n", MakeTrack(2)));
  TTrackData plain = ParseTrackText(JoinLf(lines), "a.track");
  std::vector<std::string> edited = lines;
  for (auto& line : edited) {
    if (!line.empty() && line[0] == '#') line = "# whatever";
  }
  edited.pop_back();  // no end line
  edited.push_back("trailing text");
  edited.push_back("more");
  TTrackData changed = ParseTrackText(JoinLf(edited), "a.track");
  EXPECT_EQ(FormatTrackFile("n", changed), FormatTrackFile("n", plain));
  ASSERT_EQ(changed.rings.size(), 2u);
  EXPECT_EQ(changed.rings[1].points[0].x, 200.0);
}

TEST(TrackFileFormat, NoRingsIsACourseWithoutRings) {
  std::string text = FormatTrackFile("empty", MakeTrack(0));
  EXPECT_NE(text.find("#number of rings\r\n0\r\n#array of rings\r\n#END OF FILE\r\n"),
            std::string::npos);
  TTrackData data = ParseTrackText(text, "e.track");
  EXPECT_TRUE(data.rings.empty());
  EXPECT_EQ(data.initialTime, 95);
}

TEST(TrackFileFormat, BadValuesNameTheFileAndTheLine) {
  std::vector<std::string> lines = SplitCrLf(FormatTrackFile("n", MakeTrack(1)));
  std::vector<std::string> comma = lines;
  comma[11] = "10,5";
  std::string error = ParseError(JoinLf(comma));
  EXPECT_NE(error.find("track_data/bad.track"), std::string::npos) << error;
  EXPECT_NE(error.find("line 12"), std::string::npos) << error;

  std::vector<std::string> negative = lines;
  negative[44] = "-1";
  EXPECT_NE(ParseError(JoinLf(negative)).find("line 45"), std::string::npos);

  std::vector<std::string> badTime = lines;
  badTime[5] = "ten";
  EXPECT_NE(ParseError(JoinLf(badTime)).find("line 6"), std::string::npos);

  // A file cut inside a ring: the first missing number is the error.
  std::vector<std::string> cut(lines.begin(), lines.begin() + 60);
  EXPECT_NE(ParseError(JoinLf(cut)).find("line 61"), std::string::npos);

  // Many rings announced but not there: an error, not a huge allocation.
  std::vector<std::string> huge = lines;
  huge[44] = "2147483647";
  EXPECT_NE(ParseError(JoinLf(huge)).find("line 109"), std::string::npos);

  EXPECT_NE(ParseError("").find("line 6"), std::string::npos);
}

TEST(TrackFileFormat, FilesAreWrittenAndReadThroughThinWrappers) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / "velmora_trackfile_test";
  fs::remove_all(dir);
  std::string path = (dir / "track_data" / "01.track").string();
  TTrackData data = MakeTrack(2);
  WriteTrackFile("01", path, data);
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), FormatTrackFile("01", data));
  WriteTrackFile("01", path, MakeTrack(0));  // replaces
  EXPECT_TRUE(ReadTrackFile(path).rings.empty());
  try {
    ReadTrackFile((dir / "missing.track").string());
    ADD_FAILURE() << "a missing file must not read";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("missing.track"), std::string::npos);
  }
  fs::remove_all(dir);
}
