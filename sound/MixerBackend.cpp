#include "sound/MixerBackend.h"

#include <SDL2/SDL.h>
#include <dlfcn.h>

#include <filesystem>

#include "platform/Paths.h"
#include "sound/USound.h"

namespace {

constexpr int kMixRate = 44100;
constexpr int kChannels = 16;
constexpr int kReservedChannels = 2;  // 0 the wind, 1 kept free as the music's own
int deviceOpenings = 0;

// The cache key: the same file however it is named, whatever the working folder.
std::string CacheKey(const std::string& file) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(ResolvePath(file), error);
  return error ? ResolvePath(file) : absolute.lexically_normal().string();
}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints a screenful of errors when there is no card. SDL loads the library itself;
// loading it here first and handing it a handler that ignores them keeps the console
// clean. Without ALSA there is nothing to silence.
void SilenceAlsa() {
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
  if (alsa == nullptr) return;
  using THandler = void (*)(const char*, int, const char*, int, const char*, ...);
  using TSetHandler = int (*)(THandler);
  auto set = reinterpret_cast<TSetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
  if (set != nullptr) set(IgnoreAlsaError);
  // The library stays loaded: SDL uses this same copy, with the handler in place.
}

bool TryOpen() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(kMixRate, MIX_DEFAULT_FORMAT, 2, 1024) == 0) return true;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return false;
}

}  // namespace

TMixerBackend::TMixerBackend() { open_ = OpenDevice(); }

bool TMixerBackend::OpenDevice() {
  SilenceAlsa();
  // Ctrl-C must still end the game: SDL would otherwise turn it into an event nobody reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  bool opened = TryOpen();
  if (!opened) {
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    opened = TryOpen();
  }
  if (!opened) return false;
  ++deviceOpenings;
  Mix_Init(MIX_INIT_MP3);
  Mix_AllocateChannels(kChannels);
  Mix_ReserveChannels(kReservedChannels);
  return true;
}

TMixerBackend::~TMixerBackend() {
  if (!open_) return;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  samples_.clear();
  streams_.clear();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::string TMixerBackend::DriverName() const {
  const char* name = open_ ? SDL_GetCurrentAudioDriver() : nullptr;
  return name != nullptr ? name : "";
}

int TMixerBackend::DeviceOpenings() { return deviceOpenings; }

Mix_Chunk* TMixerBackend::Sample(const std::string& file) {
  std::string path = CacheKey(file);
  auto found = samples_.find(path);
  if (found == samples_.end()) {
    found = samples_.emplace(path, Mix_LoadWAV(path.c_str())).first;
  }
  return found->second.get();
}

Mix_Music* TMixerBackend::Stream(const std::string& file) {
  std::string path = CacheKey(file);
  auto found = streams_.find(path);
  if (found == streams_.end()) {
    found = streams_.emplace(path, Mix_LoadMUS(path.c_str())).first;
  }
  return found->second.get();
}

void TMixerBackend::PlayLoopedSample(int channel, const std::string& file) {
  if (!open_) return;
  Mix_Chunk* sample = Sample(file);
  if (sample == nullptr) {
    Mix_HaltChannel(channel);
    return;
  }
  Mix_PlayChannel(channel, sample, -1);
}

void TMixerBackend::SetChannelVolume(int channel, int volume) {
  if (open_) Mix_Volume(channel, volume);
}

void TMixerBackend::PlayMusic(const std::string& file) {
  if (!open_) return;
  Mix_HaltMusic();
  Mix_Music* music = Stream(file);
  if (music != nullptr) Mix_PlayMusic(music, -1);
}

void TMixerBackend::SetMusicVolume(int volume) {
  if (open_) Mix_VolumeMusic(volume);
}

TMixerBackend& MixerBackend() {
  static TMixerBackend mixer;
  return mixer;
}

// The default sound object plays on the process's mixer. It is defined here, beside the
// mixer, so that the rules in USound.cpp build into the core without any audio library.
TSound::TSound() : TSound(MixerBackend()) {}
