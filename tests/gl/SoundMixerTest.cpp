// The real mixer, on SDL's dummy driver: what the game plays when no sound card is there.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "sound/MixerBackend.h"
#include "sound/USound.h"
#include "tools/writers/WavWriter.h"

namespace fs = std::filesystem;

namespace {

void WriteTone(const fs::path& path, double hertz) {
  std::vector<std::int16_t> samples(4410);  // 0.2 s at 22050 Hz
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<std::int16_t>(8000 * std::sin(6.2831853 * hertz * i / 22050.0));
  }
  ASSERT_TRUE(WriteWav16(path.string(), samples, 1, 22050));
}

struct SoundMixerTest : ::testing::Test {
  fs::path previous = fs::current_path();
  fs::path root = fs::temp_directory_path() / ("velmora-mixer-" + std::to_string(::getpid()));
  void SetUp() override {
    fs::create_directories(root / "sounds");
    WriteTone(root / "sounds" / "wind.wav", 220);
    WriteTone(root / "sounds" / "Theme.wav", 440);
    fs::current_path(root);  // the opening music is missing here on purpose
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(root);
  }
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

// Without a card, opening goes through ALSA's failure to the dummy driver, printing nothing.
// Run in a child so that this process's one mixer is not the one tried.
TEST_F(SoundMixerTest, NoSoundCardFallsBackQuietly) {
  if (TMixerBackend::DeviceOpenings() != 0 || fs::exists("/dev/snd")) {
    GTEST_SKIP() << "the mixer is already open here, or a sound card is present";
  }
  fs::path console = root / "console.txt";
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::FILE* out = std::freopen(console.c_str(), "w", stdout);
    if (out == nullptr || dup2(fileno(stdout), 2) < 0) _exit(3);
    unsetenv("SDL_AUDIODRIVER");
    TMixerBackend mixer;
    std::fflush(stdout);
    _exit(!mixer.IsOpen() ? 1 : mixer.DriverName() == "dummy" ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadAll(console), "");
}

TEST_F(SoundMixerTest, PlaysGeneratedWavsOnTheDummyDriver) {
  bool firstOpening = TMixerBackend::DeviceOpenings() == 0;
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  TMixerBackend& mixer = MixerBackend();
  ASSERT_TRUE(mixer.IsOpen());
  if (firstOpening) {
    EXPECT_EQ(mixer.DriverName(), "dummy");
  }
  {
    TSound sound;
    EXPECT_TRUE(Mix_Playing(kWindChannel));
    EXPECT_EQ(Mix_Volume(kWindChannel, -1), 0);
    EXPECT_FALSE(Mix_PlayingMusic());  // "sounds\Background01.mp3" is not here: silence
    sound.SetEffectsVolume(10);
    sound.UpdateWind(3);
    EXPECT_EQ(Mix_Volume(kWindChannel, -1), kMixerFullVolume);
    sound.PlayMusic("sounds/Theme.wav", 128);
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    // Both loop: well past the 0.2 s they last, they still play.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(Mix_Playing(kWindChannel));
    EXPECT_TRUE(Mix_PlayingMusic());
    sound.MusicOff();
    sound.EffectsOff();
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
  }
  // A second race reuses the open device and the decoded wind.
  int openings = TMixerBackend::DeviceOpenings();
  std::size_t samples = mixer.CachedSamples();
  TSound next;
  next.PlayMusic("sounds\\Theme.wav", 255);
  EXPECT_EQ(TMixerBackend::DeviceOpenings(), openings);
  EXPECT_EQ(mixer.CachedSamples(), samples);
  EXPECT_TRUE(Mix_PlayingMusic());
  next.MusicOff();
  next.EffectsOff();
  // Where the wind's file is missing, its channel is silent rather than left playing.
  fs::create_directories(root / "empty");
  fs::current_path(root / "empty");
  TSound windless;
  EXPECT_FALSE(Mix_Playing(kWindChannel));
}
