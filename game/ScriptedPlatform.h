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

#include "game/Window.h"

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

  // Input as the game reads it now.
  TInputState input{{}, 0, 0, false};

  // Queues input for the coming frames: each state holds for `frames` swaps.
  void Queue(const TInputState& state, int frames = 1);
  // Queues a click: the pointer moves over (x, y), the button goes down, then up.
  void QueueClick(int x, int y, int holdFrames = 3);
  // Queues a key held for `frames` swaps, then released.
  void QueueKey(int key, int frames = 3);
  // Queues `frames` swaps with nothing held (the pointer stays where it is).
  void QueueIdle(int frames);
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

 protected:
  // Hook for the GL variant: present the frame on a real window.
  virtual void PresentFrame() {}

 private:
  void AdvanceScript();
  std::deque<std::pair<TInputState, int>> queue_;
};
