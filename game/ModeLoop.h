// The top-level loop over the mode string: each pass runs the menu and/or the mode it
// chose, takes the string each returns as the next mode, and destroys the object.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "assets/Utype.h"
#include "frontend/MenuInterface.h"
#include "modes/ModeInterface.h"
#include "platform/Window.h"

class IModeFactory {
 public:
  virtual ~IModeFactory() = default;
  virtual std::unique_ptr<IMenu> CreateMenu(int width, int height) = 0;
  virtual std::unique_ptr<IMode> CreateTimeAttackDefault(int width, int height,
                                                         int musicVolume) = 0;
  virtual std::unique_ptr<IMode> CreateTimeAttackFromTrack(const T_TrackFile& track, int width,
                                                           int height, int musicVolume,
                                                           int baseScore) = 0;
  virtual std::unique_ptr<IMode> CreateTwoPlayers(int width, int height,
                                                  const T_Tab_TrackFile& tracks,
                                                  int musicVolume, bool local,
                                                  bool hosting) = 0;
  virtual std::unique_ptr<IMode> CreateScreenplay(int width, int height, int musicVolume,
                                                  int slot) = 0;
};

std::string UpperCase(const std::string& text);

// The modes the loop serves. The menu and the modes hand back the shell's words ("MENU",
// "TIME ATTACK", "SLOT2"...); the loop reads them once into this and works on it.
enum class TGameMode { kMenu, kExit, kTimeAttack, kLan, kLocal, kScreenplay, kSlot, kUnknown };

struct TModeChoice {
  TGameMode mode = TGameMode::kMenu;
  int slot = -1;        // kSlot: the save slot, 0 to 3
  std::string words;    // kUnknown: what was said, for the trace
};

// The shell's words, compared exactly; "SLOT0" to "SLOT3" name a slot, any other word
// is unknown.
TModeChoice ModeOf(const std::string& words);
std::string ModeWords(const TModeChoice& choice);
bool IsKnownMode(const std::string& mode);

class TModeLoop {
 public:
  TModeLoop(int screenWidth, int screenHeight);

  // Runs until the mode becomes "EXIT" (and one more pass after it).
  void Run(IModeFactory& factory);

  std::string Mode() const { return ModeWords(mode_); }
  // Prints "mode: M" on standard output whenever the mode changes (for scripts that
  // drive the real program from outside).
  void SetTrace(bool trace) { trace_ = trace; }
  const T_Tab_TrackFile& TrackFiles() const { return trackFiles_; }
  // Passes made so far, for tests.
  long Passes() const { return passes_; }

 private:
  void RunMenuStep(IModeFactory& factory);
  void RunMenuGuarded(IModeFactory& factory);
  void RunTimeAttackStep(IModeFactory& factory);
  void RunTwoPlayersStep(IModeFactory& factory, bool local);
  void RunScreenplayStep(IModeFactory& factory, int slot);
  template <typename Step>
  void Guarded(Step step);
  void Set(TGameMode mode) { mode_ = TModeChoice{mode, -1, {}}; }
  bool Is(TGameMode mode) const { return mode_.mode == mode; }

  // Each mode is built at the window's size when it starts, and follows it from there.
  wnd::TDrawableWidth screenWidth_;
  wnd::TDrawableHeight screenHeight_;
  TModeChoice mode_;
  T_Tab_TrackFile trackFiles_;
  bool useDefaultTrack_ = true;
  int trackIndex_ = 0;
  int musicVolume_ = 0;
  int effectsVolume_ = 0;
  long passes_ = 0;
  bool trace_ = false;
};
