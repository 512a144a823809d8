#include "platform/Gamepads.h"

namespace wnd {
namespace {

class TNoGamepads final : public TGamepadSource {
 public:
  void Poll() override {}
  int Count() override { return 0; }
  TPadState State(int) override { return {}; }
  bool ButtonPressed(TPadButton) override { return false; }
  void ForgetPresses() override {}
};

TNoGamepads noGamepads;
TGamepadSource* current = &noGamepads;

}  // namespace

TGamepadSource& Gamepads() { return *current; }

void SetGamepads(TGamepadSource* source) { current = source ? source : &noGamepads; }

}  // namespace wnd
