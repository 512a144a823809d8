// Shared by the tests that need a real OpenGL context: one scripted platform with a
// 1024 x 768 window, installed for the whole run.
#pragma once

#include <cstdint>
#include <vector>

#include "game/ScriptedGlPlatform.h"

TScriptedGlPlatform& GlPlatform();
// Clears the script, the records and the clock, and restores the start-up GL state.
TScriptedGlPlatform& FreshGlPlatform();
// Reopens the window when a test closed it (a shell test ends with the window closed).
void EnsureGlWindow();

struct TRgb {
  int r = 0, g = 0, b = 0;
};
// Reads one pixel of the back buffer, counted from the top-left like the mouse.
TRgb ReadPixelTopLeft(int x, int y);
// Reads one pixel of the last frame shown while `captureFrames` was set, from the top-left.
TRgb ReadShownPixelTopLeft(int x, int y);
bool Near(TRgb a, TRgb b, int tolerance = 24);
