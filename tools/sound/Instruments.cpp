#include "tools/sound/Instruments.h"

#include <algorithm>
#include <cmath>

#include "tools/sound/Synth.h"

namespace {

size_t SamplesFor(double seconds, int rate) { return static_cast<size_t>(std::ceil(seconds * rate)); }

// Saw and a sine an octave down, through a low-pass that closes after the attack.
std::vector<double> Bass(const TNote& n, int rate, double bright) {
  const TAdsr env{0.005, 0.2, 0.65, 0.08};
  std::vector<double> out(SamplesFor(env.Length(n.length), rate));
  const double hz = PitchToHertz(n.pitch);
  TPhase saw, sub;
  TSvf filter;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double x = 0.6 * SawWave(saw.Advance(hz / rate), hz / rate) +
                     0.8 * Sine(sub.Advance(hz / 2.0 / rate));
    if (i % kControlPeriod == 0)
      filter.Tune((250.0 + 900.0 * bright * std::exp(-t * 9.0)) * (0.7 + 0.3 * n.velocity), 0.3, rate);
    out[i] = filter.Process(x).low * env.Level(t, n.length);
  }
  return out;
}

// Three slightly detuned saws, slow to swell and to fade.
std::vector<double> Pad(const TNote& n, int rate, double bright) {
  const TAdsr env{0.45, 0.6, 0.8, 0.9};
  std::vector<double> out(SamplesFor(env.Length(n.length), rate));
  const double hz = PitchToHertz(n.pitch);
  const double detune[3] = {0.996, 1.0, 1.0045};
  TPhase phases[3];
  TSvf filter;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    double x = 0.0;
    for (int k = 0; k < 3; ++k) x += SawWave(phases[k].Advance(hz * detune[k] / rate), hz * detune[k] / rate);
    if (i % kControlPeriod == 0)
      filter.Tune(500.0 + 1100.0 * bright + 250.0 * std::sin(2.0 * kPi * 0.25 * t), 0.15, rate);
    out[i] = filter.Process(x / 3.0).low * env.Level(t, n.length);
  }
  return out;
}

// A plucked string: a burst of noise circling a delay line that softens on every turn.
std::vector<double> Pluck(const TNote& n, int rate, double bright) {
  const double hz = PitchToHertz(n.pitch);
  const size_t period = std::max<size_t>(2, static_cast<size_t>(std::lround(rate / hz)));
  std::vector<double> line(period);
  TNoise noise(static_cast<std::uint32_t>(n.start * 1000.0) * 2654435761u + static_cast<std::uint32_t>(n.pitch));
  for (double& v : line) v = noise.Next();
  const double hold = 0.35 + 0.6 * bright;  // brighter strings ring on
  std::vector<double> out(SamplesFor(n.length + 1.2, rate));
  for (size_t i = 0; i < out.size(); ++i) {
    const size_t a = i % period;
    const size_t b = (i + 1) % period;
    const double t = static_cast<double>(i) / rate;
    out[i] = line[a] * (t < n.length ? 1.0 : std::exp(-(t - n.length) * 6.0));
    line[a] = (line[a] * hold + line[b] * (1.0 - hold)) * 0.996;
  }
  return out;
}

// A reedy pulse that gains vibrato as it is held.
std::vector<double> Lead(const TNote& n, int rate, double bright) {
  const TAdsr env{0.012, 0.15, 0.7, 0.12};
  std::vector<double> out(SamplesFor(env.Length(n.length), rate));
  const double base = PitchToHertz(n.pitch);
  TPhase phase;
  TSvf filter;
  filter.Tune(1200.0 + 2200.0 * bright, 0.2, rate);
  double hz = base;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    if (i % kControlPeriod == 0) {
      const double vibrato = 0.15 * std::min(1.0, std::max(0.0, t - 0.15) * 3.0) * std::sin(2.0 * kPi * 5.5 * t);
      hz = base * std::exp2(vibrato / 12.0);
    }
    const double x = PulseWave(phase.Advance(hz / rate), hz / rate, 0.3);
    out[i] = filter.Process(x).low * env.Level(t, n.length);
  }
  return out;
}

// A soft, breathy sine for the quieter pieces.
std::vector<double> Flute(const TNote& n, int rate, double bright) {
  const TAdsr env{0.06, 0.2, 0.8, 0.2};
  std::vector<double> out(SamplesFor(env.Length(n.length), rate));
  const double base = PitchToHertz(n.pitch);
  TPhase phase;
  TNoise breath(static_cast<std::uint32_t>(n.pitch * 7919.0) + 17u);
  TSvf air;
  air.Tune(base * 2.0, 0.5, rate);
  double hz = base;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    if (i % kControlPeriod == 0) hz = base * std::exp2(0.1 * std::sin(2.0 * kPi * 4.8 * t) / 12.0);
    const double p = phase.Advance(hz / rate);
    const double tone = Sine(p) + 0.15 * bright * TriangleWave(p);
    const double hiss = air.Process(breath.Next()).band * 0.12;
    out[i] = (tone + hiss) * env.Level(t, n.length);
  }
  return out;
}

