#include "game/Ugame.h"

#include "renderer/GlState.h"
#include "saves/SettingsStore.h"

Tgame::Tgame(int width, int height, bool fullscreen) : screenWidth(width), screenHeight(height) {
  OpenWindow(width, height, fullscreen);
}

Tgame::~Tgame() {
  wnd::Platform().SetDisplayListener(nullptr);
  wnd::Platform().CloseWindow();
}

void Tgame::KeepDisplay(const wnd::TDisplayState& display) {
  TSettings& settings = CurrentSettings();
  if (display.fullScreen != fullScreen_) settings.fullScreen = display.fullScreen;
  fullScreen_ = display.fullScreen;
  if (display.windowWidth > 0 && display.windowHeight > 0) {
    settings.windowWidth = display.windowWidth;
    settings.windowHeight = display.windowHeight;
  }
  StoreSettings();
}

// The display may grant another size than asked (a monitor that cannot switch, a virtual
// display of another size): the game then works at the size it really has.
void Tgame::OpenWindow(int width, int height, bool fullscreen) {
  window_ = wnd::Platform().OpenWindow(width, height, 42, 8, fullscreen);
  if (!window_.opened) return;
  if (window_.width > 0 && window_.height > 0) {
    screenWidth = window_.width;
    screenHeight = window_.height;
  }
  // The platform knows the window, not the GL: what the context's buffers really hold
  // is asked of the renderer.
  const TGlBufferBits bits = GlBufferBits();
  window_.depthBits = bits.depth;
  window_.stencilBits = bits.stencil;
  InitGlState(screenWidth, screenHeight);
  fullScreen_ = wnd::Platform().Display().fullScreen;
  wnd::Platform().SetDisplayListener(
      [this](const wnd::TDisplayState& display) { KeepDisplay(display); });
}

void Tgame::Run(IModeFactory& factory) {
  TModeLoop loop(screenWidth, screenHeight);
  loop.SetTrace(traceModes_);
  loop.Run(factory);
  mode = loop.Mode();
}
