// The story films' drawing in a real OpenGL context: the words' textures, the scene
// with and without its terrain, and the mid-time picture written out.
#include <GL/gl.h>
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>
#include <vector>

#include "cutscene/FilmPlan.h"
#include "cutscene/FilmScene.h"
#include "cutscene/FilmTrack.h"
#include "cutscene/Screenshot.h"
#include "cutscene/TitleCards.h"
#include "modes/TrackFile.h"
#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"

namespace fs = std::filesystem;

namespace {

// A folder of its own as the working folder for one test, the run folder restored after.
class TFilmFolder {
 public:
  explicit TFilmFolder(const std::string& name)
      : previous_(fs::current_path()),
        folder_(fs::temp_directory_path() / ("velmora-film-" + name + "-" + std::to_string(::getpid()))) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::current_path(folder_);
  }
  ~TFilmFolder() {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }
  TFilmFolder(const TFilmFolder&) = delete;
  TFilmFolder& operator=(const TFilmFolder&) = delete;
  const fs::path& Path() const { return folder_; }

 private:
  fs::path previous_;
  fs::path folder_;
};

// A square heightmap of one round hill in the middle, 24 bits.
void WriteHillMap(const std::string& path, int side) {
  TImage image = MakeSolidImage(side, side, {0, 0, 0});
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double d = std::hypot(x - side / 2.0, y - side / 2.0) / (side / 2.0);
      const auto h = static_cast<std::uint8_t>(std::clamp(220.0 * (1.0 - d), 10.0, 255.0));
      std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * side + x) * 3];
      p[0] = p[1] = p[2] = h;
    }
  }
  ASSERT_TRUE(WriteBmp24(path, image));
}

int Brightness(TRgb c) { return std::max({c.r, c.g, c.b}); }

// The brightest pixel of a row, counted from the top.
int BrightestInRow(int y) {
  int best = 0;
  for (int x = 0; x < 1024; x += 4) best = std::max(best, Brightness(ReadPixelTopLeft(x, y)));
  return best;
}

int BrightestInRows(int top, int bottom) {
  int best = 0;
  for (int y = top; y <= bottom; y += 6) best = std::max(best, BrightestInRow(y));
  return best;
}

}  // namespace

TEST(CutsceneTitles, CairoPixelsBecomePremultipliedRgbaBottomRowFirst) {
  // Two rows of two native-endian ARGB words: top row red then half-transparent green.
  const std::uint32_t words[4] = {0xFFFF0000u, 0x80008000u, 0xFF0000FFu, 0x00000000u};
  const auto pixels = CairoToGlPixels(reinterpret_cast<const unsigned char*>(words), 8, 2, 2);
  ASSERT_EQ(pixels.size(), 16u);
  const std::vector<std::uint8_t> bottomRow = {0, 0, 255, 255, 0, 0, 0, 0};
  const std::vector<std::uint8_t> topRow = {255, 0, 0, 255, 0, 128, 0, 128};
  EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin(), pixels.begin() + 8), bottomRow);
  EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin() + 8, pixels.end()), topRow);
}

TEST(CutsceneTitles, WordsBecomeSharpTexturesTheSizeOfAPowerOfTwo) {
  FreshGlPlatform();
  const TTextTexture title = MakeTextTexture("Summer", TTextStyle::Title, 768);
  ASSERT_TRUE(title.texture);
  EXPECT_EQ(title.width & (title.width - 1), 0);
  EXPECT_EQ(title.height & (title.height - 1), 0);
  EXPECT_GT(title.inkWidth, 200);  // letters about a hundred pixels high
  EXPECT_LT(title.inkWidth, title.width);
  const TTextTexture line = MakeTextTexture("Chapter one", TTextStyle::Subtitle, 768);
  EXPECT_LT(line.height, title.height);
  EXPECT_FALSE(MakeTextTexture("", TTextStyle::Title, 768).texture);
  // A bigger screen gets bigger letters.
  EXPECT_GT(MakeTextTexture("Summer", TTextStyle::Title, 1536).inkWidth, title.inkWidth);
}

// No terrain, no track, no music: black behind the title, and black again at the ends.
TEST(CutsceneScene, WithoutContentItShowsItsTitleOnBlack) {
  FreshGlPlatform();
  TFilmFolder folder("empty");
  const TFilmPlan plan = *FilmPlanFor(3);
  const TFilmTrack track = LoadFilmTrack(plan);
  TFilmScene scene(plan, track, 2.0, 1024, 768);
  EXPECT_FALSE(scene.HasTerrain());
  scene.Draw(1.0);
  EXPECT_GT(BrightestInRows(300, 330), 200);  // the title's letters
  EXPECT_EQ(Brightness(ReadPixelTopLeft(40, 700)), 0);
  scene.Draw(0.0);
  EXPECT_EQ(BrightestInRows(300, 330), 0);
  scene.Draw(2.0);
  EXPECT_EQ(BrightestInRows(300, 330), 0);
}

