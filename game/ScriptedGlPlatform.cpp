#include "game/ScriptedGlPlatform.h"

// Tests always get a window of exactly the size asked, whatever the display's own size.
wnd::TWindowInfo TScriptedGlPlatform::OpenWindow(int width, int height, int depthBits,
                                                 int stencilBits, bool) {
  if (real_.Window()) real_.CloseWindow();
  return real_.OpenWindow(width, height, depthBits, stencilBits, false);
}
