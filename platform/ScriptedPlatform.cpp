#include "platform/ScriptedPlatform.h"

void TScriptedPlatform::Queue(const TInputState& state, int frames) {
  if (frames > 0) queue_.push_back({state, frames, false, -1, false});
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

void TScriptedPlatform::QueueTap(int key, int frames) {
  if (frames > 0) queue_.push_back({TInputState{}, frames, false, key, false});
}

void TScriptedPlatform::QueueTapClick(int x, int y, int frames) {
  if (frames > 0) queue_.push_back({TInputState{{}, x, y, false}, frames, false, -1, true});
}

void TScriptedPlatform::QueueIdle(int frames) { Queue(TInputState{}, frames); }

void TScriptedPlatform::QueueFocusLoss(int frames) {
  if (frames > 0) queue_.push_back({TInputState{}, frames, false, -1, false, true});
}

bool TScriptedPlatform::TakeFocusLost() {
  const bool lost = focusLost_;
  focusLost_ = false;
  return lost;
}

bool TScriptedPlatform::DrawableSize(int& width, int& height) {
  if (drawableWidth <= 0 || drawableHeight <= 0) return false;
  width = drawableWidth;
  height = drawableHeight;
  return true;
}

void TScriptedPlatform::SetFullScreen(bool fullScreen) {
  if (fullScreen == display.fullScreen) return;
  display.fullScreen = fullScreen;
  drawableWidth = fullScreen ? desktopWidth : display.windowWidth;
  drawableHeight = fullScreen ? desktopHeight : display.windowHeight;
  TellDisplayChanged();
}

void TScriptedPlatform::ResizeWindow(int width, int height) {
  display.windowWidth = drawableWidth = width;
  display.windowHeight = drawableHeight = height;
  TellDisplayChanged();
}

std::size_t TScriptedPlatform::QueuedFrames() const {
  std::size_t total = 0;
  for (const TStep& step : queue_) total += static_cast<std::size_t>(step.frames);
  return total;
}

wnd::TWindowInfo TScriptedPlatform::OpenWindow(int width, int height, int, int stencilBits,
                                               bool fullscreen) {
  display = {fullscreen, width, height};
  return {true, width, height, 24, stencilBits};
}

// Takes the next queued state; a state without a pointer position keeps the last one,
// so a key script does not throw the mouse back to the corner. With the queue empty,
// keys and button are up and the pointer stays.
void TScriptedPlatform::AdvanceScript() {
  if (queue_.empty()) {
    DeliverEvents();
    input.keys.clear();
    input.button = false;
    DeliverEvents();
    return;
  }
  TStep& step = queue_.front();
  TInputState next = step.state;
  if (next.mouseX < 0 || next.mouseY < 0) {
    next.mouseX = input.mouseX;
    next.mouseY = input.mouseY;
  }
  // A step's taps come once, before its first frame.
  if (!step.begun) {
    if (step.tappedKey >= 0) keyPresses_.Press(step.tappedKey);
    if (step.buttonTapped) buttonPresses_.Press(wnd::MOUSE_BUTTON_LEFT);
    if (step.focusLost) focusLost_ = true;
    step.begun = true;
  }
  DeliverEvents();
  input = next;
  DeliverEvents();
  if (--step.frames == 0) queue_.pop_front();
}

void TScriptedPlatform::DeliverEvents() {
  for (int key : input.keys) {
    if (!keysDelivered_.count(key)) keyPresses_.Press(key);
  }
  if (input.button && !buttonDelivered_) buttonPresses_.Press(wnd::MOUSE_BUTTON_LEFT);
  keysDelivered_ = input.keys;
  buttonDelivered_ = input.button;
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
  if (onPoll) onPoll(*this);
}

void TScriptedPlatform::WaitEvents(int milliseconds) {
  ++polls;
  now += static_cast<std::uint32_t>(milliseconds > 0 ? milliseconds : 0);
  if (polls > maxPolls) throw TFrameLimitReached("scripted platform: poll limit reached");
  if (onPoll) onPoll(*this);
}

int TScriptedPlatform::GetKey(int key) {
  DeliverEvents();
  return input.keys.count(key) ? wnd::PRESS : wnd::RELEASE;
}

void TScriptedPlatform::GetMousePos(int& x, int& y) {
  x = input.mouseX;
  y = input.mouseY;
}

int TScriptedPlatform::GetMouseButton(int button) {
  DeliverEvents();
  return (button == wnd::MOUSE_BUTTON_LEFT && input.button) ? wnd::PRESS : wnd::RELEASE;
}

bool TScriptedPlatform::KeyPressed(int key) {
  DeliverEvents();
  return keyPresses_.Take(key);
}

bool TScriptedPlatform::MouseButtonPressed(int button) {
  DeliverEvents();
  return button == wnd::MOUSE_BUTTON_LEFT && buttonPresses_.Take(button);
}

void TScriptedPlatform::ForgetPresses() {
  DeliverEvents();
  keyPresses_.Clear();
  buttonPresses_.Clear();
  focusLost_ = false;
}

int TScriptedPlatform::PendingPresses(int key) {
  DeliverEvents();
  return keyPresses_.Pending(key);
}