// A season with its own track file: the grid thinned for the film, the terrain drawn
// under a sky, the cinema bars black.
TEST(CutsceneScene, FliesOverTheSeasonsTerrainUnderItsSky) {
  FreshGlPlatform();
  TFilmFolder folder("final");
  WriteHillMap("screenplay_data/final/final.bmp", 384);
  TTrackData data;
  data.heightmapPath = "screenplay_data/final/final.bmp";
  data.initialTime = 30;
  data.musicPath = "sounds/hills.mp3";
  data.terrain.heightmapPath = data.heightmapPath;
  data.terrain.accuracy = 0.5;
  data.terrain.cellSize = 20.0;
  data.terrain.maxHeight = 300.0;
  WriteTrackFile("final", "screenplay_data/final/final.track", data);

  const TFilmPlan plan = *FilmPlanFor(4);
  const TFilmTrack track = LoadFilmTrack(plan);
  ASSERT_TRUE(track.fromTrackFile) << track.problem;
  EXPECT_EQ(track.musicPath, "sounds/hills.mp3");
  EXPECT_DOUBLE_EQ(track.terrain.accuracy, 0.2);
  EXPECT_DOUBLE_EQ(track.terrain.cellSize, 50.0);

  TFilmScene scene(plan, track, 40.0, 1024, 768);
  ASSERT_TRUE(scene.HasTerrain());
  scene.Draw(20.0);
  EXPECT_EQ(Brightness(ReadPixelTopLeft(512, 10)), 0);   // the bar above
  EXPECT_EQ(Brightness(ReadPixelTopLeft(512, 760)), 0);  // and below
  const TRgb sky = ReadPixelTopLeft(512, 80);
  EXPECT_GT(Brightness(sky), 60);
  EXPECT_GT(sky.b, sky.g);  // the final season's violet air
  EXPECT_GT(Brightness(ReadPixelTopLeft(512, 600)), 40);  // ground, not black
}

TEST(CutsceneScene, TheMidTimePictureIsWrittenAsPng) {
  FreshGlPlatform();
  TFilmFolder folder("shot");
  const TFilmPlan plan = *FilmPlanFor(1);
  TFilmScene scene(plan, LoadFilmTrack(plan), 2.0, 1024, 768);
  scene.Draw(1.0);
  const std::string path = (folder.Path() / "shot.png").string();
  ASSERT_TRUE(WriteFrameAsPng(path, 1024, 768));
  cairo_surface_t* picture = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(picture), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(picture), 1024);
  EXPECT_EQ(cairo_image_surface_get_height(picture), 768);
  // The brightest pixel of the title's rows is the same in the file as on the screen.
  const unsigned char* data = cairo_image_surface_get_data(picture);
  const int stride = cairo_image_surface_get_stride(picture);
  int brightest = 0;
  for (int y = 300; y <= 330; y += 6) {
    for (int x = 0; x < 1024; x += 4) {
      const auto word = *reinterpret_cast<const std::uint32_t*>(data + y * stride + 4 * x);
      brightest = std::max({brightest, int((word >> 16) & 255), int((word >> 8) & 255), int(word & 255)});
    }
  }
  EXPECT_EQ(brightest, BrightestInRows(300, 330));
  cairo_surface_destroy(picture);
  EXPECT_FALSE(WriteFrameAsPng((folder.Path() / "no/such/folder/shot.png").string(), 1024, 768));
}

// A film's words are textures of their own, given back with the words, so a scene built
// twice in one context holds no stale letters.
TEST(CutsceneTitles, WordsGiveTheirTextureBackWhenTheyGo) {
  FreshGlPlatform();
  GLuint name = 0;
  {
    TTextTexture title = MakeTextTexture("Winter", TTextStyle::Title, 768);
    name = title.texture.Id();
    ASSERT_TRUE(glIsTexture(name));
    // Moved into a card list, the words keep their one texture.
    std::vector<TTextTexture> cards;
    cards.push_back(std::move(title));
    EXPECT_EQ(cards.front().texture.Id(), name);
    EXPECT_TRUE(glIsTexture(name));
  }
  EXPECT_FALSE(glIsTexture(name));
}
