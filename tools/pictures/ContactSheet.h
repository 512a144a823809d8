// A proof sheet of drawn pictures, for looking at them all at once while working on them.
#pragma once

#include <string>
#include <vector>

#include "tools/pictures/PictureOutput.h"

// Lays out every kept picture whose path starts with `prefix` in a grid of labelled cells,
// transparent parts over a checkerboard, and writes it as a PNG. False when it cannot.
bool WriteContactSheet(const std::vector<TWrittenPicture>& pictures, const std::string& prefix,
                       const std::string& pngPath, int cellSize);
