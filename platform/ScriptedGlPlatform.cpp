#include "platform/ScriptedGlPlatform.h"

#include <GL/gl.h>

// Tests always get a window of exactly the size asked, whatever the display's own size.
wnd::TWindowInfo TScriptedGlPlatform::OpenWindow(int width, int height, int depthBits,
                                                 int stencilBits, bool) {
  if (real_.Window()) real_.CloseWindow();
  wnd::TWindowInfo info = real_.OpenWindow(width, height, depthBits, stencilBits, false);
  capturedWidth = info.width;
  capturedHeight = info.height;
  return info;
}

void TScriptedGlPlatform::PresentFrame() {
  if (captureFrames && real_.Window()) {
    capturedFrame.resize(static_cast<std::size_t>(capturedWidth) * capturedHeight * 4);
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, capturedWidth, capturedHeight, GL_RGBA, GL_UNSIGNED_BYTE,
                 capturedFrame.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  }
  real_.SwapBuffers();
}
