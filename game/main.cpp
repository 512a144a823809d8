// Velmora: the program entry.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/GameFactory.h"
#include "game/StartUp.h"
#include "game/Ugame.h"
#include "platform/GlfwPlatform.h"
#include "platform/SdlGamepads.h"
#include "platform/SystemServices.h"
#include "saves/SettingsStore.h"

namespace {

bool EnvironmentFlag(const char* name) {
  const char* value = std::getenv(name);
  return value && *value && std::strcmp(value, "0") != 0;
}

void PrintUsage() {
  std::printf("usage: velmora [--windowed] [--join ADDRESS]\n"
              "  --windowed      play in a window this time (F11 or Alt+Enter switches)\n"
              "  --join ADDRESS  join the two-player network race hosted at ADDRESS\n");
}

}  // namespace

int main(int argc, char** argv) {
  TGameOptionsFromCommandLine options;
  bool windowed = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--windowed") == 0) {
      windowed = true;
    } else if (std::strcmp(argv[i], "--join") == 0 && i + 1 < argc) {
      options.joinAddress = argv[++i];
    } else {
      PrintUsage();
      return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
    }
  }
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    std::fprintf(stderr, "Velmora needs a graphical display: DISPLAY is not set.\n");
    return 1;
  }
  StartUp();  // content folder, settings and the player's folder, before the window opens

  TGlfwPlatform platform;
  platform.SetPaced(!EnvironmentFlag("VELMORA_UNPACED"));
  platform.SetQuietMessages(EnvironmentFlag("VELMORA_QUIET_MESSAGES"));
  platform.SetFirstFrameReport(EnvironmentFlag("VELMORA_REPORT_FIRST_FRAME"));
  wnd::TPlatformGuard guard(platform);
  // Every screen reads the pads; the platform polls them with its events.
  TSdlGamepads pads;
  wnd::TGamepadsGuard padsGuard(pads);
  {
    // Full screen or a window as last chosen; --windowed wins for this run only.
    const TSettings& settings = CurrentSettings();
    Tgame game(settings.windowWidth, settings.windowHeight, settings.fullScreen && !windowed);
    if (!game.Window().opened) {
      std::fprintf(stderr, "Velmora could not open its window.\n");
      return 1;
    }
    TGameFactory factory(options);
    game.SetTraceModes(EnvironmentFlag("VELMORA_TRACE_MODES"));
    game.Run(factory);
  }
  return 0;
}
