// The whole set of the game's pictures, drawn into one output.
#pragma once

#include "tools/pictures/PictureOutput.h"

void DrawAllPictures(TPictureOutput& out);
