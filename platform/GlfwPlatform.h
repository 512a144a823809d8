// The real windowing layer on GLFW 3: the only file pair of the game that calls GLFW.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/Window.h"

struct GLFWwindow;

class TGlfwPlatform : public wnd::TPlatform {
 public:
  TGlfwPlatform();
  ~TGlfwPlatform() override;

  // Paced: at most 60 frames a second (vsync on a 60 Hz display, a limiter otherwise).
  // Unpaced swaps return at once; benchmarks measure that way.
  void SetPaced(bool paced) { paced_ = paced; }
  // Message boxes go to standard error instead of a modal box (unattended runs).
  void SetQuietMessages(bool quiet) { quietMessages_ = quiet; }
  // Prints "first_frame_at_ms: T" (wall clock) when the first frame is shown, so a
  // benchmark can time the start-up of the whole process.
  void SetFirstFrameReport(bool report) { reportFirstFrame_ = report; }
  // A window is made smaller where the screen cannot hold it; tests turn that off to get
  // exactly the size they ask for.
  void SetFitToScreen(bool fit) { fitToScreen_ = fit; }

  wnd::TWindowInfo OpenWindow(int width, int height, int depthBits, int stencilBits,
                              bool fullscreen) override;
  void CloseWindow() override;
  void SwapBuffers() override;
  void PollEvents() override;
  void WaitEvents(int milliseconds) override;
  int GetKey(int key) override;
  void GetMousePos(int& x, int& y) override;
  int GetMouseButton(int button) override;
  bool KeyPressed(int key) override;
  bool MouseButtonPressed(int button) override;
  void ForgetPresses() override;
  void SetWindowTitle(const std::string& title) override;
  std::uint32_t GetTickCount() override;
  void MessageBox(const std::string& text, const std::string& caption) override;
  bool StartProgram(const std::string& path) override;
  bool ProgramRunning() override;
  wnd::TLocalTime LocalTime() override;
  void Randomize() override;
  bool DrawableSize(int& width, int& height) override;
  void SetFullScreen(bool fullScreen) override;
  wnd::TDisplayState Display() const override;
  bool TakeFocusLost() override;

  GLFWwindow* Window() const { return window_; }
  // Makes this window's OpenGL context the current one.
  void MakeCurrent();
  // Holds GLFW (and its display connection) open across windows closing and opening:
  // an X server started by xvfb-run resets when its last client leaves, and is then
  // unreachable for the next window.
  static bool Retain();
  static void Release();

 private:
  void LimitFrameRate();
  // The window's size when not full screen: the one asked, or smaller to fit the screen.
  void FitWindowSize(int& width, int& height) const;
  // After events: a switch asked for by a key, and the news of a change of display.
  void ApplyDisplayEvents();
  void ReadDrawableSize();
  // GLFW's event callbacks: presses are counted as they come, however short.
  static void OnKey(GLFWwindow* window, int key, int scancode, int action, int mods);
  static void OnMouseButton(GLFWwindow* window, int button, int action, int mods);
  static void OnFramebufferSize(GLFWwindow* window, int width, int height);
  static void OnWindowSize(GLFWwindow* window, int width, int height);
  static void OnFocus(GLFWwindow* window, int focused);
  static void OnIconify(GLFWwindow* window, int iconified);
  wnd::TPressLog keyPresses_;     // by GLFW key code
  wnd::TPressLog buttonPresses_;  // by GLFW button
  GLFWwindow* window_ = nullptr;
  bool fullScreen_ = false;
  int windowX_ = 0, windowY_ = 0;  // the window's place and size, kept while full screen
  int windowWidth_ = 0, windowHeight_ = 0;
  int drawableWidth_ = 0, drawableHeight_ = 0;
  bool switchAsked_ = false;
  bool displayChanged_ = false;
  bool focusLost_ = false;
  bool fitToScreen_ = true;
  bool initialised_ = false;
  bool paced_ = true;
  bool vsync_ = false;
  bool quietMessages_ = false;
  bool reportFirstFrame_ = false;
  long startedProgram_ = 0;
  std::chrono::steady_clock::time_point nextFrame_{};
};

// Maps a key code of the 2.x interface to GLFW 3's.
int MapKeyToGlfw3(int key);
