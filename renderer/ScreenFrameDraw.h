// The race's pictures stand in a 4:3 frame of the window: the viewport the frame is drawn
// through, and the black bars around it.
#pragma once

// A rectangle of window pixels from the bottom-left corner, as the viewport takes it.
struct TPixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

TPixelRect CurrentViewport();
void SetViewport(const TPixelRect& rect);

// Paints the window outside `frame` black (the bars of a window that is not 4:3), leaving
// the clear colour and the scissor test as they were.
void BlankOutside(const TPixelRect& frame, int windowWidth, int windowHeight);
