#include <gtest/gtest.h>

#include "tools/writers/WavWriter.h"

namespace {

std::uint32_t U32(const TBytes& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
unsigned U16(const TBytes& b, size_t at) { return b[at] | (b[at + 1] << 8); }
std::string Tag(const TBytes& b, size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

}  // namespace

TEST(WavWriter, HeaderDescribesMono16BitPcm) {
  const TBytes wav = FormatWav16({0, 1, -1, 32767, -32768}, 1, 22050);
  ASSERT_EQ(wav.size(), 44u + 10u);
  EXPECT_EQ(Tag(wav, 0), "RIFF");
  EXPECT_EQ(U32(wav, 4), wav.size() - 8);
  EXPECT_EQ(Tag(wav, 8), "WAVE");
  EXPECT_EQ(Tag(wav, 12), "fmt ");
  EXPECT_EQ(U32(wav, 16), 16u);
  EXPECT_EQ(U16(wav, 20), 1u);  // PCM
  EXPECT_EQ(U16(wav, 22), 1u);
  EXPECT_EQ(U32(wav, 24), 22050u);
  EXPECT_EQ(U32(wav, 28), 44100u);  // bytes a second
  EXPECT_EQ(U16(wav, 32), 2u);
  EXPECT_EQ(U16(wav, 34), 16u);
  EXPECT_EQ(Tag(wav, 36), "data");
  EXPECT_EQ(U32(wav, 40), 10u);
}

TEST(WavWriter, SamplesAreLittleEndianTwosComplement) {
  const TBytes wav = FormatWav16({1, -1, 32767, -32768}, 2, 44100);
  EXPECT_EQ(U16(wav, 22), 2u);
  EXPECT_EQ(U32(wav, 28), 44100u * 4u);
  EXPECT_EQ(U16(wav, 32), 4u);
  EXPECT_EQ(U16(wav, 44), 0x0001u);
  EXPECT_EQ(U16(wav, 46), 0xFFFFu);
  EXPECT_EQ(U16(wav, 48), 0x7FFFu);
  EXPECT_EQ(U16(wav, 50), 0x8000u);
}
