// The generated set, read back from the files through the game's own decoders: every path
// the game loads, in the formats and shapes its loaders and alpha tests need.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "assets/Image.h"
#include "platform/Paths.h"
#include "tools/pictures/ControlsArt.h"
#include "tools/pictures/Generator.h"
#include "tools/pictures/RacePictures.h"
#include "tools/writers/ByteWriter.h"

namespace {

namespace fs = std::filesystem;

// Every picture path the game names, as it names it.
const char* const kMenuTgas[] = {
    "img/boutons/main/1Player/inactive.tga", "img/boutons/main/1Player/focus.tga",
    "img/boutons/main/1Player/active.tga", "img/boutons/main/2Players/inactive.tga",
    "img/boutons/main/2Players/focus.tga", "img/boutons/main/2Players/active.tga",
    "img/boutons/main/options/inactive.tga", "img/boutons/main/options/focus.tga",
    "img/boutons/main/options/active.tga", "img/boutons/main/Quit/inactive.tga",
    "img/boutons/main/Quit/focus.tga", "img/boutons/main/Quit/active.tga",
    "img/boutons/1Player/Time Attack/inactive.tga", "img/boutons/1Player/Time Attack/focus.tga",
    "img/boutons/1Player/scenario/inactive.tga", "img/boutons/1Player/scenario/focus.tga",
    "img/boutons/1Player/retour/inactive.tga", "img/boutons/1Player/retour/focus.tga",
    "img/boutons/2players/LAN/inactive.tga", "img/boutons/2players/LAN/active.tga",
    "img/boutons/2players/Local/inactive.tga", "img/boutons/2players/Local/active.tga",
    "img/boutons/2players/Retour/inactive.tga", "img/boutons/2players/Retour/active.tga",
    "img/boutons/options/effets/effets.tga", "img/boutons/options/effets/minus inactive.tga",
    "img/boutons/options/effets/minus active.tga", "img/boutons/options/effets/plus inactive.tga",
    "img/boutons/options/effets/plus active.tga", "img/boutons/options/musique/musique.tga",
    "img/boutons/options/musique/minus inactive.tga", "img/boutons/options/musique/minus active.tga",
    "img/boutons/options/musique/plus inactive.tga", "img/boutons/options/musique/plus active.tga",
    "img/boutons/options/charger/inactive.tga", "img/boutons/options/charger/active.tga",
    "img/boutons/options/retour/inactive.tga", "img/boutons/options/retour/active.tga",
    "img/charger/slot1/inactive.tga", "img/charger/slot1/active.tga", "img/charger/slot2/inactive.tga",
    "img/charger/slot2/active.tga", "img/charger/slot3/inactive.tga", "img/charger/slot3/active.tga",
    "img/charger/retour/active.tga", "img/charger/quickload/active.tga",
    "img/boutons/choice_track/left_arrow/inactive.tga", "img/boutons/choice_track/left_arrow/active.tga",
    "img/boutons/choice_track/right_arrow/inactive.tga", "img/boutons/choice_track/right_arrow/active.tga",
    "img/boutons/choice_track/ok/inactive.tga", "img/boutons/choice_track/ok/active.tga",
    "img/boutons/choice_track/retour/inactive.tga", "img/boutons/choice_track/retour/active.tga",
    "img/sauvegarder/continue.tga", "img/sauvegarder/backmenu.tga", "img/track_bckgrnd4.tga",
    "img/stencil_tovelu.tga", "img/boutons/options/controles/inactive.tga",
    "img/boutons/options/controles/active.tga", "img/charger/retour/focus.tga", "img/charger/quickload/focus.tga",
    "img/sauvegarder/continue_focus.tga", "img/sauvegarder/backmenu_focus.tga", "img/controls/slot/inactive.tga",
    "img/controls/slot/focus.tga", "img/controls/slot/active.tga", "img/controls/slot/waiting.tga",
    "img/controls/invert/off_inactive.tga", "img/controls/invert/off_focus.tga",
    "img/controls/invert/off_active.tga", "img/controls/invert/on_inactive.tga", "img/controls/invert/on_focus.tga",
    "img/controls/invert/on_active.tga", "img/controls/defaults/inactive.tga", "img/controls/defaults/focus.tga",
    "img/controls/defaults/active.tga", "img/controls/back/inactive.tga", "img/controls/back/focus.tga",
    "img/controls/back/active.tga"};

const char* const kBlendedTgas[] = {
    "img/timer.tga", "img/lanternes_score.tga", "img/gameOptions/img_sound.tga",
    "img/gameOptions/bouton_orange.tga", "img/gameOptions/volume.tga", "img/gameOptions/effets.tga",
    "img/gameOptions/bouton_retour.tga", "img/gameOptions/bouton_quitter.tga",
    "img/gameOptions/bouton_retour_focus.tga", "img/gameOptions/bouton_quitter_focus.tga",
    "img/gameOptions/dial_focus.tga",
    "img/win_lose/transition_win.tga", "img/win_lose/transition_lose.tga", "img/win_lose/win.tga",
    "img/win_lose/lose.tga", "img/win_lose/sakura_no_ame.tga"};

const char* const kJpegs[] = {
    "img/menu_bckgrnd.jpg", "img/1Player_bckgrnd.jpg", "img/2players_bckgrnd.jpg", "img/2Players_BckGrnd.jpg",
    "img/options_bckgrnd.jpg", "img/bckgrnd_load.jpg", "img/choiceTrack_BckGrnd.jpg", "img/chargement2.jpg",
    "img/BckGrnd_save.jpg", "img/controls_bckgrnd.jpg", "textures/herbe.jpg", "textures/papier sepia.jpg", "textures/texture_sky.jpg"};

const char* const kTrackNames[] = {"dunmarrow", "ridezi", "large", "lanterne", "test",
                                   "summer", "autumn", "winter", "final"};

class GeneratedPictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new fs::path(fs::temp_directory_path() / ("velmora_pictures_test_" + std::to_string(::getpid())));
    fs::remove_all(*root_);
    TPictureOutput out(root_->string(), false);
    DrawAllPictures(out);
    failures_ = out.Failures().size();
    written_ = out.Written().size();
  }
  static void TearDownTestSuite() {
    fs::remove_all(*root_);
    delete root_;
  }

  static std::string Path(const std::string& name) { return (*root_ / name).string(); }

  // Decoded by the game's loader code; fails the test when it cannot be.
  static TImage Load(const std::string& name) {
    const TDecodeResult result = DecodeImageFile(Path(name));
    EXPECT_TRUE(result.ok) << name << ": " << result.message;
    return result.image;
  }

  static TBytes Raw(const std::string& name) {
    TBytes bytes;
    EXPECT_TRUE(ReadFileBytes(Path(name), bytes)) << name;
    return bytes;
  }

  static fs::path* root_;
  static std::size_t failures_;
  static std::size_t written_;
};

