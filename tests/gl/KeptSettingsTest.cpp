// The volumes the player chooses are the settings kept for the next start: the menu's rows
// write the settings file at each click and the next menu starts from them; the race
// overlay's dials are written once, as the overlay is left, within the file's range.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "frontend/MenuTables.h"
#include "frontend/UGameOptions.h"
#include "frontend/Umenu.h"
#include "saves/SettingsStore.h"
#include "tests/gl/GlTestSupport.h"

namespace fs = std::filesystem;

namespace {

// A settings file in a folder of the test's own, unset again after the test.
struct KeptSettingsTest : ::testing::Test {
  const fs::path folder = fs::temp_directory_path() / ("velmora-kept-" + std::to_string(getpid()));
  const std::string file = (folder / "velmora/settings.ini").string();
  TScriptedGlPlatform& platform = FreshGlPlatform();

  void SetUp() override { SetSettingsFile(file); }
  void TearDown() override {
    SetSettingsFile("");
    CurrentSettings() = TSettings{};
    fs::remove_all(folder);
  }
  std::string FileText() const {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool FileSays(const std::string& line) const {
    return FileText().find("\n" + line + "\n") != std::string::npos;
  }
  // A click, then frames enough for the transition it starts (a turn takes 90 frames).
  void Click(std::span<const TButtonLayout> (*screen)(), int button, int frames = 100) {
    const TButtonLayout& b = screen()[static_cast<std::size_t>(button)];
    platform.QueueClick(PixelX(b.x + b.width / 2), PixelY(b.y + b.height / 2));
    platform.QueueIdle(frames);
  }
};

constexpr double kPi = 3.14159265358979323846;

// A point on the music dial's ring, `clockwise` degrees from 9 o'clock, in window pixels.
std::string DialFrame(TGameOptions& options, int& music, int& effects, double clockwise,
                      bool down) {
  const double a = (clockwise + 180.0) * kPi / 180.0;
  const int x = static_cast<int>(std::lround(256 + 192 * std::cos(a)));
  const int y = static_cast<int>(std::lround(384 + 192 * std::sin(a)));
  GlPlatform().input = TInputState{{}, x, y, down};
  std::string result;
  options.DrawOptions(music, effects, result);
  return result;
}

}  // namespace

TEST_F(KeptSettingsTest, TheMenusVolumeRowsAreWrittenAtOnceAndTheNextMenuStartsFromThem) {
  TMenu menu(1024, 768);
  EXPECT_EQ(menu.MusicVolume(), 255);
  Click(MainButtonLayouts, 2);     // options
  Click(OptionsButtonLayouts, 1, 2);  // music down: no transition
  Click(OptionsButtonLayouts, 1, 2);
  Click(OptionsButtonLayouts, 4, 2);  // effects off
  Click(OptionsButtonLayouts, 7);  // back
  Click(MainButtonLayouts, 3);     // quit
  std::string result;
  menu.RunMenu(result);
  ASSERT_EQ(result, "exit");
  EXPECT_TRUE(FileSays("music_volume = 245")) << FileText();
  EXPECT_TRUE(FileSays("effects_volume = 0")) << FileText();

  // The next start: the file read back, the menu opening at what it says.
  CurrentSettings() = TSettings{};
  LoadCurrentSettings();
  TMenu next(1024, 768);
  EXPECT_EQ(next.MusicVolume(), 245);
  EXPECT_EQ(next.EffectsVolume(), 0);
}

TEST_F(KeptSettingsTest, TheOverlaysDialsAreWrittenAsTheOverlayIsLeftAndWithinRange) {
  TGameOptions options(1024, 768);
  int music = 255, effects = 255;
  // Turned all the way round: the dial's own top is 256, one past what a setting holds.
  for (double a = 1; a < 360; a += 2) DialFrame(options, music, effects, a, true);
  ASSERT_EQ(music, 256);
  for (double a = 359; a > 100; a -= 2) DialFrame(options, music, effects, a, true);
  DialFrame(options, music, effects, 100, false);
  const int chosen = music;
  EXPECT_LT(chosen, 256);
  EXPECT_EQ(CurrentSettings().musicVolume, chosen);  // in use at once ...
  EXPECT_FALSE(fs::exists(file));                     // ... but not written at every frame
  // Back to the race: virtual (400, 536), pixels (512, 686).
  GlPlatform().input = TInputState{{}, 512, 686, true};
  std::string result;
  options.DrawOptions(music, effects, result);
  GlPlatform().input = TInputState{{}, 512, 686, false};
  options.DrawOptions(music, effects, result);
  ASSERT_EQ(result, "RETURN GAME");
  EXPECT_TRUE(FileSays("music_volume = " + std::to_string(chosen))) << FileText();

  // A dial left at its top is kept as the highest volume the file knows.
  for (double a = 1; a < 360; a += 2) DialFrame(options, music, effects, a, true);
  ASSERT_EQ(music, 256);
  DialFrame(options, music, effects, 359, false);
  GlPlatform().input = TInputState{{}, 512, 686, true};
  options.DrawOptions(music, effects, result);
  GlPlatform().input = TInputState{{}, 512, 686, false};
  options.DrawOptions(music, effects, result);
  EXPECT_TRUE(FileSays("music_volume = 255")) << FileText();
  std::vector<std::string> notes;
  EXPECT_EQ(LoadSettings(file, notes).musicVolume, 255);
  EXPECT_TRUE(notes.empty());
}
