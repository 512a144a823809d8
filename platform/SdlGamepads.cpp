#include "platform/SdlGamepads.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kAxisFull = 32767.0;

double Axis(SDL_GameController* controller, SDL_GameControllerAxis axis) {
  return std::clamp(SDL_GameControllerGetAxis(controller, axis) / kAxisFull, -1.0, 1.0);
}

bool Button(SDL_GameController* controller, SDL_GameControllerButton button) {
  return SDL_GameControllerGetButton(controller, button) != 0;
}

// The menu's button that an SDL button stands for, or -1 for one the menus do not read.
int MenuButtonOf(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return static_cast<int>(wnd::TPadButton::Up);
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return static_cast<int>(wnd::TPadButton::Down);
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return static_cast<int>(wnd::TPadButton::Left);
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return static_cast<int>(wnd::TPadButton::Right);
    case SDL_CONTROLLER_BUTTON_A: return static_cast<int>(wnd::TPadButton::South);
    case SDL_CONTROLLER_BUTTON_B: return static_cast<int>(wnd::TPadButton::East);
    case SDL_CONTROLLER_BUTTON_START: return static_cast<int>(wnd::TPadButton::Start);
    default: return -1;
  }
}

}  // namespace

TSdlGamepads::TSdlGamepads() {
  // SDL's event queue starts with the pads: it must leave Ctrl+C to the game, and read the
  // pads while the focus is on the game's window, which is not one of SDL's.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "No gamepads: SDL's game controllers could not start (%s).\n", SDL_GetError());
    return;
  }
  // The pads already plugged in arrive as "added" events on the first Poll().
  started_ = true;
}

TSdlGamepads::~TSdlGamepads() {
  if (!started_) return;
  for (TPad& pad : pads_) SDL_GameControllerClose(pad.controller);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

// Nothing else in the game reads SDL's queue, so every event is taken off it here; left
// there, the joystick and audio events would fill it and new pad events would be lost.
void TSdlGamepads::Poll() {
  if (!started_) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) Take(event);
}

void TSdlGamepads::Take(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which); break;
    case SDL_CONTROLLERBUTTONDOWN: {
      const int button = MenuButtonOf(event.cbutton.button);
      if (button >= 0 && Find(event.cbutton.which)) pressed_[button] = true;
      break;
    }
    case SDL_CONTROLLERAXISMOTION:
      if (TPad* pad = Find(event.caxis.which)) Lean(*pad, event.caxis.axis, event.caxis.value);
      break;
    default: break;
  }
}

// SDL announces a pad present at start twice (as a joystick found and as a controller), so
// a pad already open is not opened again.
void TSdlGamepads::Open(int joystickIndex) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(joystickIndex);
  if (id < 0 || Find(id)) return;
  SDL_GameController* controller = SDL_GameControllerOpen(joystickIndex);
  if (!controller) {
    std::fprintf(stderr, "A gamepad could not be opened: %s\n", SDL_GetError());
    return;
  }
  pads_.push_back({controller, id, {}});
}

void TSdlGamepads::Close(std::int32_t id) {
  const auto gone = std::find_if(pads_.begin(), pads_.end(), [id](const TPad& pad) { return pad.id == id; });
  if (gone == pads_.end()) return;
  SDL_GameControllerClose(gone->controller);
  pads_.erase(gone);
}

TSdlGamepads::TPad* TSdlGamepads::Find(std::int32_t id) {
  for (TPad& pad : pads_) {
    if (pad.id == id) return &pad;
  }
  return nullptr;
}

// A stick leaning past the press edge is one press of the d-pad that way; it presses again
// only once it came back inside the release edge.
void TSdlGamepads::Lean(TPad& pad, int axis, int value) {
  if (axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY) return;
  const bool across = axis == SDL_CONTROLLER_AXIS_LEFTX;
  const wnd::TPadButton negative = across ? wnd::TPadButton::Left : wnd::TPadButton::Up;
  const wnd::TPadButton positive = across ? wnd::TPadButton::Right : wnd::TPadButton::Down;
  const double lean = value / kAxisFull;
  for (const auto& [button, amount] : {std::pair{negative, -lean}, std::pair{positive, lean}}) {
    bool& leaning = pad.leaning[static_cast<int>(button)];
    if (!leaning && amount >= wnd::kStickPressEdge) {
      leaning = true;
      pressed_[static_cast<int>(button)] = true;
    } else if (leaning && amount < wnd::kStickReleaseEdge) {
      leaning = false;
    }
  }
}

wnd::TPadState TSdlGamepads::State(int index) {
  if (index < 0 || index >= Count()) return {};
  SDL_GameController* controller = pads_[index].controller;
  if (!SDL_GameControllerGetAttached(controller)) return {};  // pulled out, its event not yet read
  wnd::TPadState state;
  state.connected = true;
  state.id = pads_[index].id;
  state.leftX = Axis(controller, SDL_CONTROLLER_AXIS_LEFTX);
  state.leftY = Axis(controller, SDL_CONTROLLER_AXIS_LEFTY);
  state.dpadLeft = Button(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  state.dpadRight = Button(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  state.dpadUp = Button(controller, SDL_CONTROLLER_BUTTON_DPAD_UP);
  state.dpadDown = Button(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  state.south = Button(controller, SDL_CONTROLLER_BUTTON_A);
  state.east = Button(controller, SDL_CONTROLLER_BUTTON_B);
  state.start = Button(controller, SDL_CONTROLLER_BUTTON_START);
  state.rightTrigger = std::max(0.0, Axis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
  return state;
}

bool TSdlGamepads::ButtonPressed(wnd::TPadButton button) {
  bool& pressed = pressed_[static_cast<int>(button)];
  const bool was = pressed;
  pressed = false;
  return was;
}