fs::path* GeneratedPictures::root_ = nullptr;
std::size_t GeneratedPictures::failures_ = 0;
std::size_t GeneratedPictures::written_ = 0;

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Alpha of the picture at a point given as fractions of its width and height from the
// top-left corner (decoded images have the bottom row first).
int AlphaAt(const TImage& image, double fx, double fy) {
  const int x = std::min(image.width - 1, static_cast<int>(fx * image.width));
  const int y = std::min(image.height - 1, static_cast<int>(fy * image.height));
  return image.pixels[(static_cast<std::size_t>(image.height - 1 - y) * image.width + x) * 4 + 3];
}

const std::uint8_t* PixelAt(const TImage& image, int x, int yFromTop) {
  return &image.pixels[(static_cast<std::size_t>(image.height - 1 - yFromTop) * image.width + x) * image.channels];
}

double ShareOfPixelsThatDiffer(const TImage& a, const TImage& b) {
  if (a.pixels.size() != b.pixels.size()) return 1;
  std::size_t differ = 0;
  for (std::size_t i = 0; i < a.pixels.size(); i += 4)
    for (int c = 0; c < 4; ++c)
      if (std::abs(a.pixels[i + c] - b.pixels[i + c]) > 24) {
        ++differ;
        break;
      }
  return static_cast<double>(differ) / (a.pixels.size() / 4);
}

}  // namespace

