#include "game/ScriptedPlatform.h"

void TScriptedPlatform::Queue(const TInputState& state, int frames) {
  if (frames > 0) queue_.emplace_back(state, frames);
}

void TScriptedPlatform::QueueClick(int x, int y, int holdFrames) {
  TInputState over;
  over.mouseX = x;
  over.mouseY = y;
  Queue(over, 1);
  TInputState down = over;
  down.button = true;
  Queue(down, holdFrames);
  Queue(over, 1);
}

void TScriptedPlatform::QueueKey(int key, int frames) {
  TInputState held;
  held.keys.insert(key);
  Queue(held, frames);
  Queue(TInputState{}, 1);
}

void TScriptedPlatform::QueueIdle(int frames) { Queue(TInputState{}, frames); }

std::size_t TScriptedPlatform::QueuedFrames() const {
  std::size_t total = 0;
  for (const auto& step : queue_) total += static_cast<std::size_t>(step.second);
  return total;
}

wnd::TWindowInfo TScriptedPlatform::OpenWindow(int width, int height, int, int stencilBits,
                                               bool) {
  return {true, width, height, 24, stencilBits};
}

// Takes the next queued state; a state without a pointer position keeps the last one,
// so a key script does not throw the mouse back to the corner. With the queue empty,
// keys and button are up and the pointer stays.
void TScriptedPlatform::AdvanceScript() {
  if (queue_.empty()) {
    input.keys.clear();
    input.button = false;
    return;
  }
  auto& [state, frames] = queue_.front();
  TInputState next = state;
  if (next.mouseX < 0 || next.mouseY < 0) {
    next.mouseX = input.mouseX;
    next.mouseY = input.mouseY;
  }
  input = next;
  if (--frames == 0) queue_.pop_front();
}

void TScriptedPlatform::SwapBuffers() {
  PresentFrame();
  ++swaps;
  now += frameMs;
  if (swaps > maxSwaps) throw TFrameLimitReached("scripted platform: frame limit reached");
  AdvanceScript();
  if (onSwap) onSwap(*this);
}

void TScriptedPlatform::PollEvents() {
  ++polls;
  now += pollMs;
  if (polls > maxPolls) throw TFrameLimitReached("scripted platform: poll limit reached");
}

void TScriptedPlatform::WaitEvents(int milliseconds) {
  ++polls;
  now += static_cast<std::uint32_t>(milliseconds > 0 ? milliseconds : 0);
  if (polls > maxPolls) throw TFrameLimitReached("scripted platform: poll limit reached");
}

int TScriptedPlatform::GetKey(int key) {
  return input.keys.count(key) ? wnd::PRESS : wnd::RELEASE;
}

void TScriptedPlatform::GetMousePos(int& x, int& y) {
  x = input.mouseX;
  y = input.mouseY;
}

int TScriptedPlatform::GetMouseButton(int button) {
  return (button == wnd::MOUSE_BUTTON_LEFT && input.button) ? wnd::PRESS : wnd::RELEASE;
}
