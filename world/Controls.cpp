#include "world/Controls.h"

#include <utility>

#include "platform/KeyNames.h"
#include "platform/Window.h"

namespace {

// The field of `codes` an action reads; const or not with the record.
template <typename Codes>
auto& KeyRef(Codes& codes, TAction action) {
  switch (action) {
    case TAction::Left: return codes.left;
    case TAction::Right: return codes.right;
    case TAction::NoseDown: return codes.noseDown;
    case TAction::NoseUp: return codes.noseUp;
    case TAction::Thrust: return codes.thrust;
  }
  return codes.thrust;
}

}  // namespace

const char* ActionWord(TAction action) {
  switch (action) {
    case TAction::Left: return "left";
    case TAction::Right: return "right";
    case TAction::NoseDown: return "nose_down";
    case TAction::NoseUp: return "nose_up";
    case TAction::Thrust: return "thrust";
  }
  return "";
}

bool TControls::operator==(const TControls& other) const {
  for (int p = 0; p < 2; ++p) {
    for (TAction action : kActions) {
      if (KeyOf(keys[p], action) != KeyOf(other.keys[p], action)) return false;
    }
  }
  return invertPitch == other.invertPitch && deadZone == other.deadZone;
}

int KeyOf(const TPlayerKeyCodes& codes, TAction action) { return KeyRef(codes, action); }

void SetKeyOf(TPlayerKeyCodes& codes, TAction action, int code) { KeyRef(codes, action) = code; }

TRebindResult Rebind(TControls& controls, int player, TAction action, int code) {
  TRebindResult result;
  if (code == wnd::KEY_ESC || code == wnd::KEY_ENTER || KeyName(code).empty()) {
    result.reserved = true;
    return result;
  }
  const int index = player == 2 ? 1 : 0;
  for (int p = 0; p < 2; ++p) {
    for (TAction other : kActions) {
      if ((p == index && other == action) || KeyOf(controls.keys[p], other) != code) continue;
      result.takenByPlayer = p + 1;
      result.takenBy = other;
      return result;
    }
  }
  KeyRef(controls.keys[index], action) = code;
  result.kept = true;
  return result;
}

TPlayerKeys ReadControls(const TControls& controls, int player, const std::function<bool(int)>& isDown) {
  const int index = player == 2 ? 1 : 0;
  const TPlayerKeyCodes& codes = controls.keys[index];
  TPlayerKeys keys{isDown(codes.left), isDown(codes.right), isDown(codes.noseDown), isDown(codes.noseUp),
                   isDown(codes.thrust)};
  if (controls.invertPitch[index]) std::swap(keys.noseDown, keys.noseUp);
  return keys;
}

TPlayerKeys PadKeys(const TPadState& pad, double deadZone, bool invertPitch) {
  if (!pad.connected) return {};
  TPlayerKeys keys;
  keys.left = pad.dpadLeft || pad.leftX < -deadZone;
  keys.right = pad.dpadRight || pad.leftX > deadZone;
  keys.noseDown = pad.dpadUp || pad.leftY < -deadZone;
  keys.noseUp = pad.dpadDown || pad.leftY > deadZone;
  keys.thrust = pad.south || pad.rightTrigger > deadZone;
  if (invertPitch) std::swap(keys.noseDown, keys.noseUp);
  return keys;
}

TPlayerKeys EitherKeys(const TPlayerKeys& a, const TPlayerKeys& b) {
  return {a.left || b.left, a.right || b.right, a.noseDown || b.noseDown, a.noseUp || b.noseUp,
          a.thrust || b.thrust};
}
