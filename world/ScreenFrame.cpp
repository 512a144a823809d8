#include "world/ScreenFrame.h"

#include <cmath>

TScreenFrame FitFrame(const TScreenFrame& area, double aspect) {
  if (area.width <= 0 || area.height <= 0 || !(aspect > 0.0)) return area;
  TScreenFrame frame = area;
  const double wide = static_cast<double>(area.width) / area.height;
  // Rounded to whole pixels, centred with the odd pixel left of or below the frame.
  if (wide > aspect) {
    frame.width = static_cast<int>(std::lround(area.height * aspect));
  } else {
    frame.height = static_cast<int>(std::lround(area.width / aspect));
  }
  frame.x = area.x + (area.width - frame.width) / 2;
  frame.y = area.y + (area.height - frame.height) / 2;
  return frame;
}

TScreenFrame WindowFrame(int windowWidth, int windowHeight) {
  return FitFrame({0, 0, windowWidth, windowHeight},
                  static_cast<double>(kFrameUnitsWidth) / kFrameUnitsHeight);
}

TScreenFrame HalfFrame(const TScreenFrame& frame, int player) {
  const int lower = frame.height / 2;
  if (player == 1) return {frame.x, frame.y + lower, frame.width, frame.height - lower};
  return {frame.x, frame.y, frame.width, lower};
}
