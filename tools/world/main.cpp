// velmora_worldgen RUN_DIR: writes the heightmaps, courses, meshes and the empty save
// folder the game reads, at the paths it reads them from.
#include <cstdio>
#include <exception>

#include "tools/world/WorldContent.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s RUN_DIR\n", argv[0]);
    return 2;
  }
  try {
    const TWorldReport report = WriteWorldContent(argv[1]);
    for (const std::string& line : report.lines) std::printf("%s\n", line.c_str());
    if (!report.ok) {
      std::fprintf(stderr, "velmora_worldgen: %s\n", report.failure.c_str());
      return 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "velmora_worldgen: %s\n", error.what());
    return 1;
  }
  return 0;
}
