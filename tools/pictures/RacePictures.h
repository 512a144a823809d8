// The race's pictures: the HUD's timer and lantern panels with their digits, and the
// options overlay's dials, notches, captions and buttons.
#pragma once

#include "tools/pictures/PictureOutput.h"

// Where the notch of step `index` (0 = first, at 9 o'clock) sits on the dial picture, in the
// dial's 373-unit design square: the overlay turns the first notch 11 degrees clockwise per
// step about the dial's centre.
void DialNotchCentre(int index, double& x, double& y);

void DrawRacePictures(TPictureOutput& out);
