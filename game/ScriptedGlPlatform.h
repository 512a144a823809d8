// The scripted platform with a real window and OpenGL context: input and clock are
// scripted, the frames are drawn and presented for real, so pixels can be read back.
#pragma once

#include "game/GlfwPlatform.h"
#include "game/ScriptedPlatform.h"

class TScriptedGlPlatform : public TScriptedPlatform {
 public:
  TScriptedGlPlatform() { real_.SetPaced(false); }
  wnd::TWindowInfo OpenWindow(int width, int height, int depthBits, int stencilBits,
                              bool fullscreen) override;
  void CloseWindow() override { real_.CloseWindow(); }
  bool HasWindow() const { return real_.Window() != nullptr; }

 protected:
  void PresentFrame() override { real_.SwapBuffers(); }

 private:
  TGlfwPlatform real_;
};
