#include "game/ModeLoop.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>

#include "assets/Lstr.h"
#include "platform/SystemServices.h"
#include "platform/Window.h"

std::string UpperCase(const std::string& text) {
  std::string upper = text;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

namespace {

struct TModeWord {
  TGameMode mode;
  const char* words;
};
constexpr TModeWord kModeWords[] = {
    {TGameMode::kMenu, "MENU"}, {TGameMode::kExit, "EXIT"},
    {TGameMode::kTimeAttack, "TIME ATTACK"}, {TGameMode::kLan, "LAN"},
    {TGameMode::kLocal, "LOCAL"}, {TGameMode::kScreenplay, "SCREENPLAY"}};

}  // namespace

TModeChoice ModeOf(const std::string& words) {
  for (const TModeWord& word : kModeWords) {
    if (words == word.words) return {word.mode, -1, {}};
  }
  if (words.size() == 5 && words.compare(0, 4, "SLOT") == 0 && words[4] >= '0' && words[4] <= '3') {
    return {TGameMode::kSlot, words[4] - '0', {}};
  }
  return {TGameMode::kUnknown, -1, words};
}

std::string ModeWords(const TModeChoice& choice) {
  if (choice.mode == TGameMode::kSlot) return "SLOT" + std::to_string(choice.slot);
  for (const TModeWord& word : kModeWords) {
    if (choice.mode == word.mode) return word.words;
  }
  return choice.words;
}

bool IsKnownMode(const std::string& mode) { return ModeOf(mode).mode != TGameMode::kUnknown; }

TModeLoop::TModeLoop(int screenWidth, int screenHeight)
    : screenWidth_(screenWidth), screenHeight_(screenHeight) {}

// A mode that cannot be built or run (a track file that does not read, a missing mesh)
// does not end the program: the player is told why and is back in the menu.
template <typename Step>
void TModeLoop::Guarded(Step step) {
  try {
    step();
  } catch (const std::exception& error) {
    wnd::MessageBox(error.what(), "Velmora");
    Set(TGameMode::kMenu);
  }
}

void TModeLoop::RunMenuStep(IModeFactory& factory) {
  auto menu = factory.CreateMenu(screenWidth_, screenHeight_);
  std::string result;
  menu->RunMenu(result);
  mode_ = ModeOf(UpperCase(result));
  const T_Tab_TrackFile& tracks = menu->TrackFiles();
  useDefaultTrack_ = menu->TrackIndex() == static_cast<int>(tracks.size()) - 1;
  trackFiles_ = tracks;
  trackIndex_ = menu->TrackIndex();
  musicVolume_ = menu->MusicVolume();
  effectsVolume_ = menu->EffectsVolume();
}

// Without a menu nothing can be played: the message says why and the game ends.
void TModeLoop::RunMenuGuarded(IModeFactory& factory) {
  try {
    RunMenuStep(factory);
  } catch (const std::exception& error) {
    wnd::MessageBox(error.what(), "Velmora");
    Set(TGameMode::kExit);
  }
}

void TModeLoop::RunTimeAttackStep(IModeFactory& factory) {
  std::unique_ptr<IMode> race;
  bool known = trackIndex_ >= 0 && trackIndex_ < static_cast<int>(trackFiles_.size());
  if (useDefaultTrack_ || !known) {
    race = factory.CreateTimeAttackDefault(screenWidth_, screenHeight_, musicVolume_);
  } else {
    race = factory.CreateTimeAttackFromTrack(trackFiles_[trackIndex_], screenWidth_,
                                             screenHeight_, musicVolume_, 0);
  }
  std::string result;
  race->Run(effectsVolume_, result);
  race.reset();
  // "MENUW", "MENUL" and "MENU RETURNL" all bring the shell back to the menu.
  std::string upper = UpperCase(result);
  std::string words;
  SubStr(upper, 1, 4, words);
  mode_ = ModeOf(words);
}

void TModeLoop::RunTwoPlayersStep(IModeFactory& factory, bool local) {
  auto race = factory.CreateTwoPlayers(screenWidth_, screenHeight_, trackFiles_, musicVolume_,
                                       local, false);
  std::string result;
  if (local) {
    race->RunLocal(effectsVolume_, result);
  } else {
    race->Run(effectsVolume_, result);
  }
  race.reset();
  mode_ = ModeOf(UpperCase(result));
}

void TModeLoop::RunScreenplayStep(IModeFactory& factory, int slot) {
  auto story = factory.CreateScreenplay(screenWidth_, screenHeight_, musicVolume_, slot);
  std::string result;
  story->Run(effectsVolume_, result);
  story.reset();
  mode_ = ModeOf(result);
}

void TModeLoop::Run(IModeFactory& factory) {
  useDefaultTrack_ = true;
  trackIndex_ = 0;
  musicVolume_ = 0;
  effectsVolume_ = 0;
  bool keepGoing = true;
  std::string traced;
  auto trace = [&] {
    const std::string words = ModeWords(mode_);
    if (trace_ && words != traced) {
      std::printf("mode: %s\n", words.c_str());
      std::fflush(stdout);
      traced = words;
    }
  };
  while (keepGoing) {
    ++passes_;
    sys::GiveBackFreedMemory();  // what the race or the story just left held
    trace();
    keepGoing = !Is(TGameMode::kExit);
    if (Is(TGameMode::kMenu)) RunMenuGuarded(factory);
    sys::GiveBackFreedMemory();  // the menu's pictures, before a race loads its own
    trace();
    if (Is(TGameMode::kTimeAttack)) Guarded([&] { RunTimeAttackStep(factory); });
    trace();
    if (Is(TGameMode::kLan)) Guarded([&] { RunTwoPlayersStep(factory, false); });
    trace();
    if (Is(TGameMode::kLocal)) Guarded([&] { RunTwoPlayersStep(factory, true); });
    trace();
    if (Is(TGameMode::kScreenplay)) Guarded([&] { RunScreenplayStep(factory, -1); });
    trace();
    // Only "SLOT0" to "SLOT3" are ever produced; anything else goes back to the menu.
    if (Is(TGameMode::kSlot)) {
      const int slot = mode_.slot;
      Guarded([&] { RunScreenplayStep(factory, slot); });
    }
    // A mode string nobody serves would leave the loop polling for ever.
    if (Is(TGameMode::kUnknown)) Set(TGameMode::kMenu);
    trace();
    wnd::PollEvents();
  }
}
