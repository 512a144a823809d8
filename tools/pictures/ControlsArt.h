// The controls screen's pictures: its key buttons, the names of the keys laid over them,
// the pitch switches, Defaults and Back, the hint line's sentences, and the pad symbol
// of the options screen's button that leads there.
#pragma once

#include <cairo/cairo.h>

#include "tools/pictures/Icons.h"
#include "tools/pictures/PictureOutput.h"

// A game pad seen from above: two grips, a cross on the left, four buttons on the right.
void DrawGamepad(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);

// The names a player's key can have, as the settings file writes them.
extern const char* const kKeyNames[];
extern const int kKeyNameCount;

void WriteControlsButtons(TPictureOutput& out);
// The screen's background: title, the table's headings and rows, the pad's buttons.
void PaintControlsScreen(cairo_t* cr);