TEST_F(GeneratedPictures, EveryPictureTheGameLoadsIsThereAndDecodes) {
  EXPECT_EQ(failures_, 0u);
  std::vector<std::string> names(std::begin(kMenuTgas), std::end(kMenuTgas));
  names.insert(names.end(), std::begin(kBlendedTgas), std::end(kBlendedTgas));
  names.insert(names.end(), std::begin(kJpegs), std::end(kJpegs));
  for (const char* folder : {"img/timer_numbers_/", "img/score_numbers_/"})
    for (int digit = 0; digit <= 9; ++digit) names.push_back(folder + std::to_string(digit) + ".tga");
  for (const char* track : kTrackNames)
    for (const char* kind : {"_ground.jpg", "_terrain.jpg", "_sky.jpg"})
      names.push_back(std::string("textures/") + track + kind);
  for (const std::string& name : names) {
    const TImage image = Load(name);
    EXPECT_TRUE(PowerOfTwo(image.width) && PowerOfTwo(image.height)) << name << " " << image.width << "x"
                                                                     << image.height;
  }
  EXPECT_GE(written_, names.size() - 1);  // the two spellings of the two-players picture are one file
}

TEST_F(GeneratedPictures, OverlayPicturesAreThirtyTwoBitTgasAndManyAreRunLengthEncoded) {
  std::vector<std::string> names(std::begin(kMenuTgas), std::end(kMenuTgas));
  names.insert(names.end(), std::begin(kBlendedTgas), std::end(kBlendedTgas));
  int rle = 0, raw = 0;
  for (const std::string& name : names) {
    const TBytes bytes = Raw(name);
    ASSERT_GE(bytes.size(), 18u) << name;
    EXPECT_EQ(bytes[1], 0) << name;   // no colour map
    EXPECT_EQ(bytes[16], 32) << name;  // alpha kept
    EXPECT_EQ(bytes[0], 0) << name;   // no image-ID field: the loader reads pixels from offset 18
    EXPECT_EQ(bytes[17] & 0x20, 0) << name;  // rows bottom first, as the loader uses them
    rle += bytes[2] == 10;
    raw += bytes[2] == 2;
  }
  EXPECT_GE(rle, 12);
  EXPECT_GE(raw, 1);
  EXPECT_EQ(rle + raw, static_cast<int>(names.size()));
}

TEST_F(GeneratedPictures, MenuShapesAreEitherOpaqueOrClearForTheAlphaTest) {
  for (const char* name : kMenuTgas) {
    const TImage image = Load(name);
    int opaque = 0;
    for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
      ASSERT_TRUE(image.pixels[i] == 0 || image.pixels[i] == 255) << name;
      opaque += image.pixels[i] == 255;
    }
    EXPECT_GT(opaque, static_cast<int>(image.pixels.size() / 4 / 10)) << name << " is almost empty";
  }
}

TEST_F(GeneratedPictures, ButtonStatesLookDifferent) {
  for (const char* button : {"1Player", "2Players", "options", "Quit"}) {
    const std::string folder = std::string("img/boutons/main/") + button + "/";
    const TImage inactive = Load(folder + "inactive.tga"), focus = Load(folder + "focus.tga"),
                 active = Load(folder + "active.tga");
    EXPECT_GT(ShareOfPixelsThatDiffer(inactive, focus), 0.2) << button;
    EXPECT_GT(ShareOfPixelsThatDiffer(inactive, active), 0.2) << button;
    EXPECT_GT(ShareOfPixelsThatDiffer(focus, active), 0.2) << button;
  }
  EXPECT_GT(ShareOfPixelsThatDiffer(Load("img/charger/slot1/inactive.tga"), Load("img/charger/slot1/active.tga")), 0.2);
  EXPECT_GT(ShareOfPixelsThatDiffer(Load("img/charger/slot1/active.tga"), Load("img/charger/slot2/active.tga")), 0.005);
}