// Two-operator FM with a ratio that gives a metallic, bell-like spectrum.
std::vector<double> Bell(const TNote& n, int rate, double bright) {
  std::vector<double> out(SamplesFor(n.length + 1.8, rate));
  const double hz = PitchToHertz(n.pitch);
  TPhase carrier, modulator;
  const double fade = std::exp(-2.2 / rate);
  const double soften = std::exp(-3.0 / rate);
  double level = 1.0;
  double index = (1.2 + 1.5 * bright) / (2.0 * kPi);  // in cycles of the carrier
  for (size_t i = 0; i < out.size(); ++i) {
    const double m = Sine(modulator.Advance(hz * 3.5 / rate));
    double p = carrier.Advance(hz / rate) + index * m;
    p -= std::floor(p);
    out[i] = Sine(p) * level * std::min(1.0, static_cast<double>(i) / (rate * 0.002));
    level *= fade;
    index *= soften;
  }
  return out;
}

std::vector<double> Kick(int rate) {
  std::vector<double> out(SamplesFor(0.35, rate));
  TPhase phase;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double hz = 45.0 + 110.0 * std::exp(-t * 30.0);
    out[i] = Sine(phase.Advance(hz / rate)) * std::exp(-t * 9.0) * std::min(1.0, t * 2000.0);
  }
  return out;
}

std::vector<double> Snare(const TNote& n, int rate) {
  std::vector<double> out(SamplesFor(0.25, rate));
  TNoise noise(static_cast<std::uint32_t>(n.start * 977.0) + 3u);
  TSvf filter;
  filter.Tune(2200.0, 0.3, rate);
  TPhase body;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double rattle = filter.Process(noise.Next()).band * 1.6 * std::exp(-t * 16.0);
    const double tone = Sine(body.Advance(190.0 / rate)) * std::exp(-t * 30.0);
    out[i] = 0.7 * rattle + 0.5 * tone;
  }
  return out;
}

std::vector<double> Hat(const TNote& n, int rate, double decay) {
  std::vector<double> out(SamplesFor(5.0 / decay, rate));
  TNoise noise(static_cast<std::uint32_t>(n.start * 1499.0) + 11u);
  TSvf filter;
  filter.Tune(7500.0, 0.2, rate);
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    out[i] = filter.Process(noise.Next()).high * std::exp(-t * decay);
  }
  return out;
}

std::vector<double> Tom(const TNote& n, int rate) {
  std::vector<double> out(SamplesFor(0.45, rate));
  const double hz = PitchToHertz(n.pitch);
  TPhase phase;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    out[i] = Sine(phase.Advance(hz * (1.0 + 0.6 * std::exp(-t * 25.0)) / rate)) *
             std::exp(-t * 7.0);
  }
  return out;
}

}  // namespace

std::vector<double> RenderNote(const TNote& note, int rate, double bright) {
  switch (note.voice) {
    case TVoice::Bass: return Bass(note, rate, bright);
    case TVoice::Pad: return Pad(note, rate, bright);
    case TVoice::Pluck: return Pluck(note, rate, bright);
    case TVoice::Lead: return Lead(note, rate, bright);
    case TVoice::Flute: return Flute(note, rate, bright);
    case TVoice::Bell: return Bell(note, rate, bright);
    case TVoice::Kick: return Kick(rate);
    case TVoice::Snare: return Snare(note, rate);
    case TVoice::Hat: return Hat(note, rate, 60.0);
    case TVoice::OpenHat: return Hat(note, rate, 12.0);
    case TVoice::Tom: return Tom(note, rate);
  }
  return {};
}

double VoiceGain(TVoice voice) {
  switch (voice) {
    case TVoice::Bass: return 0.42;
    case TVoice::Pad: return 0.11;
    case TVoice::Pluck: return 0.22;
    case TVoice::Lead: return 0.2;
    case TVoice::Flute: return 0.3;
    case TVoice::Bell: return 0.18;
    case TVoice::Kick: return 0.6;
    case TVoice::Snare: return 0.3;
    case TVoice::Hat: return 0.09;
    case TVoice::OpenHat: return 0.07;
    case TVoice::Tom: return 0.35;
  }
  return 0.0;
}

double ReverbSend(TVoice voice) {
  switch (voice) {
    case TVoice::Bass:
    case TVoice::Kick: return 0.05;
    case TVoice::Hat:
    case TVoice::OpenHat: return 0.15;
    case TVoice::Pad:
    case TVoice::Bell: return 0.6;
    default: return 0.35;
  }
}
