#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "benchmarks/BenchSupport.h"
#include "platform/GlfwPlatform.h"
#include "renderer/GlState.h"
#include "renderer/MeasureDraw.h"

namespace {
bool hasGl = false;
std::string runDir;
int width = 1024;
int height = 768;

// VELMORA_BENCH_SIZE=WxH opens the window at another size (the screen must hold it).
void ReadWindowSize() {
  const char* size = std::getenv("VELMORA_BENCH_SIZE");
  int w = 0, h = 0;
  if (size && std::sscanf(size, "%dx%d", &w, &h) == 2 && w > 0 && h > 0) {
    width = w;
    height = h;
  }
}
}  // namespace

bool BenchHasGl() { return hasGl; }
std::string BenchRunDir() { return runDir; }
int BenchWidth() { return width; }
int BenchHeight() { return height; }

int main(int argc, char** argv) {
  runDir = (std::filesystem::canonical("/proc/self/exe").parent_path() / "run").string();
  ReadWindowSize();
  TGlfwPlatform platform;
  platform.SetPaced(false);
  platform.SetQuietMessages(true);
  // The figures are named by their size: the window is the size asked, not one shrunk to
  // leave room for a window manager's frame.
  platform.SetFitToScreen(false);
  wnd::TPlatformGuard guard(platform);
  if (std::getenv("DISPLAY")) {
    auto info = platform.OpenWindow(width, height, 42, 8, false);
    hasGl = info.opened;
    if (hasGl) {
      width = info.width;
      height = info.height;
      InitGlState(info.width, info.height);  // as the game's window
    }
  }
  std::error_code error;
  std::filesystem::current_path(runDir, error);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  platform.CloseWindow();
  return 0;
}