// Where the mouse's pictures of a button are all one, the keys' focus has a picture of its
// own: it must be seen to differ, or a player on the keys would not know where they are.
TEST_F(GeneratedPictures, KeyFocusPicturesStandOutFromTheRestingLook) {
  const std::pair<const char*, const char*> pairs[] = {
      {"img/charger/retour/active.tga", "img/charger/retour/focus.tga"},
      {"img/charger/quickload/active.tga", "img/charger/quickload/focus.tga"},
      {"img/sauvegarder/continue.tga", "img/sauvegarder/continue_focus.tga"},
      {"img/sauvegarder/backmenu.tga", "img/sauvegarder/backmenu_focus.tga"},
      {"img/gameOptions/bouton_retour.tga", "img/gameOptions/bouton_retour_focus.tga"},
      {"img/gameOptions/bouton_quitter.tga", "img/gameOptions/bouton_quitter_focus.tga"},
      {"img/controls/slot/inactive.tga", "img/controls/slot/focus.tga"},
      {"img/controls/slot/focus.tga", "img/controls/slot/waiting.tga"},
      {"img/controls/invert/off_inactive.tga", "img/controls/invert/on_inactive.tga"},
      {"img/boutons/options/controles/inactive.tga", "img/boutons/options/controles/active.tga"}};
  for (const auto& [plain, focus] : pairs) EXPECT_GT(ShareOfPixelsThatDiffer(Load(plain), Load(focus)), 0.1) << focus;
}

// Every key a player may choose has its name drawn for the controls screen, and every
// sentence of its hint line is there; a name is not another's.
TEST_F(GeneratedPictures, TheControlsScreenHasEveryKeyNameAndHint) {
  for (int i = 0; i < kKeyNameCount; ++i) {
    const TImage cap = Load(std::string("img/controls/keys/") + kKeyNames[i] + ".tga");
    EXPECT_EQ(cap.channels, 4) << kKeyNames[i];
  }
  EXPECT_GT(ShareOfPixelsThatDiffer(Load("img/controls/keys/A.tga"), Load("img/controls/keys/B.tga")), 0.005);
  EXPECT_GT(ShareOfPixelsThatDiffer(Load("img/controls/keys/UP.tga"), Load("img/controls/keys/DOWN.tga")), 0.005);
  std::vector<std::string> hints = {"choose", "waiting", "kept", "reserved", "defaults"};
  for (const char* player : {"p1", "p2"})
    for (const char* action : {"left", "right", "nose_down", "nose_up", "thrust"})
      hints.push_back(std::string("taken_") + player + "_" + action);
  for (const std::string& hint : hints) EXPECT_EQ(Load("img/controls/hint/" + hint + ".tga").channels, 4) << hint;
  EXPECT_GT(ShareOfPixelsThatDiffer(Load("img/controls/hint/taken_p1_thrust.tga"),
                                    Load("img/controls/hint/taken_p2_thrust.tga")),
            0.001);
}

TEST_F(GeneratedPictures, TrackPanelIsOpenOverTheThumbnailAndFramesItsButtons) {
  const TImage panel = Load("img/track_bckgrnd4.tga");
  auto alpha = [&](double vx, double vy) { return AlphaAt(panel, vx / 800, vy / 600); };
  for (double vx = 440; vx <= 617; vx += 11)
    for (double vy = 243; vy <= 420; vy += 11) ASSERT_EQ(alpha(vx, vy), 0) << vx << "," << vy;
  EXPECT_EQ(alpha(432, 330), 255);  // the gold frame round the window
  EXPECT_EQ(alpha(528, 236), 255);
  EXPECT_EQ(alpha(340, 323), 255);  // behind the arrows, ok and back
  EXPECT_EQ(alpha(715, 323), 255);
  EXPECT_EQ(alpha(530, 520), 255);
  EXPECT_EQ(alpha(720, 540), 255);
  EXPECT_EQ(alpha(100, 400), 0);  // the chooser picture shows on the left
}

TEST_F(GeneratedPictures, IrisLogoCoversTheMiddleSeventhAndLeavesTheCornersOpen) {
  const TImage logo = Load("img/stencil_tovelu.tga");
  for (double f = 3.0 / 7; f <= 4.0 / 7; f += 1.0 / 70)
    for (double g = 3.0 / 7; g <= 4.0 / 7; g += 1.0 / 70) ASSERT_EQ(AlphaAt(logo, f, g), 255) << f << "," << g;
  EXPECT_EQ(AlphaAt(logo, 0.02, 0.02), 0);
  EXPECT_EQ(AlphaAt(logo, 0.98, 0.98), 0);
  EXPECT_EQ(AlphaAt(logo, 0.02, 0.98), 0);
  EXPECT_EQ(AlphaAt(logo, 0.98, 0.02), 0);
  int word = 0;  // the name below the sun
  for (double f = 0.25; f < 0.75; f += 0.01) word += AlphaAt(logo, f, 0.76) == 255;
  EXPECT_GT(word, 8);
  EXPECT_LT(word, 45);
}

