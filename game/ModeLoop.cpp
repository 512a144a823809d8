#include "game/ModeLoop.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>

#include "assets/Lstr.h"
#include "platform/Window.h"

std::string UpperCase(const std::string& text) {
  std::string upper = text;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

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
    mode_ = "MENU";
  }
}

void TModeLoop::RunMenuStep(IModeFactory& factory) {
  auto menu = factory.CreateMenu(screenWidth_, screenHeight_);
  std::string result;
  menu->RunMenu(result);
  mode_ = UpperCase(result);
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
    mode_ = "EXIT";
  }
}

bool IsKnownMode(const std::string& mode) {
  static const char* const known[] = {"MENU",  "EXIT",  "TIME ATTACK", "LAN",   "LOCAL",
                                      "SCREENPLAY", "SLOT0", "SLOT1", "SLOT2", "SLOT3"};
  for (const char* k : known) {
    if (mode == k) return true;
  }
  return false;
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
  SubStr(upper, 1, 4, mode_);
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
  mode_ = UpperCase(result);
}

void TModeLoop::RunScreenplayStep(IModeFactory& factory, int slot) {
  auto story = factory.CreateScreenplay(screenWidth_, screenHeight_, musicVolume_, slot);
  std::string result;
  story->Run(effectsVolume_, result);
  story.reset();
  mode_ = result;
}

void TModeLoop::Run(IModeFactory& factory) {
  useDefaultTrack_ = true;
  trackIndex_ = 0;
  musicVolume_ = 0;
  effectsVolume_ = 0;
  bool keepGoing = true;
  std::string traced;
  auto trace = [&] {
    if (trace_ && mode_ != traced) {
      std::printf("mode: %s\n", mode_.c_str());
      std::fflush(stdout);
      traced = mode_;
    }
  };
  while (keepGoing) {
    ++passes_;
    trace();
    keepGoing = mode_ != "EXIT";
    if (mode_ == "MENU") RunMenuGuarded(factory);
    trace();
    if (mode_ == "TIME ATTACK") Guarded([&] { RunTimeAttackStep(factory); });
    trace();
    if (mode_ == "LAN") Guarded([&] { RunTwoPlayersStep(factory, false); });
    trace();
    if (mode_ == "LOCAL") Guarded([&] { RunTwoPlayersStep(factory, true); });
    trace();
    if (mode_ == "SCREENPLAY") Guarded([&] { RunScreenplayStep(factory, -1); });
    trace();
    if (mode_.size() >= 4 && mode_.compare(0, 4, "SLOT") == 0) {
      // Only "SLOT0" to "SLOT3" are ever produced; anything else goes back to the menu.
      if (mode_.size() == 5 && mode_[4] >= '0' && mode_[4] <= '3') {
        int slot = mode_[4] - '0';
        Guarded([&] { RunScreenplayStep(factory, slot); });
      } else {
        mode_ = "MENU";
      }
    }
    // A mode string nobody serves would leave the loop polling for ever.
    if (!IsKnownMode(mode_)) mode_ = "MENU";
    trace();
    wnd::PollEvents();
  }
}
