// The real mixer (SDL2_mixer). One per process: the device is opened by the first
// sound object and stays open, so later races do not reopen it. Without a sound card
// it falls back to SDL's dummy driver and the game runs silently.
#pragma once

#include <SDL2/SDL_mixer.h>

#include <map>
#include <memory>
#include <string>

#include "sound/SoundBackend.h"

class TMixerBackend final : public TSoundBackend {
 public:
  TMixerBackend();
  ~TMixerBackend() override;
  TMixerBackend(const TMixerBackend&) = delete;
  TMixerBackend& operator=(const TMixerBackend&) = delete;

  void PlayLoopedSample(int channel, const std::string& file) override;
  void SetChannelVolume(int channel, int volume) override;
  void PlayMusic(const std::string& file) override;
  void SetMusicVolume(int volume) override;

  bool IsOpen() const { return open_; }
  std::string DriverName() const;
  // Files decoded or opened so far, failures included (each is tried once).
  std::size_t CachedSamples() const { return samples_.size(); }
  std::size_t CachedStreams() const { return streams_.size(); }
  // How many times this process opened the audio device.
  static int DeviceOpenings();

 private:
  struct TChunkFree {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
  };
  struct TMusicFree {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
  };

  bool OpenDevice();
  Mix_Chunk* Sample(const std::string& file);
  Mix_Music* Stream(const std::string& file);

  bool open_ = false;
  std::map<std::string, std::unique_ptr<Mix_Chunk, TChunkFree>> samples_;
  std::map<std::string, std::unique_ptr<Mix_Music, TMusicFree>> streams_;
};

// The process's mixer, opened on first use.
TMixerBackend& MixerBackend();
