#include "platform/GlfwPlatform.h"

// The window layer calls no GL itself: the renderer above it does.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <thread>

#include "platform/Gamepads.h"
#include "platform/SystemServices.h"

namespace {

constexpr auto kFramePeriod = std::chrono::microseconds(16667);  // 60 frames a second

void ReportGlfwError(int code, const char* description) {
  std::fprintf(stderr, "GLFW error %d: %s\n", code, description);
}

// GLFW is initialised once per process however many platforms open windows (tests keep
// a scripted window and a real one side by side); the last one out terminates it.
int glfwUsers = 0;

bool AcquireGlfw() {
  if (glfwUsers == 0) {
    glfwSetErrorCallback(ReportGlfwError);
    if (glfwInit() != GLFW_TRUE) return false;
  }
  ++glfwUsers;
  return true;
}

void ReleaseGlfw() {
  if (glfwUsers > 0 && --glfwUsers == 0) glfwTerminate();
}

}  // namespace

int MapKeyToGlfw3(int key) {
  switch (key) {
    case wnd::KEY_ESC: return GLFW_KEY_ESCAPE;
    case wnd::KEY_UP: return GLFW_KEY_UP;
    case wnd::KEY_DOWN: return GLFW_KEY_DOWN;
    case wnd::KEY_LEFT: return GLFW_KEY_LEFT;
    case wnd::KEY_RIGHT: return GLFW_KEY_RIGHT;
    case wnd::KEY_ENTER: return GLFW_KEY_ENTER;
    default: break;
  }
  // Space, digits and upper-case letters share their codes between the two interfaces.
  if (key >= 32 && key <= 96) return key;
  return GLFW_KEY_UNKNOWN;
}

TGlfwPlatform::TGlfwPlatform() = default;

TGlfwPlatform::~TGlfwPlatform() { CloseWindow(); }

namespace {

// The desktop's mode, as full screen uses it: no switch of the monitor's mode.
const GLFWvidmode* DesktopMode() {
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  return monitor ? glfwGetVideoMode(monitor) : nullptr;
}

}  // namespace

void TGlfwPlatform::FitWindowSize(int& width, int& height) const {
  int x = 0, y = 0, areaWidth = 0, areaHeight = 0;
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  if (monitor && fitToScreen_) glfwGetMonitorWorkarea(monitor, &x, &y, &areaWidth, &areaHeight);
  if (areaWidth <= 0 || areaHeight <= 0) return;
  // Room for a window manager's border and title bar; the shape is kept.
  const double fit = std::min({1.0, (areaWidth - 16.0) / width, (areaHeight - 48.0) / height});
  width = std::max(160, static_cast<int>(width * fit));
  height = std::max(120, static_cast<int>(height * fit));
}

// Full screen takes the desktop's own mode (the size asked is then the window's, for a
// later switch); a window is the size asked, or less where the screen is smaller.
wnd::TWindowInfo TGlfwPlatform::OpenWindow(int width, int height, int depthBits,
                                           int stencilBits, bool fullscreen) {
  if (!initialised_) {
    initialised_ = AcquireGlfw();
    if (!initialised_) return {};
  }
  // The depth request is only a hint: GLFW picks the nearest buffer the display offers.
  glfwDefaultWindowHints();
  glfwWindowHint(GLFW_DEPTH_BITS, depthBits);
  glfwWindowHint(GLFW_STENCIL_BITS, stencilBits);
  // Losing focus must not iconify a full-screen game (a message box, a video window).
  glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
  glfwWindowHint(GLFW_RESIZABLE, GLFW_TRUE);
  windowWidth_ = width;
  windowHeight_ = height;
  FitWindowSize(windowWidth_, windowHeight_);
  const GLFWvidmode* mode = DesktopMode();
  GLFWmonitor* monitor = fullscreen && mode ? glfwGetPrimaryMonitor() : nullptr;
  if (monitor) {
    glfwWindowHint(GLFW_RED_BITS, mode->redBits);
    glfwWindowHint(GLFW_GREEN_BITS, mode->greenBits);
    glfwWindowHint(GLFW_BLUE_BITS, mode->blueBits);
    glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
    window_ = glfwCreateWindow(mode->width, mode->height, "Velmora", monitor, nullptr);
  }
  if (!window_) {
    monitor = nullptr;
    window_ = glfwCreateWindow(windowWidth_, windowHeight_, "Velmora", nullptr, nullptr);
  }
  if (!window_) return {};
  fullScreen_ = monitor != nullptr;
  if (!fullScreen_) glfwGetWindowPos(window_, &windowX_, &windowY_);
  glfwMakeContextCurrent(window_);
  // No sticky mode: it turns every release into one more pending "pressed", which a later
  // screen then reads. Short taps are caught by the callbacks instead.
  glfwSetInputMode(window_, GLFW_STICKY_KEYS, GLFW_FALSE);
  glfwSetInputMode(window_, GLFW_STICKY_MOUSE_BUTTONS, GLFW_FALSE);
  glfwSetWindowUserPointer(window_, this);
  glfwSetKeyCallback(window_, OnKey);
  glfwSetMouseButtonCallback(window_, OnMouseButton);
  glfwSetFramebufferSizeCallback(window_, OnFramebufferSize);
  glfwSetWindowSizeCallback(window_, OnWindowSize);
  glfwSetWindowFocusCallback(window_, OnFocus);
  glfwSetWindowIconifyCallback(window_, OnIconify);
  ForgetPresses();
  glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_NORMAL);

  // Vsync paces a 60 Hz display by itself; any other rate is paced by the limiter.
  vsync_ = mode && std::abs(mode->refreshRate - 60) <= 1;
  glfwSwapInterval(paced_ && vsync_ ? 1 : 0);
  nextFrame_ = std::chrono::steady_clock::now();

  ReadDrawableSize();
  wnd::TWindowInfo info;
  info.opened = true;
  info.width = drawableWidth_;
  info.height = drawableHeight_;
  return info;
}

