// The end-of-race sequence: the won and lost banners, the two result pictures and the
// tiled backdrop of falling blossom.
#pragma once

#include "tools/pictures/PictureOutput.h"

void DrawEndPictures(TPictureOutput& out);
