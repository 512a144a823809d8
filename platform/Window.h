// The windowing layer as the rest of the game sees it: a handful of 2.x-style calls
// (swap, poll, keys, mouse, title) and the services the game takes from the system
// (tick count, message box, program start, local time, random numbers).
// Every call goes through one replaceable TPlatform, so tests drive whole loops with
// a fake clock and scripted input. Only the GLFW platform talks to GLFW.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>

namespace wnd {

// Key codes of the 2.x interface the game is written against.
inline constexpr int KEY_SPACE = 32;
inline constexpr int KEY_ESC = 257;
inline constexpr int KEY_UP = 283;
inline constexpr int KEY_DOWN = 284;
inline constexpr int KEY_LEFT = 285;
inline constexpr int KEY_RIGHT = 286;
inline constexpr int KEY_ENTER = 294;
inline constexpr int MOUSE_BUTTON_LEFT = 0;
inline constexpr int PRESS = 1;
inline constexpr int RELEASE = 0;

struct TLocalTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// What the window really turned out to be.
struct TWindowInfo {
  bool opened = false;
  int width = 0;   // framebuffer pixels: what the game draws into
  int height = 0;
  // What the context's buffers hold. The window layer calls no GL, so a real window
  // leaves them 0 and the shell fills them in from the renderer once the context is up.
  int depthBits = 0;
  int stencilBits = 0;
};

// Full screen or a window, and the window's size for when it is one (screen pixels).
struct TDisplayState {
  bool fullScreen = false;
  int windowWidth = 0;
  int windowHeight = 0;
};

class TPlatform {
 public:
  virtual ~TPlatform() = default;

  // Display and input.
  virtual TWindowInfo OpenWindow(int width, int height, int depthBits, int stencilBits,
                                 bool fullscreen) = 0;
  virtual void CloseWindow() = 0;
  virtual void SwapBuffers() = 0;  // presents the frame, then polls events
  virtual void PollEvents() = 0;
  // Polls, sleeping up to `milliseconds` until an event comes: waits that draw nothing
  // leave the processor to others (a story film runs beside the game).
  virtual void WaitEvents(int milliseconds) {
    (void)milliseconds;
    PollEvents();
  }
  // Input has two meanings. Levels: PRESS while the key or button is down now (what the
  // flight reads). Presses: whether it went down since the last time anyone asked about
  // it, so a tap shorter than a frame is seen once, and a press is never seen twice.
  // A screen that starts forgets every pending press, so nothing pressed on an earlier
  // screen (or while nothing was reading) acts on it.
  virtual int GetKey(int key) = 0;
  virtual void GetMousePos(int& x, int& y) = 0;  // framebuffer pixels from the top-left
  virtual int GetMouseButton(int button) = 0;
  virtual bool KeyPressed(int key) = 0;
  virtual bool MouseButtonPressed(int button) = 0;
  virtual void ForgetPresses() = 0;
  virtual void SetWindowTitle(const std::string& title) = 0;

  // System services.
  virtual std::uint32_t GetTickCount() = 0;  // milliseconds, monotonic
  virtual void MessageBox(const std::string& text, const std::string& caption) = 0;
  virtual bool StartProgram(const std::string& path) = 0;  // never waits for it
  // Whether the program started last still runs.
  virtual bool ProgramRunning() = 0;
  virtual TLocalTime LocalTime() = 0;

  // Random numbers in [0, 1); Randomize seeds the generator from the clock.
  virtual void Randomize() { rng_.seed(GetTickCount()); }
  double Random() { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); }

