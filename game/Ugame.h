// The game shell: opens the display, has the renderer set the state every screen starts
// from, and runs the mode loop.
#pragma once

#include <memory>
#include <string>

#include "game/ModeLoop.h"
#include "platform/Window.h"

class Tgame {
 public:
  // `width` x `height` is the window's size for when the game is not full screen.
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

 private:
  void OpenWindow(int width, int height, bool fullscreen);
  // The player's switches and resizes are kept in the settings for the next start. A
  // resize keeps only the size: a run told to use a window leaves full screen chosen.
  void KeepDisplay(const wnd::TDisplayState& display);
  wnd::TWindowInfo window_;
  bool fullScreen_ = false;
  bool traceModes_ = false;
};
