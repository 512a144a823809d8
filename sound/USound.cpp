#include "sound/USound.h"

#include <algorithm>

namespace {

const char* const kWindFile = "sounds\\wind.wav";
const char* const kOpeningMusic = "sounds\\Background01.mp3";

// "sounds\Background01.mp3" and "sounds/Background01.mp3" are the same music.
std::string WithSlashes(std::string file) {
  std::replace(file.begin(), file.end(), '\\', '/');
  return file;
}

bool InGameRange(int volume) { return volume >= 0 && volume <= 255; }

}  // namespace

int ToMixerVolume(long long volume) {
  long long clamped = std::clamp(volume, 0LL, 255LL);
  // Rounded to the nearest step, so 255 is the mixer's full 128 and 1 stays audible.
  return static_cast<int>((clamped * kMixerFullVolume + 127) / 255);
}

TSound::TSound(TSoundBackend& backend) : backend_(backend) {
  backend_.PlayLoopedSample(kWindChannel, kWindFile);
  backend_.SetChannelVolume(kWindChannel, 0);
  backend_.PlayMusic(kOpeningMusic);
  musicFile_ = WithSlashes(kOpeningMusic);
  backend_.SetMusicVolume(0);
}

bool TSound::SetMusicVolume(int volume) {
  if (InGameRange(volume)) backend_.SetMusicVolume(ToMixerVolume(volume));
  musicOn_ = volume != 0;
  return musicOn_;
}

bool TSound::SetEffectsVolume(int volume) {
  if (InGameRange(volume)) backend_.SetChannelVolume(kWindChannel, ToMixerVolume(volume));
  effectsOn_ = volume != 0;
  return effectsOn_;
}

void TSound::UpdateWind(int level) {
  if (!effectsOn_) return;
  // Computed wide: a fast craft must not wrap around into silence.
  backend_.SetChannelVolume(kWindChannel, ToMixerVolume(static_cast<long long>(level) * 255));
}

void TSound::PlayMusic(const std::string& file, int volume) {
  std::string wanted = WithSlashes(file);
  if (wanted != musicFile_) {
    backend_.PlayMusic(file);
    musicFile_ = wanted;
  }
  SetMusicVolume(volume);
}