TEST_F(GeneratedPictures, DigitsAreDistinctFiguresWithClearBorders) {
  for (const char* folder : {"img/timer_numbers_/", "img/score_numbers_/"}) {
    std::vector<TImage> digits;
    for (int d = 0; d <= 9; ++d) digits.push_back(Load(folder + std::to_string(d) + ".tga"));
    for (int d = 0; d <= 9; ++d) {
      const TImage& image = digits[d];
      for (double f = 0; f < 1; f += 0.05) {
        EXPECT_EQ(AlphaAt(image, f, 0), 0) << folder << d;
        EXPECT_EQ(AlphaAt(image, f, 0.999), 0) << folder << d;
        EXPECT_EQ(AlphaAt(image, 0, f), 0) << folder << d;
        EXPECT_EQ(AlphaAt(image, 0.999, f), 0) << folder << d;
      }
      EXPECT_EQ(AlphaAt(image, 0.5, 0.5) > 0 || AlphaAt(image, 0.42, 0.5) > 0 || d == 0, true) << folder << d;
      for (int e = 0; e < d; ++e) EXPECT_GT(ShareOfPixelsThatDiffer(image, digits[e]), 0.01) << folder << d << e;
    }
  }
}

TEST_F(GeneratedPictures, TerrainTilesJoinWithoutSeams) {
  std::vector<std::string> names{"textures/papier sepia.jpg"};
  for (const char* track : kTrackNames) names.push_back(std::string("textures/") + track + "_terrain.jpg");
  for (const std::string& name : names) {
    const TImage tile = Load(name);
    const int w = tile.width, h = tile.height;
    auto step = [&](int x0, int y0, int x1, int y1) {
      double sum = 0;
      for (int c = 0; c < 3; ++c) sum += std::abs(PixelAt(tile, x0, y0)[c] - PixelAt(tile, x1, y1)[c]);
      return sum;
    };
    double inside = 0, seamX = 0, seamY = 0;
    for (int i = 0; i < h; ++i) {
      seamX += step(w - 1, i, 0, i);
      seamY += step(i % w, h - 1, i % w, 0);
      inside += step(w / 2 - 1, i, w / 2, i);
    }
    EXPECT_LT(seamX, inside * 2 + 200) << name;
    EXPECT_LT(seamY, inside * 2 + 200) << name;
  }
}

TEST_F(GeneratedPictures, SkyFollowsTheSmallerCoordinateFromHazeToDeepSky) {
  std::vector<std::string> names{"textures/texture_sky.jpg"};
  for (const char* track : kTrackNames) names.push_back(std::string("textures/") + track + "_sky.jpg");
  for (const std::string& name : names) {
    const TImage sky = Load(name);
    const int n = sky.width;
    ASSERT_EQ(sky.height, n) << name;
    // Swapping u and v changes nothing: pixel (x, y) mirrors to (n - 1 - y, n - 1 - x).
    double asymmetry = 0;
    for (int i = 0; i < 200; ++i) {
      const int x = (i * 37) % n, y = (i * 91) % n;
      for (int c = 0; c < 3; ++c) asymmetry += std::abs(PixelAt(sky, x, y)[c] - PixelAt(sky, n - 1 - y, n - 1 - x)[c]);
    }
    EXPECT_LT(asymmetry / 600, 6) << name;
    // Along the left and bottom edges the same haze; far from them the deeper sky.
    const std::uint8_t* left = PixelAt(sky, 1, n / 2);
    const std::uint8_t* bottom = PixelAt(sky, n / 2, n - 2);
    const std::uint8_t* deep = PixelAt(sky, n - 2, 1);
    double edges = 0, depth = 0;
    for (int c = 0; c < 3; ++c) {
      edges += std::abs(left[c] - bottom[c]);
      depth += std::abs(left[c] - deep[c]);
    }
    EXPECT_LT(edges, 40) << name;
    EXPECT_GT(depth, 80) << name;
  }
}

