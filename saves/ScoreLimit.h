// The highest score a game keeps. The races stop adding there and a slot read from disk
// is brought within it, so a score never overflows and a save never holds more.
#pragma once

inline constexpr int kMaxScore = 999'999'999;
