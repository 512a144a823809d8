// What the game's sound needs from a mixer: one looping sample per channel and one
// looping music stream, with volumes on the mixer's 0..128 scale. The real mixer sits
// behind it in the gfx library; tests plug in a recorder and check what reaches it.
#pragma once

#include <string>

class TSoundBackend {
 public:
  virtual ~TSoundBackend() = default;

  // Starts the file looping on the channel, replacing whatever played there; a file
  // that cannot be loaded leaves the channel silent.
  virtual void PlayLoopedSample(int channel, const std::string& file) = 0;
  virtual void SetChannelVolume(int channel, int volume) = 0;

  // Stops the music that plays and starts the file looping in its place; a file that
  // cannot be opened leaves the music silent.
  virtual void PlayMusic(const std::string& file) = 0;
  virtual void SetMusicVolume(int volume) = 0;
};