TEST_F(GeneratedPictures, BothSpellingsOfTheTwoPlayersBackgroundReachOneFile) {
  EXPECT_EQ(ResolvePath(Path("img/2players_bckgrnd.jpg")), ResolvePath(Path("img/2Players_BckGrnd.jpg")));
  EXPECT_TRUE(fs::exists(Path("img/2Players_BckGrnd.jpg")));
}

TEST_F(GeneratedPictures, FullFacePicturesAreSquarePowersOfTwoAndOpaque) {
  for (const char* name : kJpegs) {
    if (std::string(name).rfind("img/", 0) != 0) continue;
    const TImage face = Load(name);
    EXPECT_EQ(face.width, 1024) << name;
    EXPECT_EQ(face.height, 1024) << name;
  }
  const TImage backdrop = Load("img/win_lose/sakura_no_ame.tga");
  for (std::size_t i = 3; i < backdrop.pixels.size(); i += 4) ASSERT_EQ(backdrop.pixels[i], 255);
}

namespace {

// Bounding box of the pixels with any alpha, as fractions of the picture (from the top).
void InkBox(const TImage& image, double& left, double& top, double& right, double& bottom) {
  int x0 = image.width, y0 = image.height, x1 = -1, y1 = -1;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (PixelAt(image, x, y)[3] > 0) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
  left = double(x0) / image.width;
  right = double(x1 + 1) / image.width;
  top = double(y0) / image.height;
  bottom = double(y1 + 1) / image.height;
}

double Brightness(const std::uint8_t* p) { return (p[0] + p[1] + p[2]) / 3.0; }

}  // namespace

// The race draws the HUD with its alpha test at 0.75: whatever should show must be above it.
TEST_F(GeneratedPictures, HudPanelsAreSolidEnoughForTheRacesAlphaTest) {
  const TImage timer = Load("img/timer.tga");
  for (double fx = 0.06; fx <= 0.94; fx += 0.02)
    for (double fy = 0.1; fy <= 0.9; fy += 0.05) ASSERT_GE(AlphaAt(timer, fx, fy), 192) << fx << "," << fy;
  EXPECT_EQ(AlphaAt(timer, 0.005, 0.005), 0);  // rounded corners
  // The digits' window (two 98 x 127 slots from (14, 50) of 444 x 249) is dark, and so is the
  // window the compass arrow turns over.
  const std::uint8_t* window = PixelAt(timer, timer.width * 63 / 444, timer.height * 113 / 249);
  EXPECT_LT(Brightness(window), 50);
  EXPECT_LT(Brightness(PixelAt(timer, timer.width * 300 / 444, timer.height * 100 / 249)), 60);
  const TImage lanterns = Load("img/lanternes_score.tga");
  for (int slot = 0; slot < 5; ++slot) {
    const double fx = (87.5 + 95 * slot) / 556;  // under each score digit
    EXPECT_EQ(AlphaAt(lanterns, fx, 107.5 / 206), 255) << slot;
    EXPECT_GT(Brightness(PixelAt(lanterns, int(fx * lanterns.width), lanterns.height * 107 / 206)), 120) << slot;
  }
  EXPECT_EQ(AlphaAt(lanterns, (87.5 + 47.5) / 556, 107.5 / 206), 0);  // open between two lanterns
}

TEST_F(GeneratedPictures, DigitsSitInTheMiddleOfTheirSlots) {
  for (const char* folder : {"img/timer_numbers_/", "img/score_numbers_/"})
    for (int d = 0; d <= 9; ++d) {
      double left, top, right, bottom;
      InkBox(Load(folder + std::to_string(d) + ".tga"), left, top, right, bottom);
      EXPECT_NEAR((left + right) / 2, 0.5, 0.04) << folder << d;
      EXPECT_NEAR((top + bottom) / 2, 0.5, 0.04) << folder << d;
      EXPECT_GT(bottom - top, 0.25) << folder << d;  // tall enough to read
    }
}

