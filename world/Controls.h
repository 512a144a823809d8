// Which key flies which action for each player, whether a player's pitch is inverted, and
// how far a gamepad's stick must lean to count as a key held. The flight rules read keys
// only: a pad is turned into the keys it stands for, so a race flown with a pad obeys
// the same rules as one flown with the keyboard.
#pragma once

#include <array>
#include <functional>

#include "platform/Gamepads.h"
#include "world/Physics.h"

enum class TAction { Left, Right, NoseDown, NoseUp, Thrust };
inline constexpr int kActionCount = 5;
inline constexpr std::array<TAction, kActionCount> kActions = {TAction::Left, TAction::Right, TAction::NoseDown,
                                                               TAction::NoseUp, TAction::Thrust};
// "left", "right", "nose_down", "nose_up", "thrust": the settings file's words.
const char* ActionWord(TAction action);

inline constexpr double kDefaultDeadZone = 0.35;

struct TControls {
  std::array<TPlayerKeyCodes, 2> keys{KeyCodesOf(1), KeyCodesOf(2)};
  std::array<bool, 2> invertPitch{false, false};
  double deadZone = kDefaultDeadZone;  // 0.05 to 0.95 of the stick's travel

  bool operator==(const TControls& other) const;
};

int KeyOf(const TPlayerKeyCodes& codes, TAction action);
void SetKeyOf(TPlayerKeyCodes& codes, TAction action, int code);

// What a rebinding did: kept, refused because the key serves another action (named by
// player and action), or refused because the key is the game's own (Escape, Enter) or one
// the settings file has no name for.
struct TRebindResult {
  bool kept = false;
  bool reserved = false;
  int takenByPlayer = 0;  // 1 or 2 when another action has the key
  TAction takenBy = TAction::Left;
};
// Gives `code` to the player's action unless another action of either player has it;
// never silently doubles a key.
TRebindResult Rebind(TControls& controls, int player, TAction action, int code);

// One player's keys this frame through `isDown(code)`, pitch inverted when chosen.
TPlayerKeys ReadControls(const TControls& controls, int player, const std::function<bool(int)>& isDown);

// A game controller as read this frame (platform/Gamepads.h).
using wnd::TPadState;
// The keys a pad stands for: the stick past the dead zone or the d-pad turns and pitches
// (stick forward: nose down, as the up arrow), the south button or the right trigger
// past the dead zone thrusts.
TPlayerKeys PadKeys(const TPadState& pad, double deadZone, bool invertPitch);
// Held on either: the keyboard and a pad fly one craft together.
TPlayerKeys EitherKeys(const TPlayerKeys& a, const TPlayerKeys& b);
