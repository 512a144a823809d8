// Game controllers as the rest of the game sees them: the state of each connected pad
// this frame, and the menu buttons pressed since they were last asked about. One
// replaceable source answers, like the platform: the real one reads SDL's game-controller
// API, tests install their own, and until one is installed no pad is connected.
#pragma once

namespace wnd {

// A game controller as read this frame: axes from -1 to 1 (y down positive), triggers
// from 0 to 1.
struct TPadState {
  bool connected = false;
  int id = -1;  // the same for as long as the pad stays plugged in; -1 where unknown
  double leftX = 0.0, leftY = 0.0;
  bool dpadLeft = false, dpadRight = false, dpadUp = false, dpadDown = false;
  bool south = false;  // A on most pads, cross on others
  bool east = false;   // B / circle
  bool start = false;
  double rightTrigger = 0.0;
};

// How far a stick must lean to count as a d-pad press in a menu, and how far back it must
// come before it can press again: a stick resting near the edge does not press twice.
inline constexpr double kStickPressEdge = 0.6;
inline constexpr double kStickReleaseEdge = 0.4;

// The buttons a menu answers to. A stick pushed to an edge counts as the d-pad.
enum class TPadButton { Up, Down, Left, Right, South, East, Start };

class TGamepadSource {
 public:
  virtual ~TGamepadSource() = default;
  // Reads what happened since the last call: pads plugged in or pulled out, buttons.
  virtual void Poll() = 0;
  // Pads in the order they were connected; index 0 is the first pad.
  virtual int Count() = 0;
  virtual TPadState State(int index) = 0;
  // Whether the button went down on any pad since the last time anyone asked about it.
  virtual bool ButtonPressed(TPadButton button) = 0;
  // A screen that starts forgets presses made before it, as with the keyboard.
  virtual void ForgetPresses() = 0;
};

// The source in use; without one installed, no pad is ever connected.
TGamepadSource& Gamepads();
void SetGamepads(TGamepadSource* source);  // nullptr restores the empty one

// Installs a source for its lifetime and puts the previous one back after.
class TGamepadsGuard {
 public:
  explicit TGamepadsGuard(TGamepadSource& source) : previous_(&Gamepads()) { SetGamepads(&source); }
  ~TGamepadsGuard() { SetGamepads(previous_); }
  TGamepadsGuard(const TGamepadsGuard&) = delete;
  TGamepadsGuard& operator=(const TGamepadsGuard&) = delete;

 private:
  TGamepadSource* previous_;
};

}  // namespace wnd
