#include "world/HudLayout.h"

#include "assets/Lgeometry.h"

namespace {

TImg Image(const std::string& path, double w, double h, double scale, double x, double y, double dx,
           double dy) {
  TImg img;
  img.path = path;
  img.width = w;
  img.height = h;
  img.scale = scale;
  img.x = x;
  img.y = y;
  img.dx = dx;
  img.dy = dy;
  return img;
}

// Panel sizes and scales the digit sets are placed from.
constexpr double kTimerW = 444, kTimerH = 249, kTimerScale = 0.4, kTimerDy = -10;
constexpr double kLanternW = 556, kLanternH = 206, kLanternScale = 0.6, kLanternDx = 5, kLanternDy = -5;

}  // namespace

TImg TimerPanelImg(double /*vw*/, double vh) {
  return Image("img/timer.tga", kTimerW, kTimerH, kTimerScale, 0, (vh - kTimerH * kTimerScale) / 2, 0,
               kTimerDy);
}

TImg LanternPanelImg(double vw, double vh) {
  return Image("img/lanternes_score.tga", kLanternW, kLanternH, kLanternScale,
               (kLanternW * kLanternScale - vw) / 2, (vh - kLanternH * kLanternScale) / 2, kLanternDx,
               kLanternDy);
}

TScore_numbers TimerDigitImgs(double /*vw*/, double vh) {
  TScore_numbers images;
  for (int d = 0; d < 10; ++d) {
    images[d] = Image("img/timer_numbers_/" + std::to_string(d) + ".tga", 98, 127, kTimerScale,
                      (98 - kTimerW) * kTimerScale / 2, (vh - kTimerScale * 127) / 2,
                      kTimerScale * 14 + 0, kTimerDy - kTimerScale * 50);
  }
  return images;
}

TScore_numbers ScoreDigitImgs(double vw, double vh) {
  TScore_numbers images;
  for (int d = 0; d < 10; ++d) {
    images[d] = Image("img/score_numbers_/" + std::to_string(d) + ".tga", 95, 215, kLanternScale,
                      (kLanternScale * 95 - vw) / 2, (vh - kLanternScale * 215) / 2, kLanternDx,
                      kLanternDy);
  }
  return images;
}

void FillDigits(int value, TDigits_array& slots) {
  if (value < 0) value = 0;
  for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
    slots[slots.size() - 1 - static_cast<std::size_t>(i)] = value % 10;
    value /= 10;
  }
}

TSlotPlace DigitSlotPlace(const TImg& first, int slot, int spacing) {
  const double s = first.scale;
  return {(slot * first.width + spacing) * s + first.x + first.dx, first.y + first.dy, first.width * s,
          first.height * s};
}

double ArrowAngle(const TCompassData& compass) {
  return CompassAngle(compass.target, compass.player, compass.rotation);
}

TArrowPlace ArrowPlace(bool split) {
  if (split) return {{0.035, 0.24, -2.5}, {0.01, 0.02, 0.01}};
  return {{0.035, 0.28, -2.5}, {0.01, 0.01, 0.01}};
}

T_point CompassTarget(const TRing_tab& rings, int caughtCount) {
  if (rings.empty()) return {};
  if (caughtCount < 0) caughtCount = 0;
  if (caughtCount >= static_cast<int>(rings.size())) return rings.back().origin;
  return rings[static_cast<std::size_t>(caughtCount)].origin;
}
