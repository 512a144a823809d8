// Small signal-processing parts for the game's music and wind: oscillators, envelopes,
// filters, deterministic noise and a reverb. Everything is plain arithmetic on doubles,
// so a run gives the same samples every time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr double kPi = 3.14159265358979323846;

double PitchToHertz(double midiPitch);

// White noise in [-1, 1) from a 32-bit xorshift generator.
class TNoise {
 public:
  explicit TNoise(std::uint32_t seed) : state_(seed ? seed : 0x6D2B79F5u) {}
  double Next();

 private:
  std::uint32_t state_;
};

// A phase in [0, 1) that advances by frequency / sample rate each sample.
struct TPhase {
  double value = 0.0;
  double Advance(double step) {
    value += step;
    value -= static_cast<int>(value);
    return value;
  }
};

// sin(2 pi phase) from a table, for phases in [0, 1).
double Sine(double phase);

// Band-limited saw and pulse (polynomial steps soften the jumps that would alias).
double SawWave(double phase, double step);
double PulseWave(double phase, double step, double width);
double TriangleWave(double phase);

// Attack, decay, sustain level, release; `held` is how long the note is held.
struct TAdsr {
  double attack = 0.01;
  double decay = 0.1;
  double sustain = 0.7;
  double release = 0.1;
  double Level(double t, double held) const;
  double Length(double held) const { return held + release; }
};

// Topology-preserving state-variable filter (stable under fast cutoff changes). Tuning
// costs a tangent, so callers retune at control rate rather than every sample.
class TSvf {
 public:
  struct TOut {
    double low, band, high;
  };
  void Tune(double cutoff, double resonance, double sampleRate);
  TOut Process(double x);

 private:
  double g_ = 0.1;
  double k_ = 2.0;
  double a1_ = 0.0;
  double ic1_ = 0.0;
  double ic2_ = 0.0;
};

// Samples between two retunings of a filter or other slow change.
inline constexpr int kControlPeriod = 32;

// A small room: parallel comb filters with damping, then two all-pass diffusers.
class TReverb {
 public:
  TReverb(int sampleRate, double size, double damping);
  double Process(double x);

 private:
  struct TComb {
    std::vector<double> line;
    std::size_t at = 0;
    double store = 0.0;
  };
  struct TAllPass {
    std::vector<double> line;
    std::size_t at = 0;
  };
  std::vector<TComb> combs_;
  std::vector<TAllPass> allPasses_;
  double feedback_;
  double damping_;
};

// Runs a stateful process over a looping buffer twice and keeps the second pass: the
// state carried round from the end makes the start flow on from it without a seam.
template <typename Process>
void ProcessLooped(std::vector<float>& buffer, Process process) {
  std::vector<float> out(buffer.size());
  for (int pass = 0; pass < 2; ++pass)
    for (std::size_t i = 0; i < buffer.size(); ++i) out[i] = static_cast<float>(process(buffer[i]));
  buffer.swap(out);
}
