#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "sound/USound.h"

namespace {

// Records every call that would reach the mixer, in order.
struct TRecordingBackend : TSoundBackend {
  std::vector<std::string> calls;
  void PlayLoopedSample(int channel, const std::string& file) override {
    calls.push_back("sample " + std::to_string(channel) + " " + file);
  }
  void SetChannelVolume(int channel, int volume) override {
    calls.push_back("volume " + std::to_string(channel) + " " + std::to_string(volume));
  }
  void PlayMusic(const std::string& file) override { calls.push_back("music " + file); }
  void SetMusicVolume(int volume) override {
    calls.push_back("music volume " + std::to_string(volume));
  }
  std::vector<std::string> Take() { return std::exchange(calls, {}); }
};

using TCalls = std::vector<std::string>;

}  // namespace

TEST(SoundTest, VolumesMapOntoTheMixerScale) {
  EXPECT_EQ(ToMixerVolume(0), 0);
  EXPECT_EQ(ToMixerVolume(1), 1);  // the quietest setting is still heard
  EXPECT_EQ(ToMixerVolume(128), 64);
  EXPECT_EQ(ToMixerVolume(255), 128);
  EXPECT_EQ(ToMixerVolume(256), 128);
  EXPECT_EQ(ToMixerVolume(-40), 0);
  EXPECT_EQ(ToMixerVolume(255LL * INT_MAX), 128);
  for (int v = 1; v <= 255; ++v) EXPECT_GE(ToMixerVolume(v), ToMixerVolume(v - 1)) << v;
}

TEST(SoundTest, CreationStartsWindAndOpeningMusicSilent) {
  TRecordingBackend mixer;
  TSound sound(mixer);
  EXPECT_EQ(mixer.Take(), (TCalls{"sample 0 sounds\\wind.wav", "volume 0 0",
                                  "music sounds\\Background01.mp3", "music volume 0"}));
  EXPECT_FALSE(sound.MusicOn());
  EXPECT_FALSE(sound.EffectsOn());
}

TEST(SoundTest, VolumesOutsideTheScaleOnlySetTheFlags) {
  TRecordingBackend mixer;
  TSound sound(mixer);
  mixer.Take();
  EXPECT_TRUE(sound.SetMusicVolume(255));
  EXPECT_TRUE(sound.SetMusicVolume(300));
  EXPECT_TRUE(sound.SetMusicVolume(-1));
  EXPECT_TRUE(sound.MusicOn());
  EXPECT_EQ(mixer.Take(), (TCalls{"music volume 128"}));
  EXPECT_TRUE(sound.SetEffectsVolume(256));  // the overlay's top dial step
  EXPECT_TRUE(sound.EffectsOn());
  EXPECT_TRUE(mixer.Take().empty());
  sound.MusicOff();
  sound.EffectsOff();
  EXPECT_FALSE(sound.MusicOn());
  EXPECT_FALSE(sound.EffectsOn());
  EXPECT_EQ(mixer.Take(), (TCalls{"music volume 0", "volume 0 0"}));
}

TEST(SoundTest, WindFollowsTheLevelOnlyWhileEffectsAreOn) {
  TRecordingBackend mixer;
  TSound sound(mixer);
  sound.UpdateWind(1);  // effects start off
  mixer.Take();
  sound.SetEffectsVolume(10);
  sound.UpdateWind(1);
  sound.UpdateWind(7);          // past full: capped
  sound.UpdateWind(INT_MAX);    // would wrap around in 32 bits
  sound.UpdateWind(-3);
  sound.UpdateWind(0);
  EXPECT_EQ(mixer.Take(), (TCalls{"volume 0 5", "volume 0 128", "volume 0 128", "volume 0 128",
                                  "volume 0 0", "volume 0 0"}));
  sound.EffectsOff();
  mixer.Take();
  sound.UpdateWind(1);
  EXPECT_TRUE(mixer.Take().empty());
}

TEST(SoundTest, MusicRestartsOnlyWhenItsFileChanges) {
  TRecordingBackend mixer;
  TSound sound(mixer);
  mixer.Take();
  // The overlay asks for the opening music on every frame: same file, new volume.
  for (int volume : {64, 64, 72}) sound.PlayMusic("sounds/Background01.mp3", volume);
  EXPECT_EQ(mixer.Take(), (TCalls{"music volume 32", "music volume 32", "music volume 36"}));
  EXPECT_TRUE(sound.MusicOn());
  sound.PlayMusic("sounds/Track02.mp3", 0);
  sound.PlayMusic("sounds/Track02.mp3", 255);
  sound.PlayMusic("sounds/Background01.mp3", 255);
  EXPECT_EQ(mixer.Take(), (TCalls{"music sounds/Track02.mp3", "music volume 0",
                                  "music volume 128", "music sounds/Background01.mp3",
                                  "music volume 128"}));
}

TEST(SoundTest, EachSoundObjectStartsItsOwnMusic) {
  TRecordingBackend mixer;
  {
    TSound first(mixer);
    first.PlayMusic("sounds/Track02.mp3", 200);
  }
  mixer.Take();
  TSound second(mixer);
  EXPECT_EQ(mixer.Take()[2], "music sounds\\Background01.mp3");
}
