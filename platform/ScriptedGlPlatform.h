// The scripted platform with a real window and OpenGL context: input and clock are
// scripted, the frames are drawn and presented for real, so pixels can be read back.
#pragma once

#include "platform/GlfwPlatform.h"
#include "platform/ScriptedPlatform.h"

#include <cstdint>
#include <vector>

class TScriptedGlPlatform : public TScriptedPlatform {
 public:
  // Reads the back buffer of a width x height window as RGBA, bottom row first. The
  // window layer calls no GL: whoever holds the renderer hands its reader in.
  using TFrameReader = void (*)(int width, int height, std::vector<std::uint8_t>& rgba);

  explicit TScriptedGlPlatform(TFrameReader readFrame) : readFrame_(readFrame) {
    real_.SetPaced(false);
    real_.SetFitToScreen(false);
  }
  wnd::TWindowInfo OpenWindow(int width, int height, int depthBits, int stencilBits,
                              bool fullscreen) override;
  void CloseWindow() override { real_.CloseWindow(); }
  bool HasWindow() const { return real_.Window() != nullptr; }

  // While set, every frame is read back just before it is shown, so a test can look at
  // the last frame a loop presented (the front buffer cannot be read back everywhere).
  bool captureFrames = false;
  int capturedWidth = 0;
  int capturedHeight = 0;
  std::vector<std::uint8_t> capturedFrame;  // RGBA, bottom row first

 protected:
  void PresentFrame() override;

 private:
  TGlfwPlatform real_;
  TFrameReader readFrame_;
};
