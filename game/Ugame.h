// The game shell: opens the display, sets the OpenGL state every screen starts from,
// and runs the mode loop.
#pragma once

#include <memory>
#include <string>

#include "game/ModeLoop.h"
#include "platform/Window.h"

class Tgame {
 public:
  Tgame(int width, int height, bool fullscreen);
  ~Tgame();
  Tgame(const Tgame&) = delete;
  Tgame& operator=(const Tgame&) = delete;

  void Run(IModeFactory& factory);
  void SetTraceModes(bool trace) { traceModes_ = trace; }

  int screenWidth = 0;
  int screenHeight = 0;
  std::string mode = "MENU";
  const wnd::TWindowInfo& Window() const { return window_; }

  static void InitBuffers();
  static void InitProjection(int width, int height);
  static void InitBlending();
  static void InitLights();

 private:
  void OpenWindow(int width, int height, bool fullscreen);
  wnd::TWindowInfo window_;
  bool traceModes_ = false;
};
