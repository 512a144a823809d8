#include "tools/sound/Render.h"

#include <algorithm>
#include <cmath>

#include "tools/sound/Synth.h"

namespace {

void AddWrapped(std::vector<float>& buffer, long long start, const std::vector<double>& sound, double gain) {
  const long long size = static_cast<long long>(buffer.size());
  long long at = ((start % size) + size) % size;
  for (double v : sound) {
    buffer[static_cast<size_t>(at)] += static_cast<float>(v * gain);
    if (++at == size) at = 0;
  }
}

}  // namespace

std::vector<float> RenderSong(const TSongPlan& plan, int sampleRate) {
  const size_t length = static_cast<size_t>(std::lround(SecondsOf(plan) * sampleRate));
  std::vector<float> dry(length, 0.0f);
  std::vector<float> send(length, 0.0f);
  for (const TNote& note : Compose(plan)) {
    const std::vector<double> sound = RenderNote(note, sampleRate, plan.brightness);
    const long long start = std::llround(note.start * sampleRate);
    const double gain = VoiceGain(note.voice) * note.velocity;
    AddWrapped(dry, start, sound, gain);
    AddWrapped(send, start, sound, gain * ReverbSend(note.voice));
  }
  TReverb reverb(sampleRate, 0.6, 0.35);
  ProcessLooped(send, [&](double x) { return reverb.Process(x); });
  for (size_t i = 0; i < length; ++i) dry[i] += static_cast<float>(plan.reverb * 3.0 * send[i]);
  Master(dry, 0.89);
  return dry;
}

void Master(std::vector<float>& samples, double peak) {
  float loudest = 0.0f;
  for (float v : samples) loudest = std::max(loudest, std::fabs(v));
  if (loudest <= 0.0f) return;
  // tanh(1.5 x) / tanh(1.5) keeps the peak where it is and lifts the quieter parts a little.
  const double drive = 1.5;
  const double norm = std::tanh(drive);
  for (float& v : samples) v = static_cast<float>(peak * std::tanh(drive * v / loudest) / norm);
}
