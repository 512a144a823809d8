#include "modes/RaceRules.h"

#include <algorithm>

bool TRaceClock::Tick(std::uint32_t now) {
  if (now - lastSecondMark < 1000) return false;
  lastSecondMark = now;
  --timeLeft;
  return true;
}

std::optional<std::string> TFrameRateCounter::Frame(std::uint32_t now) {
  ++frames;
  if (now - lastMark <= 1000) return std::nullopt;
  std::string title = "Velmora (FPS : " + std::to_string(frames) + ")";
  lastMark = now;
  frames = 0;
  return title;
}

int RaceScore(int caughtCount, int baseScore, int timeLeft, bool leftThroughOverlay) {
  long long score = static_cast<long long>(caughtCount) * 10 + baseScore;
  if (!leftThroughOverlay) score += static_cast<long long>(timeLeft) + 1;
  return static_cast<int>(std::clamp<long long>(score, 0, kMaxScore));
}

std::string RaceResult(const std::string& loopResult, bool won) {
  std::string result = loopResult == "MENU RETURN" ? loopResult : std::string("MENU");
  return result + (won ? "W" : "L");
}

int WindVolume(double speed, int effectsVolume) {
  double share = (speed - 4.0) / 17.0;
  share = share < 0.0 ? 0.0 : (share > 1.0 ? 1.0 : share);
  double volume = effectsVolume * (0.25 + 0.75 * share);
  if (volume < 0.0) return 0;
  return volume > 255.0 ? 255 : static_cast<int>(volume);
}

void TFade::Step(std::uint32_t now, double delta) {
  if (now - lastStep < 5) return;
  value += delta;
  lastStep = now;
}
