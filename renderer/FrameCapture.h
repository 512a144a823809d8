// The frame being drawn, read back as plain pixels: for pictures written to disk and for
// checks of what a frame shows.
#pragma once

#include <cstdint>
#include <vector>

// The back buffer (before the swap) from the bottom-left corner: tightly packed RGB, the
// bottom row first, as GL keeps it. Empty for a size of 0 or less.
std::vector<std::uint8_t> ReadBackBufferRgb(int width, int height);
// The same with RGBA pixels, into `rgba` (emptied for a size of 0 or less).
void ReadBackBufferRgba(int width, int height, std::vector<std::uint8_t>& rgba);
