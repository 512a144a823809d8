// The race's pictures are laid out for a 4:3 screen. On a window of another shape they
// are drawn in the largest centred 4:3 frame, as the menu's faces are: bars at the sides
// of a wide screen, above and below a taller one, and the whole window at 4:3.
#pragma once

// A rectangle of window pixels, from the bottom-left corner as glViewport takes it.
struct TScreenFrame {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The units the race's overlays are laid out in: the frame is always this many units
// across, whatever its size in pixels, so every picture keeps its place in the frame.
inline constexpr int kFrameUnitsWidth = 1024;
inline constexpr int kFrameUnitsHeight = 768;

// The largest rectangle of the given shape (width / height) centred in `area`.
TScreenFrame FitFrame(const TScreenFrame& area, double aspect);
// The 4:3 frame of a whole window.
TScreenFrame WindowFrame(int windowWidth, int windowHeight);
// The upper (player 1) or lower (player 2) half of a frame, for the split screen.
TScreenFrame HalfFrame(const TScreenFrame& frame, int player);
