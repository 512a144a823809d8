// The race's two sounds: the wind on channel 0, whose loudness follows the craft's
// speed, and the looping music. Volumes are on the game's 0..255 scale.
#pragma once

#include <string>

#include "sound/SoundBackend.h"

inline constexpr int kWindChannel = 0;
inline constexpr int kMixerFullVolume = 128;

// The game's 0..255 volume on the mixer's 0..128 scale; values outside 0..255 are
// taken as the nearest end.
int ToMixerVolume(long long volume);

class TSound {
 public:
  // On the process's mixer, opened by the first sound object and kept open
  // (defined in the gfx library, beside the mixer).
  TSound();
  // Starts the wind and the opening music, both silent, on the given back end.
  explicit TSound(TSoundBackend& backend);
  TSound(const TSound&) = delete;
  TSound& operator=(const TSound&) = delete;

  // A volume within 0..255 reaches the mixer; any other value only sets the flag.
  // Returns music on (the volume asked is not 0).
  bool SetMusicVolume(int volume);
  bool SetEffectsVolume(int volume);
  void MusicOff() { SetMusicVolume(0); }
  void EffectsOff() { SetEffectsVolume(0); }
  // The wind at level x 255, so level 1 or more blows at full volume. Does nothing
  // while the effects are off.
  void UpdateWind(int level);
  // Starts the file unless it is already the music playing (the overlay asks for it on
  // every frame), then sets the volume.
  void PlayMusic(const std::string& file, int volume);

  bool MusicOn() const { return musicOn_; }
  // The music playing, with '/' separators.
  const std::string& MusicFile() const { return musicFile_; }
  bool EffectsOn() const { return effectsOn_; }

 private:
  TSoundBackend& backend_;
  bool musicOn_ = false;
  bool effectsOn_ = false;
  std::string musicFile_;  // with '/' separators, as compared
};