TEST_F(GeneratedPictures, DialShowsADarkRingWhereTheMouseDragsAndIsRound) {
  const TImage dial = Load("img/gameOptions/img_sound.tga");
  auto at = [&](double ux, double uy) {  // dial units, 373 across
    return PixelAt(dial, int(ux / 373 * dial.width), int(uy / 373 * dial.height));
  };
  const double cx = 187, cy = 186;
  for (int notch = 0; notch < 31; ++notch) {
    // Half-way between two notch sockets, on the ring.
    double x0, y0, x1, y1;
    DialNotchCentre(notch, x0, y0);
    DialNotchCentre(notch + 1, x1, y1);
    const double a = std::atan2((y0 + y1) / 2 - cy, (x0 + x1) / 2 - cx);
    const std::uint8_t* track = at(cx + 150 * std::cos(a), cy + 150 * std::sin(a));
    EXPECT_GT(track[3], 200) << notch;
    EXPECT_LT(Brightness(track), 40) << notch;
    EXPECT_GT(at(cx + 175 * std::cos(a), cy + 175 * std::sin(a))[3], 200) << notch;  // inside the gold rim
  }
  EXPECT_EQ(at(3, 3)[3], 0);
  EXPECT_EQ(at(370, 370)[3], 0);
  const TImage notch = Load("img/gameOptions/bouton_orange.tga");
  const std::uint8_t* middle = PixelAt(notch, notch.width / 2, notch.height / 2);
  EXPECT_EQ(middle[3], 255);
  EXPECT_GT(middle[0], 200);  // orange: much red, some green, little blue
  EXPECT_GT(middle[0], middle[2] + 80);
  EXPECT_EQ(PixelAt(notch, 0, 0)[3], 0);
}

TEST_F(GeneratedPictures, BackdropWrapsAroundSoItsTilesJoin) {
  const TImage backdrop = Load("img/win_lose/sakura_no_ame.tga");
  const int w = backdrop.width, h = backdrop.height;
  double seamX = 0, seamY = 0, inside = 0;
  for (int i = 0; i < h; ++i) {
    for (int c = 0; c < 3; ++c) {
      seamX += std::abs(PixelAt(backdrop, w - 1, i)[c] - PixelAt(backdrop, 0, i)[c]);
      inside += std::abs(PixelAt(backdrop, w / 2, i)[c] - PixelAt(backdrop, w / 2 + 1, i)[c]);
    }
  }
  for (int i = 0; i < w; ++i)
    for (int c = 0; c < 3; ++c) seamY += std::abs(PixelAt(backdrop, i, h - 1)[c] - PixelAt(backdrop, i, 0)[c]);
  EXPECT_LT(seamX, inside * 2.5 + 300);
  EXPECT_LT(seamY * h / w, inside * 2.5 + 300);
  EXPECT_GT(Brightness(PixelAt(backdrop, w / 3, h / 3)), 180);  // a pale ground under the result
}

TEST_F(GeneratedPictures, BannersAreSolidAcrossTheMiddleAndOpenAtTheCorners) {
  for (const char* name : {"img/win_lose/transition_win.tga", "img/win_lose/transition_lose.tga"}) {
    const TImage banner = Load(name);
    for (double fx = 0.12; fx <= 0.88; fx += 0.04) EXPECT_EQ(AlphaAt(banner, fx, 0.5), 255) << name << fx;
    EXPECT_EQ(AlphaAt(banner, 0.5, 0.02), 0) << name;
    EXPECT_EQ(AlphaAt(banner, 0.01, 0.02), 0) << name;
  }
  for (const char* name : {"img/win_lose/win.tga", "img/win_lose/lose.tga"}) {
    const TImage result = Load(name);
    EXPECT_EQ(AlphaAt(result, 0.5, 0.5), 255) << name;
    EXPECT_EQ(AlphaAt(result, 0.001, 0.001), 0) << name;
  }
  // The time-attack score is drawn in dark ink over the losing picture's bottom, centred 381
  // units down and from about 190 to 412 units across: that part must be light.
  const TImage lose = Load("img/win_lose/lose.tga");
  for (double ux = 190; ux <= 412; ux += 20) {
    const std::uint8_t* under = PixelAt(lose, int(ux / 517 * lose.width), int(381.0 / 412 * lose.height));
    EXPECT_EQ(under[3], 255) << ux;
    EXPECT_GT(Brightness(under), 190) << ux;
  }
}
