#include "tools/sound/Mp3Encoder.h"

#include <lame/lame.h>

#include <memory>
#include <stdexcept>

namespace {

struct TLameCloser {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
using TLame = std::unique_ptr<lame_global_flags, TLameCloser>;

TLame OpenEncoder(int sampleRate, int kilobitsPerSecond) {
  TLame lame(lame_init());
  if (!lame) throw std::runtime_error("LAME cannot start");
  lame_set_num_channels(lame.get(), 1);
  lame_set_mode(lame.get(), MONO);
  lame_set_in_samplerate(lame.get(), sampleRate);
  lame_set_out_samplerate(lame.get(), sampleRate);
  lame_set_brate(lame.get(), kilobitsPerSecond);
  lame_set_quality(lame.get(), 7);  // fast: the build encodes every piece each time
  lame_set_bWriteVbrTag(lame.get(), 1);
  lame_set_write_id3tag_automatic(lame.get(), 0);
  if (lame_init_params(lame.get()) < 0) throw std::runtime_error("LAME refuses the MP3 settings");
  return lame;
}

}  // namespace

TBytes EncodeMp3(const std::vector<float>& samples, int sampleRate, int kilobitsPerSecond) {
  TLame lame = OpenEncoder(sampleRate, kilobitsPerSecond);
  constexpr int kChunk = 8192;
  TBytes out;
  std::vector<unsigned char> buffer(static_cast<size_t>(kChunk * 5 / 4 + 7200));
  for (size_t at = 0; at < samples.size(); at += kChunk) {
    const int count = static_cast<int>(std::min<size_t>(kChunk, samples.size() - at));
    const int written = lame_encode_buffer_ieee_float(lame.get(), samples.data() + at, samples.data() + at, count,
                                                      buffer.data(), static_cast<int>(buffer.size()));
    if (written < 0) throw std::runtime_error("LAME failed while encoding");
    out.insert(out.end(), buffer.begin(), buffer.begin() + written);
  }
  const int tail = lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size()));
  if (tail < 0) throw std::runtime_error("LAME failed while flushing");
  out.insert(out.end(), buffer.begin(), buffer.begin() + tail);
  // The first frame was held back for the information frame; fill it in now.
  const size_t tagSize = lame_get_lametag_frame(lame.get(), buffer.data(), buffer.size());
  if (tagSize > 0 && tagSize <= out.size()) std::copy(buffer.begin(), buffer.begin() + static_cast<long>(tagSize), out.begin());
  return out;
}