  // The display. Full screen is borderless at the desktop's own mode, a window can be
  // resized; F11 or Alt+Enter switches between the two at any time, keeping the GL context
  // (and so every texture and list). Screens follow the drawable size as it changes.
  // The framebuffer's size now; false where no window can change size (headless runs).
  virtual bool DrawableSize(int& width, int& height) {
    (void)width;
    (void)height;
    return false;
  }
  virtual void SetFullScreen(bool fullScreen) { (void)fullScreen; }
  virtual TDisplayState Display() const { return {}; }
  // True, once, when the window lost the keyboard focus or was minimised since the last
  // ask: a race pauses then. A screen that starts forgets it, as it forgets presses.
  virtual bool TakeFocusLost() { return false; }
  // Told after the player switched or resized the display, so the choice can be kept.
  void SetDisplayListener(std::function<void(const TDisplayState&)> listener) {
    displayListener_ = std::move(listener);
  }

 protected:
  void TellDisplayChanged() {
    if (displayListener_) displayListener_(Display());
  }
  std::mt19937 rng_{20261208u};

 private:
  std::function<void(const TDisplayState&)> displayListener_;
};

// One side of the window's drawable area as it is now. The window may change size while a
// screen runs (a switch to full screen, the player dragging its border), so screens keep
// these rather than the size they began at. Where no window can change size, each keeps
// the length it was made with.
template <bool kWidth>
class TDrawableSide {
 public:
  TDrawableSide(int start) : start_(start) {}  // NOLINT: stands for an int everywhere
  operator int() const;

 private:
  int start_;
};
using TDrawableWidth = TDrawableSide<true>;
using TDrawableHeight = TDrawableSide<false>;

// Counts the presses each key or button code has had since it was last asked about.
class TPressLog {
 public:
  void Press(int code) { ++counts_[code]; }
  // True, once, when the code had a press since the last Take.
  bool Take(int code);
  void Clear() { counts_.clear(); }
  int Pending(int code) const;

 private:
  std::map<int, int> counts_;
};

// The platform in use. Until one is installed, a headless platform answers (no window,
// real clock, messages on standard error).
TPlatform& Platform();
void SetPlatform(TPlatform* platform);  // nullptr restores the headless one

// RAII: installs a platform for the lifetime of the guard, then restores the previous one.
class TPlatformGuard {
 public:
  explicit TPlatformGuard(TPlatform& platform);
  ~TPlatformGuard();
  TPlatformGuard(const TPlatformGuard&) = delete;
  TPlatformGuard& operator=(const TPlatformGuard&) = delete;

 private:
  TPlatform* previous_;
};

// The 2.x-style calls used throughout the game.
inline void SwapBuffers() { Platform().SwapBuffers(); }
inline void PollEvents() { Platform().PollEvents(); }
inline void WaitEvents(int milliseconds) { Platform().WaitEvents(milliseconds); }
inline int GetKey(int key) { return Platform().GetKey(key); }
inline void GetMousePos(int& x, int& y) { Platform().GetMousePos(x, y); }
inline int GetMouseButton(int button) { return Platform().GetMouseButton(button); }
inline bool KeyPressed(int key) { return Platform().KeyPressed(key); }
inline bool MouseButtonPressed(int button) { return Platform().MouseButtonPressed(button); }
inline void ForgetPresses() { Platform().ForgetPresses(); }
inline void SetWindowTitle(const std::string& title) { Platform().SetWindowTitle(title); }
inline std::uint32_t GetTickCount() { return Platform().GetTickCount(); }
inline void MessageBox(const std::string& text, const std::string& caption) {
  Platform().MessageBox(text, caption);
}
inline bool StartProgram(const std::string& path) { return Platform().StartProgram(path); }
inline bool ProgramRunning() { return Platform().ProgramRunning(); }
inline TLocalTime LocalTime() { return Platform().LocalTime(); }
inline void Randomize() { Platform().Randomize(); }
inline double Random() { return Platform().Random(); }
inline bool TakeFocusLost() { return Platform().TakeFocusLost(); }

template <bool kWidth>
TDrawableSide<kWidth>::operator int() const {
  int width = 0, height = 0;
  if (!Platform().DrawableSize(width, height) || width <= 0 || height <= 0) return start_;
  return kWidth ? width : height;
}

}  // namespace wnd
