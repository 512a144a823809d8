// The OpenGL state every screen of the game starts from, set once when the window opens
// (and again by whoever needs a clean start, such as a test between two screens).
#pragma once

#include <cstdint>
#include <vector>

// The whole start-up state for a window of the given size: the viewport, texturing and
// the four groups below.
void InitGlState(int width, int height);
// Depth and stencil tests on, the stencil cleared to 0, the colour cleared to black.
void InitGlBuffers();
// The race's lens (14 degrees of view) and an identity model-view.
void InitGlProjection(int width, int height);
// Cut-out edges at alpha 0.75, blending by source alpha, smooth lines.
void InitGlBlending();
// Two white lights fixed in eye space; colours drive the material.
void InitGlLights();

// What the current context's buffers really have (the display may grant more or fewer
// bits than asked).
struct TGlBufferBits {
  int depth = 0;
  int stencil = 0;
};
TGlBufferBits GlBufferBits();