void TGlfwPlatform::ReadDrawableSize() {
  if (window_) glfwGetFramebufferSize(window_, &drawableWidth_, &drawableHeight_);
}

bool TGlfwPlatform::DrawableSize(int& width, int& height) {
  if (!window_) return false;
  width = drawableWidth_;
  height = drawableHeight_;
  return true;
}

wnd::TDisplayState TGlfwPlatform::Display() const {
  return {fullScreen_, windowWidth_, windowHeight_};
}

// The same window and context go to the monitor at its own mode or come back to where
// the window was: nothing drawn is lost.
void TGlfwPlatform::SetFullScreen(bool fullScreen) {
  const GLFWvidmode* mode = DesktopMode();
  if (!window_ || fullScreen == fullScreen_ || (fullScreen && !mode)) return;
  if (fullScreen) {
    glfwGetWindowPos(window_, &windowX_, &windowY_);
    glfwSetWindowMonitor(window_, glfwGetPrimaryMonitor(), 0, 0, mode->width, mode->height,
                         mode->refreshRate);
  } else {
    glfwSetWindowMonitor(window_, nullptr, windowX_, windowY_, windowWidth_, windowHeight_,
                         GLFW_DONT_CARE);
  }
  fullScreen_ = fullScreen;
  ReadDrawableSize();
  displayChanged_ = true;
}

bool TGlfwPlatform::TakeFocusLost() {
  const bool lost = focusLost_;
  focusLost_ = false;
  return lost;
}

void TGlfwPlatform::ApplyDisplayEvents() {
  if (switchAsked_) {
    switchAsked_ = false;
    SetFullScreen(!fullScreen_);
  }
  if (displayChanged_) {
    displayChanged_ = false;
    TellDisplayChanged();
  }
}

void TGlfwPlatform::CloseWindow() {
  if (window_) glfwDestroyWindow(window_);
  window_ = nullptr;
  fullScreen_ = switchAsked_ = displayChanged_ = focusLost_ = false;
  if (initialised_) ReleaseGlfw();
  initialised_ = false;
}

void TGlfwPlatform::LimitFrameRate() {
  auto now = std::chrono::steady_clock::now();
  if (now < nextFrame_) {
    std::this_thread::sleep_until(nextFrame_);
    now = nextFrame_;
  }
  // A slow frame does not earn a burst of fast ones afterwards.
  nextFrame_ = std::max(nextFrame_ + kFramePeriod, now);
}

