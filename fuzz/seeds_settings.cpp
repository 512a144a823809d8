#include "fuzz/SeedMaker.h"
#include "saves/Settings.h"

namespace {

// The file the game writes, a hand-edited one with CR LF lines and comments, and one
// with every kind of line the reader skips.
TSeedMaker maker("settings", [](const std::string& dir) {
  TSettings windowed;
  windowed.fullScreen = false;
  windowed.musicVolume = 100;
  WriteSeed(dir, "written.ini", FormatSettings(windowed));
  WriteSeed(dir, "edited.ini", std::string("# mine\r\nMUSIC_VOLUME = 12\r\n; x\r\nfullscreen=on\r\n"));
  WriteSeed(dir, "keys.ini", std::string("p1_thrust = T\np2_left = W\np1_invert_pitch = yes\npad_dead_zone = 0.5\n"));
  WriteSeed(dir, "skipped.ini", std::string("music_volume = 300\nvolume = 1\nwindow_width 5\nfullscreen = maybe\n"));
});

}  // namespace
