#include "tools/pictures/Generator.h"

#include "tools/pictures/MenuButtons.h"
#include "tools/pictures/MenuScreens.h"

void DrawAllPictures(TPictureOutput& out) {
  DrawMenuButtons(out);
  DrawMenuScreens(out);
}