void TGlfwPlatform::SwapBuffers() {
  if (window_) glfwSwapBuffers(window_);
  if (reportFirstFrame_ && window_) {
    reportFirstFrame_ = false;
    auto wall = std::chrono::system_clock::now().time_since_epoch();
    std::printf("first_frame_at_ms: %lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(wall).count()));
    std::fflush(stdout);
  }
  if (paced_) LimitFrameRate();
  PollEvents();
}

void TGlfwPlatform::PollEvents() {
  if (initialised_) {
    glfwPollEvents();
    ApplyDisplayEvents();
  }
  wnd::Gamepads().Poll();
}

void TGlfwPlatform::WaitEvents(int milliseconds) {
  if (initialised_) {
    glfwWaitEventsTimeout(milliseconds / 1000.0);
    ApplyDisplayEvents();
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  wnd::Gamepads().Poll();
}

bool TGlfwPlatform::Retain() { return AcquireGlfw(); }

void TGlfwPlatform::Release() { ReleaseGlfw(); }

void TGlfwPlatform::MakeCurrent() {
  if (window_) glfwMakeContextCurrent(window_);
}

int TGlfwPlatform::GetKey(int key) {
  int code = MapKeyToGlfw3(key);
  if (!window_ || code == GLFW_KEY_UNKNOWN) return wnd::RELEASE;
  return glfwGetKey(window_, code) == GLFW_PRESS ? wnd::PRESS : wnd::RELEASE;
}

// F11 and Alt+Enter switch the display, on any screen; they are no press of the game's.
// The switch waits until the events are read: the window is not changed inside them.
void TGlfwPlatform::OnKey(GLFWwindow* window, int key, int, int action, int mods) {
  auto* self = static_cast<TGlfwPlatform*>(glfwGetWindowUserPointer(window));
  // Auto-repeat is not a new press.
  if (!self || action != GLFW_PRESS) return;
  const bool enter = key == GLFW_KEY_ENTER || key == GLFW_KEY_KP_ENTER;
  if (key == GLFW_KEY_F11 || (enter && (mods & GLFW_MOD_ALT) != 0)) {
    self->switchAsked_ = true;
    return;
  }
  self->keyPresses_.Press(key);
}

void TGlfwPlatform::OnFramebufferSize(GLFWwindow* window, int width, int height) {
  auto* self = static_cast<TGlfwPlatform*>(glfwGetWindowUserPointer(window));
  if (!self || width <= 0 || height <= 0) return;  // minimised: keep the last size
  self->drawableWidth_ = width;
  self->drawableHeight_ = height;
}

// The player's own resize of the window is kept for the next start.
void TGlfwPlatform::OnWindowSize(GLFWwindow* window, int width, int height) {
  auto* self = static_cast<TGlfwPlatform*>(glfwGetWindowUserPointer(window));
  if (!self || self->fullScreen_ || width <= 0 || height <= 0) return;
  if (width == self->windowWidth_ && height == self->windowHeight_) return;
  self->windowWidth_ = width;
  self->windowHeight_ = height;
  self->displayChanged_ = true;
}

void TGlfwPlatform::OnFocus(GLFWwindow* window, int focused) {
  auto* self = static_cast<TGlfwPlatform*>(glfwGetWindowUserPointer(window));
  if (self && focused == GLFW_FALSE) self->focusLost_ = true;
}

void TGlfwPlatform::OnIconify(GLFWwindow* window, int iconified) {
  auto* self = static_cast<TGlfwPlatform*>(glfwGetWindowUserPointer(window));
  if (self && iconified == GLFW_TRUE) self->focusLost_ = true;
}

void TGlfwPlatform::OnMouseButton(GLFWwindow* window, int button, int action, int) {
  auto* self = static_cast<TGlfwPlatform*>(glfwGetWindowUserPointer(window));
  if (self && action == GLFW_PRESS) self->buttonPresses_.Press(button);
}

bool TGlfwPlatform::KeyPressed(int key) {
  int code = MapKeyToGlfw3(key);
  return code != GLFW_KEY_UNKNOWN && keyPresses_.Take(code);
}

bool TGlfwPlatform::MouseButtonPressed(int button) {
  return button == wnd::MOUSE_BUTTON_LEFT && buttonPresses_.Take(GLFW_MOUSE_BUTTON_LEFT);
}

void TGlfwPlatform::ForgetPresses() {
  keyPresses_.Clear();
  buttonPresses_.Clear();
  focusLost_ = false;
}

// The cursor comes in window coordinates; the game works in framebuffer pixels,
// which differ where the display scales the window.
void TGlfwPlatform::GetMousePos(int& x, int& y) {
  x = y = 0;
  if (!window_) return;
  double cx = 0, cy = 0;
  int ww = 1, wh = 1, fw = 1, fh = 1;
  glfwGetCursorPos(window_, &cx, &cy);
  glfwGetWindowSize(window_, &ww, &wh);
  glfwGetFramebufferSize(window_, &fw, &fh);
  x = static_cast<int>(std::floor(cx * fw / std::max(ww, 1)));
  y = static_cast<int>(std::floor(cy * fh / std::max(wh, 1)));
}

int TGlfwPlatform::GetMouseButton(int button) {
  if (!window_ || button != wnd::MOUSE_BUTTON_LEFT) return wnd::RELEASE;
  return glfwGetMouseButton(window_, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS ? wnd::PRESS
                                                                          : wnd::RELEASE;
}

void TGlfwPlatform::SetWindowTitle(const std::string& title) {
  if (window_) glfwSetWindowTitle(window_, title.c_str());
}

std::uint32_t TGlfwPlatform::GetTickCount() { return sys::MonotonicMilliseconds(); }

void TGlfwPlatform::MessageBox(const std::string& text, const std::string& caption) {
  if (quietMessages_ ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(),
                               nullptr) != 0) {
    sys::PrintMessage(text, caption);
  }
}

bool TGlfwPlatform::StartProgram(const std::string& path) {
  return sys::StartDetached(path, &startedProgram_);
}

bool TGlfwPlatform::ProgramRunning() { return sys::ProcessRunning(startedProgram_); }

wnd::TLocalTime TGlfwPlatform::LocalTime() { return sys::CurrentLocalTime(); }

void TGlfwPlatform::Randomize() {
  std::random_device device;
  rng_.seed(GetTickCount() ^ static_cast<std::uint32_t>(std::time(nullptr)) ^ device());
}
