#include <GL/gl.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <memory>

#include "frontend/KeyFocus.h"
#include "platform/GlfwPlatform.h"
#include "renderer/FrameCapture.h"
#include "renderer/GlState.h"
#include "saves/SettingsStore.h"
#include "tests/gl/GlTestSupport.h"

namespace {
std::unique_ptr<TScriptedGlPlatform> platform;
}

TScriptedGlPlatform& GlPlatform() { return *platform; }

void EnsureGlWindow() {
  if (!platform->HasWindow()) {
    auto info = platform->OpenWindow(1024, 768, 42, 8, false);
    if (!info.opened) {
      std::fprintf(stderr, "gl_tests: no window could be opened (is DISPLAY set?)\n");
      std::exit(1);
    }
  }
}

TScriptedGlPlatform& FreshGlPlatform() {
  EnsureGlWindow();
  TScriptedGlPlatform& p = *platform;
  p.ClearQueue();
  p.input = TInputState{{}, 0, 0, false};
  p.swaps = p.polls = 0;
  p.now = 1000;
  p.frameMs = 16;
  p.pollMs = 16;
  p.titles.clear();
  p.messages.clear();
  p.startedPrograms.clear();
  p.onSwap = nullptr;
  p.onPoll = nullptr;
  p.drawableWidth = p.drawableHeight = 0;
  p.SetDisplayListener(nullptr);
  p.ForgetPresses();
  SetMenuKeysInUse(false);  // every test starts with the mouse, as the game does
  p.captureFrames = false;
  p.capturedFrame.clear();
  // Every test starts from the game's own settings, as a first start does, and keeps none.
  CurrentSettings() = TSettings{};
  SetSettingsFile("");
  InitGlState(1024, 768);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  return p;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!std::getenv("DISPLAY")) {
    std::fprintf(stderr, "gl_tests need a display (run them under Xvfb)\n");
    return 1;
  }
  TGlfwPlatform::Retain();
  platform = std::make_unique<TScriptedGlPlatform>(&ReadBackBufferRgba);
  wnd::TPlatformGuard guard(*platform);
  EnsureGlWindow();
  int result = RUN_ALL_TESTS();
  platform->CloseWindow();
  TGlfwPlatform::Release();
  return result;
}
