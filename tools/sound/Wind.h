// The wind effect: filtered noise whose pitch and strength swell in gusts. Every slow
// change completes whole cycles over the loop and the filters run on round the join, so
// the sample loops without a seam.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kWindRate = 22050;
inline constexpr double kWindSeconds = 6.0;

std::vector<float> WindLoop(int sampleRate, double seconds, std::uint32_t seed);
// 16-bit samples for the WAV file, peaking at about 80% of full scale.
std::vector<std::int16_t> ToPcm16(const std::vector<float>& samples);
