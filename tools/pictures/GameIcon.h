// The game's icon for the desktop's menus and docks: a craft flying through a ring over
// the evening sky, as a square PNG with transparent corners.
#pragma once

#include <string>

// Where the generator puts it in the run folder; installing copies it to the icon theme.
inline constexpr const char* kGameIconPath = "icon/velmora.png";

// Draws the icon `size` pixels square into `path` (its folder made when needed); false
// when the file cannot be written.
bool WriteGameIcon(const std::string& path, int size);
