#include "platform/ScriptedGlPlatform.h"

// Tests always get a window of exactly the size asked, whatever the display's own size.
wnd::TWindowInfo TScriptedGlPlatform::OpenWindow(int width, int height, int depthBits,
                                                 int stencilBits, bool fullscreen) {
  if (real_.Window()) real_.CloseWindow();
  display = {fullscreen, width, height};
  wnd::TWindowInfo info = real_.OpenWindow(width, height, depthBits, stencilBits, false);
  capturedWidth = info.width;
  capturedHeight = info.height;
  return info;
}

void TScriptedGlPlatform::PresentFrame() {
  if (captureFrames && real_.Window() && readFrame_) {
    readFrame_(capturedWidth, capturedHeight, capturedFrame);
  }
  real_.SwapBuffers();
}
