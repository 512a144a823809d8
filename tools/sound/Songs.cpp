#include "tools/sound/Songs.h"

namespace {

// Plays when no track names its own music and while the options overlay is open.
TSongPlan Background01() {
  TSongPlan s;
  s.file = "sounds/Background01.mp3";
  s.mood = "adventurous, E dorian";
  s.tonic = 64;
  s.mode = TMode::Dorian;
  s.tempo = 118.0;
  s.sections = {{'A', {0, 3, 0, 3, 0, 3, 6, 6}}, {'B', {2, 6, 3, 3, 2, 6, 3, 4}}};
  s.form = "AABA";
  s.bass = TBassStyle::Pulse;
  s.chords = TChordStyle::PadAndArpeggio;
  s.drums = TDrumStyle::Pop;
  s.lead = TVoice::Lead;
  s.melodyDensity = 2;
  s.brightness = 0.7;
  s.reverb = 0.3;
  s.seed = 1001;
  return s;
}

TSongPlan Dunmarrow() {
  TSongPlan s;
  s.file = "sounds/dunmarrow.mp3";
  s.mood = "folk over the moors, D mixolydian";
  s.tonic = 62;
  s.mode = TMode::Mixolydian;
  s.tempo = 100.0;
  s.sections = {{'A', {0, 6, 3, 0, 0, 6, 3, 6}}, {'B', {3, 0, 5, 6, 3, 0, 4, 6}}};
  s.form = "ABA";
  s.bass = TBassStyle::Walk;
  s.chords = TChordStyle::PadAndArpeggio;
  s.drums = TDrumStyle::Soft;
  s.lead = TVoice::Flute;
  s.melodyDensity = 1;
  s.brightness = 0.55;
  s.reverb = 0.35;
  s.seed = 1002;
  return s;
}

TSongPlan Ridezi() {
  TSongPlan s;
  s.file = "sounds/ridezi.mp3";
  s.mood = "driving along the ridges, G minor";
  s.tonic = 67;
  s.mode = TMode::Minor;
  s.tempo = 128.0;
  s.sections = {{'A', {0, 5, 2, 6}}, {'B', {3, 5, 0, 4}}};
  s.form = "AABAABBA";
  s.bass = TBassStyle::Pulse;
  s.chords = TChordStyle::Stabs;
  s.drums = TDrumStyle::Pop;
  s.lead = TVoice::Lead;
  s.melodyDensity = 2;
  s.brightness = 0.65;
  s.reverb = 0.25;
  s.seed = 1003;
  return s;
}

TSongPlan Large() {
  TSongPlan s;
  s.file = "sounds/large.mp3";
  s.mood = "broad and open, B flat lydian";
  s.tonic = 70;
  s.mode = TMode::Lydian;
  s.tempo = 88.0;
  s.sections = {{'A', {0, 1, 0, 1, 5, 4, 1, 1}}, {'B', {5, 2, 1, 4, 5, 2, 1, 4}}};
  s.form = "ABA";
  s.bass = TBassStyle::Long;
  s.chords = TChordStyle::PadAndArpeggio;
  s.drums = TDrumStyle::HalfTime;
  s.lead = TVoice::Lead;
  s.melodyDensity = 1;
  s.brightness = 0.6;
  s.reverb = 0.45;
  s.seed = 1004;
  return s;
}

TSongPlan Lanterne() {
  TSongPlan s;
  s.file = "sounds/lanterne.mp3";
  s.mood = "mysterious lanterns, A harmonic minor";
  s.tonic = 69;
  s.mode = TMode::HarmonicMinor;
  s.tempo = 96.0;
  s.sections = {{'A', {0, 3, 0, 4, 0, 3, 5, 4}}, {'B', {5, 3, 0, 4, 5, 3, 2, 4}}};
  s.form = "ABA";
  s.bass = TBassStyle::Long;
  s.chords = TChordStyle::Arpeggio;
  s.drums = TDrumStyle::Soft;
  s.lead = TVoice::Bell;
  s.melodyDensity = 1;
  s.brightness = 0.45;
  s.reverb = 0.5;
  s.seed = 1005;
  return s;
}

TSongPlan Test() {
  TSongPlan s;
  s.file = "sounds/test.mp3";
  s.mood = "plain and cheerful, C major";
  s.tonic = 60;
  s.mode = TMode::Major;
  s.tempo = 110.0;
  s.sections = {{'A', {0, 5, 3, 4}}, {'B', {3, 4, 5, 4}}};
  s.form = "AABA";
  s.bass = TBassStyle::Pulse;
  s.chords = TChordStyle::Pad;
  s.drums = TDrumStyle::Pop;
  s.lead = TVoice::Lead;
  s.melodyDensity = 1;
  s.brightness = 0.6;
  s.reverb = 0.3;
  s.seed = 1006;
  return s;
}

TSongPlan Summer() {
  TSongPlan s;
  s.file = "sounds/summer.mp3";
  s.mood = "bright summer, F major";
  s.tonic = 65;
  s.mode = TMode::Major;
  s.tempo = 124.0;
  s.sections = {{'A', {0, 4, 5, 3}}, {'B', {1, 4, 0, 4}}, {'C', {3, 4, 3, 4}}};
  s.form = "AABACAAB";
  s.bass = TBassStyle::Pulse;
  s.chords = TChordStyle::PadAndArpeggio;
  s.drums = TDrumStyle::Pop;
  s.lead = TVoice::Lead;
  s.melodyDensity = 2;
  s.brightness = 0.85;
  s.reverb = 0.25;
  s.seed = 1007;
  return s;
}

TSongPlan Autumn() {
  TSongPlan s;
  s.file = "sounds/autumn.mp3";
  s.mood = "mellow autumn, D dorian";
  s.tonic = 62;
  s.mode = TMode::Dorian;
  s.tempo = 84.0;
  s.sections = {{'A', {0, 3, 0, 3, 2, 3, 6, 6}}, {'B', {2, 1, 0, 3, 2, 1, 4, 6}}};
  s.form = "AB";
  s.bass = TBassStyle::Walk;
  s.chords = TChordStyle::PadAndArpeggio;
  s.drums = TDrumStyle::Soft;
  s.lead = TVoice::Flute;
  s.melodyDensity = 1;
  s.brightness = 0.35;
  s.reverb = 0.4;
  s.seed = 1008;
  return s;
}

TSongPlan Winter() {
  TSongPlan s;
  s.file = "sounds/winter.mp3";
  s.mood = "sparse winter, B minor";
  s.tonic = 71;
  s.mode = TMode::Minor;
  s.tempo = 70.0;
  s.sections = {{'A', {0, 5, 3, 4}}, {'B', {5, 2, 6, 4}}};
  s.form = "AABA";
  s.bass = TBassStyle::Long;
  s.chords = TChordStyle::Pad;
  s.drums = TDrumStyle::Soft;
  s.lead = TVoice::Bell;
  s.melodyDensity = 0;
  s.brightness = 0.3;
  s.reverb = 0.55;
  s.seed = 1009;
  return s;
}

TSongPlan Final() {
  TSongPlan s;
  s.file = "sounds/final.mp3";
  s.mood = "tense finale, C sharp harmonic minor";
  s.tonic = 61;
  s.mode = TMode::HarmonicMinor;
  s.tempo = 144.0;
  s.sections = {{'A', {0, 0, 5, 4}}, {'B', {3, 3, 0, 4}}, {'C', {5, 3, 2, 4}}};
  s.form = "AABAACAB";
  s.bass = TBassStyle::Drive;
  s.chords = TChordStyle::Stabs;
  s.drums = TDrumStyle::Drive;
  s.lead = TVoice::Lead;
  s.melodyDensity = 2;
  s.brightness = 0.7;
  s.reverb = 0.2;
  s.seed = 1010;
  return s;
}

}  // namespace

const std::vector<TSongPlan>& SongPlans() {
  static const std::vector<TSongPlan> plans = {Background01(), Dunmarrow(), Ridezi(), Large(),  Lanterne(),
                                               Test(),         Summer(),    Autumn(), Winter(), Final()};
  return plans;
}
