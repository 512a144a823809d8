// A platform for tests: a fake clock that moves only when the game swaps or polls,
// keys and mouse scripted frame by frame, and a record of titles, message boxes and
// started programs. The GL variant (ScriptedGlPlatform.h) adds a real window and context.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/Window.h"

// What is down during a frame. Keys and button going down between two frames are
// presses, as GLFW's callbacks report them.
struct TInputState {
  std::set<int> keys;
  int mouseX = -1;  // -1 leaves the pointer where it is
  int mouseY = -1;
  bool button = false;
};

// Thrown when a loop under test runs past the frame limit instead of ending.
class TFrameLimitReached : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TScriptedPlatform : public wnd::TPlatform {
 public:
  // The clock advances by frameMs at every swap and by pollMs at every poll.
  std::uint32_t now = 1000;
  std::uint32_t frameMs = 16;
  std::uint32_t pollMs = 16;
  long maxSwaps = 200000;
  long maxPolls = 2000000;

  wnd::TLocalTime localTime{2026, 12, 7, 14, 37, 9};
  bool startProgramResult = true;
  // Started programs run until a test says they ended.
  bool programRunning = true;

  // Records.
  long swaps = 0;
  long polls = 0;
  std::vector<std::string> titles;
  std::vector<std::pair<std::string, std::string>> messages;  // text, caption
  std::vector<std::string> startedPrograms;

  // Called after every swap, once the queued input for the next frame is in place.
  std::function<void(TScriptedPlatform&)> onSwap;
  // Called after every poll or wait that draws nothing.
  std::function<void(TScriptedPlatform&)> onPoll;

  // Input as the game reads it now.
  TInputState input{{}, 0, 0, false};

  // Queues input for the coming frames: each state holds for `frames` swaps.
  void Queue(const TInputState& state, int frames = 1);
  // Queues a click: the pointer moves over (x, y), the button goes down, then up.
  void QueueClick(int x, int y, int holdFrames = 3);
  // Queues a key held for `frames` swaps, then released.
  void QueueKey(int key, int frames = 3);
  // A tap is a press and its release both coming between two frames: GLFW reports the
  // press, and no level ever shows it.
  // Queues a key tapped before the next frame, then `frames` idle swaps.
  void QueueTap(int key, int frames = 1);
  // Queues a click begun and ended between two frames over (x, y).
  void QueueTapClick(int x, int y, int frames = 1);
  // Queues `frames` swaps with nothing held (the pointer stays where it is).
  void QueueIdle(int frames);
  // Queues the window losing the focus (another window taken, or minimised) before the
  // next frame, then `frames` idle swaps: as with GLFW, the news comes once, on a poll.
  void QueueFocusLoss(int frames = 1);
  // A press and release that happen now, before the game next looks.
  void Tap(int key) { keyPresses_.Press(key); }
  void TapButton() { buttonPresses_.Press(wnd::MOUSE_BUTTON_LEFT); }
  // Presses of the key waiting for someone to ask.
  int PendingPresses(int key);
  bool QueueEmpty() const { return queue_.empty(); }
  void ClearQueue() { queue_.clear(); }
  std::size_t QueuedFrames() const;

  // wnd::TPlatform
  wnd::TWindowInfo OpenWindow(int width, int height, int depthBits, int stencilBits,
                              bool fullscreen) override;
  void CloseWindow() override {}
  void SwapBuffers() override;
  void PollEvents() override;
  // A wait costs no real time: the clock moves by the time waited.
  void WaitEvents(int milliseconds) override;
  int GetKey(int key) override;
  void GetMousePos(int& x, int& y) override;
  int GetMouseButton(int button) override;
  bool KeyPressed(int key) override;
  bool MouseButtonPressed(int button) override;
  void ForgetPresses() override;
  void SetWindowTitle(const std::string& title) override { titles.push_back(title); }
  std::uint32_t GetTickCount() override { return now; }
  void MessageBox(const std::string& text, const std::string& caption) override {
    messages.emplace_back(text, caption);
  }
  bool StartProgram(const std::string& path) override {
    startedPrograms.push_back(path);
    return startProgramResult;
  }
  bool ProgramRunning() override { return programRunning; }
  wnd::TLocalTime LocalTime() override { return localTime; }
  void Randomize() override { rng_.seed(now); }

  // The display. Until a test sets a drawable size, none is reported and screens keep
  // the size they were made with. A switch takes the desktop's size or the window's.
  int drawableWidth = 0;
  int drawableHeight = 0;
  wnd::TDisplayState display{false, 1024, 768};
  int desktopWidth = 1920;
  int desktopHeight = 1080;
  bool DrawableSize(int& width, int& height) override;
  void SetFullScreen(bool fullScreen) override;
  wnd::TDisplayState Display() const override { return display; }
  // The player drags the window's border to a new size.
  void ResizeWindow(int width, int height);
  bool TakeFocusLost() override;

 protected:
  // Hook for the GL variant: present the frame on a real window.
  virtual void PresentFrame() {}

 private:
  struct TStep {
    TInputState state;
    int frames = 0;
    bool begun = false;
    int tappedKey = -1;  // -1: none
    bool buttonTapped = false;
    bool focusLost = false;
  };
  void AdvanceScript();
  // Turns what changed in `input` since the game last looked into presses: tests may
  // also set `input` directly.
  void DeliverEvents();
  std::deque<TStep> queue_;
  std::set<int> keysDelivered_;
  bool buttonDelivered_ = false;
  bool focusLost_ = false;
  wnd::TPressLog keyPresses_;
  wnd::TPressLog buttonPresses_;
};
