// Every button picture of the menu screens and of the story's save screen.
#pragma once

#include "tools/pictures/ButtonArt.h"
#include "tools/pictures/Picture.h"
#include "tools/pictures/PictureOutput.h"

// Menu pixels per virtual unit: the 800 x 600 virtual screen fills a 1024 x 768 window.
inline constexpr double kMenuPixelsPerUnit = 1024.0 / 800.0;

// A button drawn at its virtual size, stored at the nearest power-of-two size, hard-edged.
TPicture MenuButtonPicture(const TButtonDesign& design, TButtonState state);

void DrawMenuButtons(TPictureOutput& out);
