// The end of a race: flat pictures laid out in a frame of fixed units and faded in over
// each other, each compiled once into a display list for the frames of its fade.
#pragma once

#include <cstdint>
#include <functional>

#include "assets/Utype.h"
#include "renderer/GlHandles.h"

// The pictures lie flat on each other: no depth test until the sequence is over.
void BeginEndSequence();
void FinishEndSequence();
// Each frame cleared from now on starts white.
void ClearToWhiteFromNow();

// Draws into the window pixels (x, y, width, height) from the bottom-left corner, in
// units centred on the frame's middle, `unitsWidth` x `unitsHeight` across, unlit.
void SetCentredFrameProjection(int x, int y, int width, int height, double unitsWidth,
                               double unitsHeight);
// Colour and depth cleared for the next frame.
void ClearFrameBuffers();

// A quad with the whole texture on it (0: the colour alone), corners in the current units.
void DrawTexturedQuad(std::uint32_t texture, double x0, double y0, double x1, double y1);
// A picture laid out in an 800-wide frame (top-left corner, y down) and scaled by its own
// scale, in a centred projection `unitsWidth` x `unitsHeight` across.
void DrawFramePicture(const TImg& image, double unitsWidth, double unitsHeight);
// Draws a compiled list moved to (x, y).
void CallListAt(std::uint32_t list, double x, double y);
