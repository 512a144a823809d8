#include "tools/writers/WavWriter.h"

namespace {

void PutTag(TBytes& out, const char* tag) {
  for (int i = 0; i < 4; ++i) PutU8(out, static_cast<unsigned char>(tag[i]));
}

}  // namespace

TBytes FormatWav16(const std::vector<std::int16_t>& samples, int channels, int sampleRate) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  const std::uint32_t blockAlign = static_cast<std::uint32_t>(channels * 2);
  TBytes out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  PutU32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);
  PutU16(out, 1);  // integer PCM
  PutU16(out, static_cast<unsigned>(channels));
  PutU32(out, static_cast<std::uint32_t>(sampleRate));
  PutU32(out, static_cast<std::uint32_t>(sampleRate) * blockAlign);
  PutU16(out, blockAlign);
  PutU16(out, 16);
  PutTag(out, "data");
  PutU32(out, dataBytes);
  for (std::int16_t sample : samples) PutU16(out, static_cast<std::uint16_t>(sample));
  return out;
}

bool WriteWav16(const std::string& path, const std::vector<std::int16_t>& samples, int channels,
                int sampleRate) {
  return WriteBytesToFile(path, FormatWav16(samples, channels, sampleRate));
}
