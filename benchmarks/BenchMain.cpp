#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "benchmarks/BenchSupport.h"
#include "renderer/GlState.h"
#include "platform/GlfwPlatform.h"

namespace {
bool hasGl = false;
std::string runDir;
}  // namespace

bool BenchHasGl() { return hasGl; }
std::string BenchRunDir() { return runDir; }

int main(int argc, char** argv) {
  runDir = (std::filesystem::canonical("/proc/self/exe").parent_path() / "run").string();
  TGlfwPlatform platform;
  platform.SetPaced(false);
  platform.SetQuietMessages(true);
  wnd::TPlatformGuard guard(platform);
  if (std::getenv("DISPLAY")) {
    auto info = platform.OpenWindow(1024, 768, 42, 8, false);
    hasGl = info.opened;
    if (hasGl) {
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
