// The rules of a race that need no drawing: its clock, its frame-rate title, when it
// runs, how it scores, and the fades of its end sequence.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "saves/ScoreLimit.h"

// Whole seconds counted down with the tick count. At most one second is counted per
// frame and the mark moves to the present, so every counted second lasts at least 1000 ms.
struct TRaceClock {
  int timeLeft = 0;
  std::uint32_t lastSecondMark = 0;

  void Start(int initialTime, std::uint32_t now) {
    timeLeft = initialTime;
    lastSecondMark = now;
  }
  // True when a second was counted this frame.
  bool Tick(std::uint32_t now);
};

// Counts frames and gives the window title "Velmora (FPS : n)" once more than 1000 ms
// have passed since the last one.
struct TFrameRateCounter {
  int frames = 0;
  std::uint32_t lastMark = 0;

  void Start(std::uint32_t now) {
    frames = 0;
    lastMark = now;
  }
  std::optional<std::string> Frame(std::uint32_t now);
};

// The race goes on while the clock has not run out and a ring is still to be passed.
inline bool RaceRunning(int timeLeft, int ringCount, int caughtCount) {
  return timeLeft >= 0 && ringCount - 1 >= caughtCount;
}

inline bool RaceWon(int ringCount, int caughtCount) { return caughtCount > ringCount - 1; }

// 10 a ring plus the score carried in, plus the seconds left plus one unless the player
// left through the overlay (a race that ran out of time ends at -1 and gets nothing).
// Added in 64 bits and held within 0..kMaxScore.
int RaceScore(int caughtCount, int baseScore, int timeLeft, bool leftThroughOverlay);

// "MENUW", "MENUL" or "MENU RETURNL": the overlay's "MENU RETURN" stays, anything else
// the last frame left becomes "MENU"; then the won or lost letter.
std::string RaceResult(const std::string& loopResult, bool won);

// The wind's volume for the craft's speed: a breeze at rest speed (4), the full effects
// volume at top speed (21).
int WindVolume(double speed, int effectsVolume);

// A fade value moving by 0.01 whenever at least 5 ms have passed since its last step,
// tested once per frame: each fade lasts at least 0.5 s and more than 100 frames.
struct TFade {
  double value = 0.0;
  std::uint32_t lastStep = 0;

  void Start(double start, std::uint32_t now) {
    value = start;
    lastStep = now;
  }
  void Step(std::uint32_t now, double delta);
};
