// Turns a song's plan (key, mode, tempo, form, chords and the way each part plays) into
// the notes of a loop: bass, chords or arpeggios, a melody and light percussion. The last
// bar leads back into the first, so the piece repeats without a break.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sound/Instruments.h"

enum class TMode { Major, Minor, Dorian, Mixolydian, Lydian, HarmonicMinor };
enum class TBassStyle { Long, Pulse, Walk, Drive };
enum class TChordStyle { Pad, Stabs, Arpeggio, PadAndArpeggio };
enum class TDrumStyle { None, Soft, Pop, Drive, HalfTime };

// A section: one chord a bar, as scale degrees counted from 0 (0 the tonic chord, 4 the
// dominant). Degrees may be negative or above 6.
struct TSection {
  char name = 'A';
  std::vector<int> chords;
};

struct TSongPlan {
  std::string file;   // where the game finds it, "sounds/summer.mp3"
  std::string mood;   // for the build log
  int tonic = 60;     // MIDI pitch of the key's tonic in the melody's octave
  TMode mode = TMode::Major;
  double tempo = 100.0;          // beats a minute, four beats a bar
  std::vector<TSection> sections;
  std::string form = "AABA";     // the order the sections are played in
  TBassStyle bass = TBassStyle::Pulse;
  TChordStyle chords = TChordStyle::Pad;
  TDrumStyle drums = TDrumStyle::Pop;
  TVoice lead = TVoice::Lead;
  int melodyDensity = 1;         // 0 sparse .. 3 busy
  double brightness = 0.5;       // 0 dark .. 1 bright
  double reverb = 0.3;
  std::uint32_t seed = 1;
};

int BarsOf(const TSongPlan& plan);
double SecondsOf(const TSongPlan& plan);

// MIDI pitch of scale degree `degree` (0 the tonic, 7 the tonic an octave up).
int DegreePitch(int tonic, TMode mode, int degree);

std::vector<TNote> Compose(const TSongPlan& plan);
