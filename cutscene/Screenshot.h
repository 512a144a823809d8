// The frame being drawn, written out as a PNG picture: the film's mid-time frame for
// tests and for a look without watching the whole film.
#pragma once

#include <string>

// Reads the back buffer (before the swap) and writes it; false when the file cannot be
// written.
bool WriteFrameAsPng(const std::string& path, int width, int height);
