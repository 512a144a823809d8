// The voices of the game's music, each turning one note into samples.
#pragma once

#include <cstdint>
#include <vector>

enum class TVoice { Bass, Pad, Pluck, Lead, Flute, Bell, Kick, Snare, Hat, OpenHat, Tom };

struct TNote {
  double start = 0.0;   // seconds from the beginning of the loop
  double length = 0.0;  // seconds held
  double pitch = 60.0;  // MIDI note number (drums ignore it, toms use it)
  double velocity = 1.0;
  TVoice voice = TVoice::Lead;
};

// The note's sound from its start until it has died away, at full scale.
std::vector<double> RenderNote(const TNote& note, int sampleRate, double brightness);

// How much of each voice goes to the mix and to the reverb.
double VoiceGain(TVoice voice);
double ReverbSend(TVoice voice);
