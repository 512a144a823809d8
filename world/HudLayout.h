// The race HUD's layout and numbers, without a display: where the timer and lantern
// panels and their digit slots stand in the centred overlay, what each slot shows, and
// which way the compass arrow turns.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "assets/Utype.h"

// One image a digit value.
using TScore_numbers = std::array<TImg, 10>;
// One digit a slot, most significant first.
using TDigits_array = std::vector<int>;

// Per-frame input of the compass; only the target, the player point and the yaw are used.
struct TCompassData {
  T_point target;
  T_point player;
  T_point rotation;
  t_rain terrain;
};

inline constexpr int kTimerSlots = 2;
inline constexpr int kScoreSlots = 5;
inline constexpr int kScoreSpacing = 40;
inline constexpr int kTimerSpacing = 0;
inline constexpr const char* kArrowMeshPath = "mesh/fleche.obj";

// Images of a viewport of vw x vh (1024 x 768, or half the height in the split screen).
TImg TimerPanelImg(double vw, double vh);
TImg LanternPanelImg(double vw, double vh);
TScore_numbers TimerDigitImgs(double vw, double vh);
TScore_numbers ScoreDigitImgs(double vw, double vh);

// Writes value's last slots.size() digits, with leading zeros. A negative value (the
// last frame of a race out of time) shows zeros.
void FillDigits(int value, TDigits_array& slots);

// Centre of digit slot `slot` drawn from images[0]'s size, anchor, offset and scale.
struct TSlotPlace {
  double x, y, width, height;
};
TSlotPlace DigitSlotPlace(const TImg& first, int slot, int spacing);

// The arrow's turn about y: the target's heading from the player plus the player's yaw.
double ArrowAngle(const TCompassData& compass);

// Where the arrow stands in its small perspective: taller and a little lower when split.
struct TArrowPlace {
  T_point translate;
  T_point scale;
};
TArrowPlace ArrowPlace(bool split);

// The ring the compass aims at: the current one, or the last once all are caught (and
// the origin for a course without rings).
T_point CompassTarget(const TRing_tab& rings, int caughtCount);
