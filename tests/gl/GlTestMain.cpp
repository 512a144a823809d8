#include <GL/gl.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <memory>

#include "platform/GlfwPlatform.h"
#include "renderer/GlState.h"
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
  p.ForgetPresses();
  p.captureFrames = false;
  p.capturedFrame.clear();
  InitGlState(1024, 768);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  return p;
}

namespace {
TRgb ReadFrom(GLenum buffer, int x, int y) {
  unsigned char rgba[4] = {0, 0, 0, 0};
  glReadBuffer(buffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, 767 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glReadBuffer(GL_BACK);
  return {rgba[0], rgba[1], rgba[2]};
}
}  // namespace

TRgb ReadPixelTopLeft(int x, int y) { return ReadFrom(GL_BACK, x, y); }

TRgb ReadShownPixelTopLeft(int x, int y) {
  const TScriptedGlPlatform& p = *platform;
  if (p.capturedFrame.empty() || x < 0 || y < 0 || x >= p.capturedWidth ||
      y >= p.capturedHeight) {
    return {-1, -1, -1};
  }
  const std::size_t at =
      (static_cast<std::size_t>(p.capturedHeight - 1 - y) * p.capturedWidth + x) * 4;
  return {p.capturedFrame[at], p.capturedFrame[at + 1], p.capturedFrame[at + 2]};
}

bool Near(TRgb a, TRgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
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

TGameFolder::TGameFolder(std::initializer_list<const char*> linked,
                         std::initializer_list<const char*> copied)
    : previous_(std::filesystem::current_path()) {
  namespace fs = std::filesystem;
  static int made = 0;
  root_ = fs::temp_directory_path() /
          ("velmora-game-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
  fs::remove_all(root_);
  fs::create_directories(root_);
  for (const char* folder : linked) fs::create_directory_symlink(previous_ / folder, root_ / folder);
  for (const char* folder : copied) {
    fs::create_directories(root_ / folder);
    for (const auto& entry : fs::directory_iterator(previous_ / folder)) {
      fs::create_symlink(entry.path(), root_ / folder / entry.path().filename());
    }
  }
  fs::current_path(root_);
}

TGameFolder::~TGameFolder() {
  std::error_code error;
  std::filesystem::current_path(previous_, error);
  std::filesystem::remove_all(root_, error);
}
