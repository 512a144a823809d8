// The controls screen, opened from the options face: both players' keys for the five
// actions, with the pad's buttons beside them. Choosing an action's button (mouse or keys)
// waits for its new key; a key another action already has is refused with a hint naming
// that action, never doubled. Each player's pitch can be inverted, and Defaults puts the
// first keys back. Every change goes to the settings in use and is stored at once.
//
// It replaces the options picture on the left face, like the load screen, and is drawn
// with the camera the options face left in place.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "frontend/MenuTables.h"
#include "frontend/MenuTextures.h"
#include "frontend/Upanel.h"
#include "world/Controls.h"

// The screen's buttons: ten key buttons (player 1's five actions, then player 2's), the
// two pitch switches, Defaults and Back.
inline constexpr int kControlsKeyButtons = 10;
inline constexpr int kControlsInvertFirst = 10;
inline constexpr int kControlsDefaults = 12;
inline constexpr int kControlsBack = 13;
std::span<const TButtonLayout> ControlsButtonLayouts();
// The key button of a player (1 or 2) and action.
int ControlsKeyButton(int player, TAction action);
// Where the hint line lies (virtual units).
inline constexpr double kHintX = 40, kHintY = 494, kHintWidth = 720, kHintHeight = 34;

// What the hint line says.
enum class TControlsHint { Choose, Waiting, Kept, Taken, Reserved, Defaults };

// The picture files, as the content names them.
std::string KeyCapPicture(int keyCode);  // "" for a key without a name
std::string HintPicture(TControlsHint hint, int takenByPlayer, TAction takenBy);

class TControlsScreen {
 public:
  enum class TStep { Stay, Back, Escape };

  // `background` is the screen's picture, owned by the caller.
  TControlsScreen(int screenWidth, int screenHeight, std::uint32_t background);

  // One frame, drawn but not presented. Back: its button was chosen; Escape: a press of
  // Escape (or the pad's back) made while no key was awaited.
  TStep Frame();
  // The screen at rest, as a fade leaving it shows it.
  void DrawResting();

  int Waiting() const { return waiting_; }  // the key button awaiting its key, or -1
  TControlsHint Hint() const { return hint_; }
  const Tpanel& Panel() const { return *panel_; }

 private:
  void ReadNewKey();
  void Offer(int code);
  TStep Choose(int button);
  void ShowState();
  std::vector<TDecal> Decals();

  TTextureSet textures_;
  TTab_bouton buttons_;
  std::unique_ptr<Tpanel> panel_;
  struct TLook {
    std::uint32_t inactive = 0, focus = 0, active = 0;
  };
  TLook slot_, invertOff_, invertOn_;
  std::uint32_t waitingPicture_ = 0;
  int waiting_ = -1;
  TControlsHint hint_ = TControlsHint::Choose;
  int takenByPlayer_ = 0;
  TAction takenBy_ = TAction::Left;
};
