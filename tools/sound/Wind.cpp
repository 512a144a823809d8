#include "tools/sound/Wind.h"

#include <algorithm>
#include <cmath>

#include "tools/sound/Render.h"
#include "tools/sound/Synth.h"

namespace {

// Gust strength in about [0.25, 1]: three slow waves, each a whole number of cycles a loop.
double Gust(double phase) {
  const double t = 2.0 * kPi * phase;
  const double wave = 0.5 * std::sin(t + 0.7) + 0.3 * std::sin(2.0 * t + 2.1) + 0.2 * std::sin(5.0 * t + 4.0);
  return 0.62 + 0.38 * wave;
}

}  // namespace

std::vector<float> WindLoop(int sampleRate, double seconds, std::uint32_t seed) {
  const size_t length = static_cast<size_t>(std::lround(seconds * sampleRate));
  std::vector<float> samples(length);
  TNoise noise(seed);
  for (float& v : samples) v = static_cast<float>(noise.Next());
  TSvf body, whistle, rumble;
  rumble.Tune(120.0, 0.1, sampleRate);
  size_t at = 0;
  ProcessLooped(samples, [&](double x) {
    const double phase = static_cast<double>(at) / static_cast<double>(length);
    at = (at + 1) % length;
    const double gust = Gust(phase);
    // Stronger gusts blow higher and whistle more.
    if (at % kControlPeriod == 1) {
      body.Tune(280.0 + 520.0 * gust, 0.35, sampleRate);
      whistle.Tune(900.0 + 600.0 * gust, 0.9, sampleRate);
    }
    const double air = body.Process(x).band;
    const double whine = whistle.Process(x).band;
    const double low = rumble.Process(x).low;
    return gust * (air + 0.25 * gust * gust * whine + 0.6 * low);
  });
  Master(samples, 0.8);
  return samples;
}

std::vector<std::int16_t> ToPcm16(const std::vector<float>& samples) {
  std::vector<std::int16_t> pcm;
  pcm.reserve(samples.size());
  for (float v : samples)
    pcm.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f)));
  return pcm;
}
