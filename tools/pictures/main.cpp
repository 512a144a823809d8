// velmora_pictures RUN_FOLDER [--sheet PNG [PREFIX [CELL]]]
// Draws every picture and texture the game reads into RUN_FOLDER (img/, textures/), and the
// game's icon for the desktop (icon/velmora.png). With --sheet it also writes a proof sheet
// of the pictures whose path starts with PREFIX.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/pictures/ContactSheet.h"
#include "tools/pictures/GameIcon.h"
#include "tools/pictures/Generator.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s RUN_FOLDER [--sheet PNG [PREFIX [CELL]]]\n", argv[0]);
    return 2;
  }
  const bool sheet = argc >= 4 && std::string(argv[2]) == "--sheet";
  TPictureOutput out(argv[1], sheet);
  DrawAllPictures(out);
  // 256 pixels: the size desktops look for first in the icon theme.
  const bool icon = WriteGameIcon(std::string(argv[1]) + "/" + kGameIconPath, 256);
  if (!icon) std::fprintf(stderr, "cannot write %s\n", kGameIconPath);
  for (const std::string& path : out.Failures()) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  if (sheet) {
    const std::string prefix = argc >= 5 ? argv[4] : "";
    const int cell = argc >= 6 ? std::atoi(argv[5]) : 220;
    if (!WriteContactSheet(out.Written(), prefix, argv[3], cell)) std::fprintf(stderr, "no sheet written\n");
  }
  std::printf("%zu pictures written to %s\n", out.Written().size(), argv[1]);
  return out.Failures().empty() && icon ? 0 : 1;
}
