#include "cutscene/Timeline.h"

#include <algorithm>

namespace {

constexpr double kBlackFade = 1.5;   // seconds from black and back to black
constexpr double kCardFade = 1.5;    // seconds for words to appear or go
constexpr double kCardMargin = 2.0;  // seconds of picture after the last words
constexpr double kMusicRise = 2.0;
constexpr double kMusicFall = 3.0;

// A fade never takes more than a quarter of what it belongs to, so a film of one
// second still shows its picture at mid-time.
double FadeLength(double wanted, double span) { return std::min(wanted, span / 4.0); }

}  // namespace

double SmoothStep(double edge0, double edge1, double x) {
  if (edge1 <= edge0) return x < edge0 ? 0.0 : 1.0;
  const double u = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return u * u * (3.0 - 2.0 * u);
}

double CardTimeScale(const TFilmPlan& plan, double seconds) {
  double needed = 0.0;
  for (const TFilmCard& card : plan.cards) needed = std::max(needed, card.end + kCardMargin);
  if (needed <= 0.0 || seconds >= needed) return 1.0;
  return std::max(seconds, 0.0) / needed;
}

double CardAlpha(const TFilmCard& card, double t, double scale) {
  const double start = card.start * scale;
  const double end = card.end * scale;
  const double fade = FadeLength(kCardFade * scale, end - start);
  if (end <= start) return 0.0;
  return SmoothStep(start, start + fade, t) * (1.0 - SmoothStep(end - fade, end, t));
}

double BlackAlpha(double t, double seconds) {
  const double fade = FadeLength(kBlackFade, seconds);
  if (seconds <= 0.0) return 1.0;
  const double fromBlack = 1.0 - SmoothStep(0.0, fade, t);
  const double toBlack = SmoothStep(seconds - fade, seconds, t);
  return std::max(fromBlack, toBlack);
}

double MusicLevel(double t, double seconds) {
  if (seconds <= 0.0) return 0.0;
  const double rise = FadeLength(kMusicRise, seconds);
  const double fall = FadeLength(kMusicFall, seconds);
  return SmoothStep(0.0, rise, t) * (1.0 - SmoothStep(seconds - fall, seconds, t));
}

double CardProgress(const TFilmCard& card, double t, double scale) {
  const double start = card.start * scale;
  const double end = card.end * scale;
  if (end <= start) return 0.0;
  return std::clamp((t - start) / (end - start), 0.0, 1.0);
}
