// The race's pause overlay (volume dials and buttons), drawn over the race's scene in
// window pixels centred on the window, x right and y up.
#pragma once

#include <cstdint>

// From here on the overlay draws: the centred pixel projection over the whole window, a
// fresh model-view, no lighting, no depth test, white, and blended soft edges (every
// fragment passes the alpha test).
void BeginOverlay(int screenWidth, int screenHeight);
// Back to the race's state: lighting and the depth test on, the alpha test at
// GL_GREATER 0.75.
void EndOverlay();

// A picture with its top-left corner at (left, top), y up.
void DrawOverlayQuad(std::uint32_t texture, double left, double top, double width,
                     double height);
// The same, leaving the model-view matrix as it found it.
void DrawOverlayPicture(std::uint32_t texture, double left, double top, double width,
                        double height);
// Calls a list recorded from the pictures above.
void CallOverlayList(std::uint32_t list);
// `count` copies of a notch list along a dial: the first at (offsetX, offsetY) from the
// dial's centre (centreX, 0), each next one turned `turnDegrees` about that centre.
void DrawNotchRun(std::uint32_t list, double centreX, double offsetX, double offsetY,
                  int count, double turnDegrees);
