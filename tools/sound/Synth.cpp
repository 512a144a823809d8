#include "tools/sound/Synth.h"

#include <algorithm>
#include <cmath>

double PitchToHertz(double midiPitch) { return 440.0 * std::pow(2.0, (midiPitch - 69.0) / 12.0); }

double TNoise::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

namespace {

// The correction that rounds off a unit step at phase 0 over one sample each side.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

double Sine(double phase) {
  constexpr int kSize = 4096;
  static const std::vector<double> table = [] {
    std::vector<double> t(kSize + 1);
    for (int i = 0; i <= kSize; ++i) t[static_cast<size_t>(i)] = std::sin(2.0 * kPi * i / kSize);
    return t;
  }();
  const double at = phase * kSize;
  const int i = static_cast<int>(at);
  const double f = at - i;
  return table[static_cast<size_t>(i)] + f * (table[static_cast<size_t>(i) + 1] - table[static_cast<size_t>(i)]);
}

double SawWave(double phase, double step) { return 2.0 * phase - 1.0 - PolyBlep(phase, step); }

double PulseWave(double phase, double step, double width) {
  double value = phase < width ? 1.0 : -1.0;
  value += PolyBlep(phase, step);
  double shifted = phase - width;
  if (shifted < 0.0) shifted += 1.0;
  return value - PolyBlep(shifted, step);
}

double TriangleWave(double phase) { return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase; }

double TAdsr::Level(double t, double held) const {
  auto sustained = [this](double s) {
    if (s < attack) return s / attack;
    if (s < attack + decay) return 1.0 - (1.0 - sustain) * (s - attack) / decay;
    return sustain;
  };
  if (t < 0.0) return 0.0;
  if (t < held) return sustained(t);
  const double fade = (t - held) / release;
  return fade >= 1.0 ? 0.0 : sustained(held) * (1.0 - fade);
}

void TSvf::Tune(double cutoff, double resonance, double sampleRate) {
  g_ = std::tan(kPi * std::clamp(cutoff, 20.0, sampleRate * 0.45) / sampleRate);
  k_ = 2.0 - 2.0 * std::clamp(resonance, 0.0, 0.98);
  a1_ = 1.0 / (1.0 + g_ * (g_ + k_));
}

TSvf::TOut TSvf::Process(double x) {
  const double v3 = x - ic2_;
  const double v1 = a1_ * ic1_ + g_ * a1_ * v3;
  const double v2 = ic2_ + g_ * v1;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  return {v2, v1, x - k_ * v1 - v2};
}

TReverb::TReverb(int sampleRate, double size, double damping)
    : feedback_(0.7 + 0.28 * size), damping_(damping) {
  // Mutually prime delays (in samples at 44.1 kHz) keep the echoes from lining up.
  const double scale = sampleRate / 44100.0;
  for (int length : {1116, 1188, 1277, 1356, 1422, 1491})
    combs_.push_back({std::vector<double>(static_cast<size_t>(length * scale), 0.0)});
  for (int length : {556, 441})
    allPasses_.push_back({std::vector<double>(static_cast<size_t>(length * scale), 0.0)});
}

double TReverb::Process(double x) {
  double sum = 0.0;
  for (TComb& comb : combs_) {
    const double out = comb.line[comb.at];
    comb.store = out * (1.0 - damping_) + comb.store * damping_;
    comb.line[comb.at] = x + comb.store * feedback_;
    comb.at = (comb.at + 1) % comb.line.size();
    sum += out;
  }
  double y = sum / static_cast<double>(combs_.size());
  for (TAllPass& pass : allPasses_) {
    const double delayed = pass.line[pass.at];
    pass.line[pass.at] = y + delayed * 0.5;
    pass.at = (pass.at + 1) % pass.line.size();
    y = delayed - y;
  }
  return y;
}
