#include "tools/pictures/Generator.h"

#include "tools/pictures/EndPictures.h"
#include "tools/pictures/MenuButtons.h"
#include "tools/pictures/MenuScreens.h"
#include "tools/pictures/RacePictures.h"
#include "tools/pictures/TerrainTextures.h"

void DrawAllPictures(TPictureOutput& out) {
  DrawMenuButtons(out);
  DrawMenuScreens(out);
  DrawRacePictures(out);
  DrawEndPictures(out);
  DrawTerrainTextures(out);
}
