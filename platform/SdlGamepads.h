// The game's pads, read through SDL's game-controller API: its mapping database knows the
// common pads, so the south button is A on one and cross on another. Only SDL's
// game-controller subsystem is started (no SDL window; the sound starts SDL's audio on its
// own). Pads come and go with SDL's added and removed events, read in Poll(); a pad
// pulled out is dropped at once, so nothing it held stays held.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/Gamepads.h"

// SDL's own types, declared here so that the header does not bring in SDL.
struct _SDL_GameController;
union SDL_Event;

class TSdlGamepads final : public wnd::TGamepadSource {
 public:
  // Starts SDL's game-controller subsystem; where it cannot start, one console line says
  // so and no pad is ever connected.
  TSdlGamepads();
  ~TSdlGamepads() override;
  TSdlGamepads(const TSdlGamepads&) = delete;
  TSdlGamepads& operator=(const TSdlGamepads&) = delete;

  bool Started() const { return started_; }

  void Poll() override;
  int Count() override { return static_cast<int>(pads_.size()); }
  wnd::TPadState State(int index) override;
  bool ButtonPressed(wnd::TPadButton button) override;
  void ForgetPresses() override { pressed_ = {}; }

 private:
  static constexpr int kButtonCount = 7;  // the values of wnd::TPadButton
  // The stick's four directions in TPadButton's order: up, down, left, right.
  using TStickEdges = std::array<bool, 4>;
  struct TPad {
    _SDL_GameController* controller = nullptr;
    std::int32_t id = -1;  // SDL's instance id, never reused while the program runs
    TStickEdges leaning{};  // past the press edge, not yet back within the release edge
  };

  void Open(int joystickIndex);
  void Close(std::int32_t id);
  void Take(const SDL_Event& event);
  void Lean(TPad& pad, int axis, int value);
  TPad* Find(std::int32_t id);

  bool started_ = false;
  std::vector<TPad> pads_;  // in the order they were connected
  std::array<bool, kButtonCount> pressed_{};
};
