#include "tools/sound/Composer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "tools/sound/Synth.h"

namespace {

const int kScales[6][7] = {
    {0, 2, 4, 5, 7, 9, 11},  // major
    {0, 2, 3, 5, 7, 8, 10},  // natural minor
    {0, 2, 3, 5, 7, 9, 10},  // dorian
    {0, 2, 4, 5, 7, 9, 10},  // mixolydian
    {0, 2, 4, 6, 7, 9, 11},  // lydian
    {0, 2, 3, 5, 7, 8, 11},  // harmonic minor
};

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Where one bar stands in the form.
struct TBar {
  int chord = 0;
  char section = 'A';
  int index = 0;       // bar within its section
  int length = 0;      // bars in the section
  bool last = false;   // the last bar of the loop
};

struct TContext {
  const TSongPlan& plan;
  std::vector<TBar> bars;
  std::vector<TNote> notes;
  TNoise random;
  double Unit() { return 0.5 * (random.Next() + 1.0); }
  int Pick(int count) { return std::min(count - 1, static_cast<int>(Unit() * count)); }
  void Add(int bar, double beat, double beats, double pitch, double velocity, TVoice voice) {
    const double secondsPerBeat = 60.0 / plan.tempo;
    notes.push_back({(bar * 4 + beat) * secondsPerBeat, beats * secondsPerBeat, pitch, velocity, voice});
  }
};

const TSection& SectionNamed(const TSongPlan& plan, char name) {
  for (const TSection& s : plan.sections)
    if (s.name == name) return s;
  throw std::runtime_error(plan.file + ": the form names a section it does not define");
}

std::vector<TBar> LayOut(const TSongPlan& plan) {
  std::vector<TBar> bars;
  for (char name : plan.form) {
    const TSection& section = SectionNamed(plan, name);
    const int length = static_cast<int>(section.chords.size());
    for (int i = 0; i < length; ++i) bars.push_back({section.chords[static_cast<size_t>(i)], name, i, length, false});
  }
  if (!bars.empty()) bars.back().last = true;
  return bars;
}

int Pitch(const TContext& c, int degree, int octaveShift = 0) {
  return DegreePitch(c.plan.tonic + 12 * octaveShift, c.plan.mode, degree);
}

// The chord's tones as degrees; the modal pieces add the seventh.
std::vector<int> ChordDegrees(const TSongPlan& plan, int chord) {
  std::vector<int> tones = {chord, chord + 2, chord + 4};
  if (plan.mode == TMode::Dorian || plan.mode == TMode::Mixolydian || plan.mode == TMode::Lydian)
    tones.push_back(chord + 6);
  return tones;
}

// The bass note of a chord, kept within an octave so the line does not wander.
int BassPitch(const TContext& c, int degree) {
  const int low = c.plan.tonic - 29;
  int pitch = Pitch(c, degree, -2);
  while (pitch < low) pitch += 12;
  while (pitch >= low + 12) pitch -= 12;
  return pitch;
}

void AddBassBar(TContext& c, int b) {
  const TBar& bar = c.bars[static_cast<size_t>(b)];
  const int root = BassPitch(c, bar.chord);
  const int fifth = BassPitch(c, bar.chord + 4);
  const int next = BassPitch(c, c.bars[static_cast<size_t>(b + 1) % c.bars.size()].chord);
  switch (c.plan.bass) {
    case TBassStyle::Long:
      c.Add(b, 0.0, 3.8, root, 0.8, TVoice::Bass);
      break;
    case TBassStyle::Pulse:
      for (int i = 0; i < 8; ++i) c.Add(b, i * 0.5, 0.45, i == 6 ? fifth : (i == 7 ? root + 12 : root), i % 2 ? 0.6 : 0.85, TVoice::Bass);
      break;
    case TBassStyle::Walk: {
      const int walk[4] = {root, fifth, root + 12, next + (next > root ? -1 : 1)};
      for (int i = 0; i < 4; ++i) c.Add(b, i, 0.9, walk[i], i == 0 ? 0.9 : 0.7, TVoice::Bass);
      break;
    }
    case TBassStyle::Drive:
      for (int i = 0; i < 16; ++i) c.Add(b, i * 0.25, 0.22, i % 8 == 6 ? root + 12 : root, i % 4 == 0 ? 0.95 : 0.55, TVoice::Bass);
      break;
  }
}

// Chord tones packed into the octave below the tonic, so the chords move by small steps.
std::vector<int> Voicing(const TContext& c, int chord) {
  std::vector<int> pitches;
  for (int degree : ChordDegrees(c.plan, chord)) {
    int pitch = Pitch(c, degree, -1);
    while (pitch < c.plan.tonic - 8) pitch += 12;
    while (pitch >= c.plan.tonic + 4) pitch -= 12;
    pitches.push_back(pitch);
  }
  std::sort(pitches.begin(), pitches.end());
  return pitches;
}

void AddArpeggio(TContext& c, int b, const std::vector<int>& chord, TVoice voice) {
  std::vector<int> up = chord;
  for (int p : chord) up.push_back(p + 12);
  const int steps = c.plan.melodyDensity >= 3 ? 16 : 8;
  const double step = 4.0 / steps;
  const int cycle = static_cast<int>(up.size()) * 2 - 2;
  for (int i = 0; i < steps; ++i) {
    const int k = i % cycle;
    const int pitch = up[static_cast<size_t>(k < static_cast<int>(up.size()) ? k : cycle - k)];
    c.Add(b, i * step, step * 0.9, pitch + 12, i % 4 == 0 ? 0.75 : 0.5, voice);
  }
}

void AddChordBar(TContext& c, int b) {
  const std::vector<int> chord = Voicing(c, c.bars[static_cast<size_t>(b)].chord);
  const TChordStyle style = c.plan.chords;
  if (style == TChordStyle::Pad || style == TChordStyle::PadAndArpeggio)
    for (int pitch : chord) c.Add(b, 0.0, 4.0, pitch, 0.8, TVoice::Pad);
  if (style == TChordStyle::Stabs)
    for (int i = 0; i < 4; ++i)
      for (int pitch : chord) c.Add(b, i + 0.5, 0.3, pitch + 12, 0.55, TVoice::Pluck);
  if (style == TChordStyle::Arpeggio || style == TChordStyle::PadAndArpeggio)
    AddArpeggio(c, b, chord, c.plan.lead == TVoice::Bell ? TVoice::Pluck : TVoice::Bell);
}

void Hit(TContext& c, int b, double beat, TVoice voice, double velocity) { c.Add(b, beat, 0.1, 45.0, velocity, voice); }

void SoftBar(TContext& c, int b, bool fill) {
  for (int i = 0; i < 4; ++i) Hit(c, b, i, TVoice::Hat, i % 2 ? 0.5 : 0.8);
  if (c.bars[static_cast<size_t>(b)].index % 2 == 0) Hit(c, b, 0.0, TVoice::Kick, 0.55);
  if (fill) Hit(c, b, 3.5, TVoice::OpenHat, 0.7);
}

void HalfTimeBar(TContext& c, int b) {
  Hit(c, b, 0.0, TVoice::Kick, 0.9);
  Hit(c, b, 2.0, TVoice::Snare, 0.85);
  for (int i = 0; i < 8; ++i) Hit(c, b, i * 0.5, TVoice::Hat, i % 2 ? 0.45 : 0.75);
}

void PopBar(TContext& c, int b, bool fill) {
  for (double k : {0.0, 2.0, 2.5}) Hit(c, b, k, TVoice::Kick, 0.9);
  for (double s : {1.0, 3.0}) Hit(c, b, s, TVoice::Snare, 0.85);
  for (int i = 0; i < 8; ++i) Hit(c, b, i * 0.5, TVoice::Hat, i % 2 ? 0.5 : 0.8);
  if (fill)
    for (double s : {3.25, 3.5, 3.75}) Hit(c, b, s, TVoice::Snare, 0.6);
}

void DriveBar(TContext& c, int b, bool fill) {
  for (int i = 0; i < 4; ++i) Hit(c, b, i, TVoice::Kick, 0.95);
  for (double s : {1.0, 3.0}) Hit(c, b, s, TVoice::Snare, 0.9);
  for (int i = 0; i < 16; ++i) Hit(c, b, i * 0.25, TVoice::Hat, i % 4 == 0 ? 0.8 : 0.45);
  if (fill)  // toms falling in pitch over the last half bar
    for (int i = 0; i < 4; ++i) c.Add(b, 2.0 + i * 0.5, 0.4, 50.0 - 3.0 * i, 0.8, TVoice::Tom);
}

// The last bar of a section gets a fill.
void AddDrumBar(TContext& c, int b) {
  const TBar& bar = c.bars[static_cast<size_t>(b)];
  const bool fill = bar.index == bar.length - 1;
  switch (c.plan.drums) {
    case TDrumStyle::None: return;
    case TDrumStyle::Soft: return SoftBar(c, b, fill);
    case TDrumStyle::HalfTime: return HalfTimeBar(c, b);
    case TDrumStyle::Pop: return PopBar(c, b, fill);
    case TDrumStyle::Drive: return DriveBar(c, b, fill);
  }
}

// ---- Melody ----

struct THit {
  double beat, length;
};
using TRhythm = std::vector<THit>;

const std::vector<TRhythm>& Rhythms(int density) {
  static const std::vector<TRhythm> table[4] = {
      {{{0, 2}, {2, 2}}, {{0, 3}, {3, 1}}, {{0, 1.5}, {1.5, 2.5}}, {{0, 4}}},
      {{{0, 1}, {1, 1}, {2, 2}}, {{0, 1.5}, {1.5, 0.5}, {2, 2}}, {{0, 2}, {2, 1}, {3, 1}},
       {{0, 1}, {1.5, 0.5}, {2, 1}, {3, 1}}},
      {{{0, 0.5}, {0.5, 0.5}, {1, 1}, {2, 0.5}, {2.5, 0.5}, {3, 1}},
       {{0, 1}, {1, 0.5}, {1.5, 0.5}, {2, 1.5}, {3.5, 0.5}},
       {{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 2}},
       {{0, 1.5}, {1.5, 0.5}, {2, 0.5}, {2.5, 0.5}, {3, 1}}},
      {{{0, 0.25}, {0.25, 0.25}, {0.5, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 0.25}, {2.25, 0.25}, {2.5, 0.5}, {3, 1}},
       {{0, 0.5}, {0.5, 0.25}, {0.75, 0.25}, {1, 0.5}, {1.5, 0.5}, {2, 0.5}, {2.5, 0.5}, {3, 0.5}, {3.5, 0.5}},
       {{0, 0.75}, {0.75, 0.25}, {1, 0.5}, {1.5, 0.5}, {2, 0.75}, {2.75, 0.25}, {3, 1}}},
  };
  return table[std::clamp(density, 0, 3)];
}

// Fewer, longer notes that close a phrase.
const TRhythm& Cadence(int density) {
  static const TRhythm slow = {{0, 4}};
  static const TRhythm medium = {{0, 1}, {1, 3}};
  static const TRhythm busy = {{0, 0.5}, {0.5, 0.5}, {1, 3}};
  return density == 0 ? slow : (density == 1 ? medium : busy);
}

// One note of a melody line, its pitch as a scale degree.
struct TTone {
  int bar;
  double beat, length;
  int degree;
  double velocity;
};

// The nearest degree that belongs to the chord (its root, third or fifth).
int NearestChordTone(int degree, int chord) {
  for (int distance = 0; distance < 4; ++distance)
    for (int d : {degree - distance, degree + distance})
      if (((d - chord) % 7 + 7) % 7 % 2 == 0 && ((d - chord) % 7 + 7) % 7 <= 4) return d;
  return degree;
}

int Step(TContext& c) {
  static const int steps[10] = {-1, 1, -1, 1, -2, 2, 0, -3, 3, 4};
  return steps[c.Pick(10)];
}

// Keeps the line inside its range by turning it back at either end.
int Reflect(int degree) {
  if (degree > 9) return 18 - degree;
  if (degree < -3) return -6 - degree;
  return degree;
}

std::vector<TTone> SectionLine(TContext& c, const TSection& section, int& walk) {
  const int density = c.plan.melodyDensity;
  const int bars = static_cast<int>(section.chords.size());
  std::vector<const TRhythm*> rhythms;
  std::vector<TTone> tones;
  for (int bar = 0; bar < bars; ++bar) {
    const int role = bar % 4;
    if (bar == bars - 1 || role == 3) rhythms.push_back(&Cadence(density));
    else if (role == 2) rhythms.push_back(rhythms[static_cast<size_t>(bar - 2)]);  // answers its call
    else rhythms.push_back(&Rhythms(density)[static_cast<size_t>(c.Pick(static_cast<int>(Rhythms(density).size())))]);
    const int chord = section.chords[static_cast<size_t>(bar)];
    for (const THit& hit : *rhythms.back()) {
      const bool strong = std::fmod(hit.beat, 2.0) == 0.0;
      walk = Reflect(walk + Step(c));
      if (strong) walk = NearestChordTone(walk, chord);
      tones.push_back({bar, hit.beat, hit.length * 0.95, walk, (strong ? 0.9 : 0.72) + 0.08 * c.random.Next()});
    }
  }
  tones.back().degree = NearestChordTone(tones.back().degree, section.chords.back());
  return tones;
}

// The loop's last bar climbs by step into the first note of the loop.
void LeadBackIn(TContext& c, std::vector<TTone>& tones, int lastBar, int firstDegree) {
  tones.erase(std::remove_if(tones.begin(), tones.end(), [&](const TTone& t) { return t.bar == lastBar; }),
              tones.end());
  const int chord = c.bars.back().chord;
  tones.push_back({lastBar, 0.0, 1.9, NearestChordTone(firstDegree - 4, chord), 0.85});
  for (int i = 0; i < 3; ++i) tones.push_back({lastBar, 2.5 + 0.5 * i, 0.45, firstDegree - 3 + i, 0.7 + 0.08 * i});
}

void AddMelody(TContext& c) {
  std::map<char, std::vector<TTone>> lines;
  std::vector<TTone> all;
  int walk = 2;
  int offset = 0;
  for (char name : c.plan.form) {
    const TSection& section = SectionNamed(c.plan, name);
    if (!lines.count(name)) lines[name] = SectionLine(c, section, walk);
    for (TTone tone : lines[name]) {
      tone.bar += offset;
      all.push_back(tone);
    }
    offset += static_cast<int>(section.chords.size());
  }
  LeadBackIn(c, all, offset - 1, all.front().degree);
  for (const TTone& t : all)
    c.Add(t.bar, t.beat, t.length, Pitch(c, t.degree), std::clamp(t.velocity, 0.3, 1.0), c.plan.lead);
}

}  // namespace

int DegreePitch(int tonic, TMode mode, int degree) {
  const int octave = FloorDiv(degree, 7);
  return tonic + 12 * octave + kScales[static_cast<int>(mode)][degree - 7 * octave];
}

int BarsOf(const TSongPlan& plan) { return static_cast<int>(LayOut(plan).size()); }

double SecondsOf(const TSongPlan& plan) { return BarsOf(plan) * 4.0 * 60.0 / plan.tempo; }

std::vector<TNote> Compose(const TSongPlan& plan) {
  TContext c{plan, LayOut(plan), {}, TNoise(plan.seed)};
  for (int b = 0; b < static_cast<int>(c.bars.size()); ++b) {
    AddBassBar(c, b);
    AddChordBar(c, b);
    AddDrumBar(c, b);
  }
  AddMelody(c);
  return c.notes;
}
