// The menu screens' full-face pictures: backgrounds, the track chooser's picture and the
// panel over it, the loading picture, the iris logo and the story's save screen.
#pragma once

#include "tools/pictures/PictureOutput.h"

// Full-face pictures are stored 1024 x 1024 and drawn stretched onto the 4:3 face.
inline constexpr int kFaceStoredSize = 1024;

// The thumbnail window of the track chooser's panel, in virtual units.
inline constexpr double kThumbLeft = 437, kThumbTop = 240, kThumbRight = 620, kThumbBottom = 423;

void DrawMenuScreens(TPictureOutput& out);
