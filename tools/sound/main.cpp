// velmora_soundgen RUN_DIR: writes the wind loop and the music the game plays.
#include <cstdio>

#include "tools/sound/SoundContent.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s RUN_DIR\n", argv[0]);
    return 2;
  }
  const TSoundReport report = WriteSoundContent(argv[1]);
  for (const std::string& line : report.lines) std::printf("%s\n", line.c_str());
  if (!report.ok) {
    std::fprintf(stderr, "velmora_soundgen: %s\n", report.failure.c_str());
    return 1;
  }
  return 0;
}
