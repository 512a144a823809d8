// Decoding pictures and parsing meshes: pure work on bytes already in memory, no GL.
// The menu decodes about eighty pictures at start, so these set its loading time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "assets/Image.h"
#include "assets/ObjModel.h"
#include "tools/writers/ImageWriters.h"
#include "tools/writers/JpegWriter.h"

namespace {

constexpr int kSide = 1024;

// A menu-like picture: flat panels (long runs) beside soft gradients (few runs).
TImage MenuLikePicture(int channels) {
  TImage image{kSide, kSide, channels, {}};
  image.pixels.reserve(static_cast<std::size_t>(kSide) * kSide * channels);
  std::uint32_t noise = 12345;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const bool panel = (x / 128 + y / 128) % 2 == 0;
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 29);  // 0..7: paper-like texture
      image.pixels.push_back(static_cast<std::uint8_t>(panel ? 40 : x / 5 + grain));
      image.pixels.push_back(static_cast<std::uint8_t>(panel ? 60 : y / 5 + grain));
      image.pixels.push_back(static_cast<std::uint8_t>(panel ? 90 : (x + y) / 10 + grain));
      if (channels == 4) image.pixels.push_back(static_cast<std::uint8_t>(panel ? 255 : 0));
    }
  }
  return image;
}

std::vector<std::uint8_t> TopFirst(const TImage& image) {
  std::vector<std::uint8_t> rows;
  const std::size_t stride = static_cast<std::size_t>(image.width) * image.channels;
  for (int y = image.height - 1; y >= 0; --y) {
    rows.insert(rows.end(), image.pixels.begin() + y * stride, image.pixels.begin() + (y + 1) * stride);
  }
  return rows;
}

void RunDecoder(benchmark::State& state, const TBytes& bytes,
                TDecodeResult (*decode)(const std::string&, const TBytes&, bool)) {
  for (auto _ : state) {
    TDecodeResult result = decode("bench", bytes, true);
    if (!result.ok) state.SkipWithError(result.message.c_str());
    benchmark::DoNotOptimize(result.image.pixels.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kSide * kSide * 4);
  state.counters["file_kb"] = static_cast<double>(bytes.size()) / 1024.0;
}

void BM_DecodeTga1024(benchmark::State& state) {
  static const TBytes bytes = MakeTga(MenuLikePicture(4), false);
  RunDecoder(state, bytes, DecodeTga);
}
BENCHMARK(BM_DecodeTga1024)->Unit(benchmark::kMillisecond);

void BM_DecodeTgaRle1024(benchmark::State& state) {
  static const TBytes bytes = MakeTga(MenuLikePicture(4), true);
  RunDecoder(state, bytes, DecodeTga);
}
BENCHMARK(BM_DecodeTgaRle1024)->Unit(benchmark::kMillisecond);

void BM_DecodeBmp1024(benchmark::State& state) {
  static const TBytes bytes = MakeBmp24(MenuLikePicture(3));
  RunDecoder(state, bytes, DecodeBmp);
}
BENCHMARK(BM_DecodeBmp1024)->Unit(benchmark::kMillisecond);

void BM_DecodeJpeg1024(benchmark::State& state) {
  static const TBytes bytes = EncodeJpeg(kSide, kSide, TopFirst(MenuLikePicture(3)), 85);
  RunDecoder(state, bytes, DecodeJpeg);
}
BENCHMARK(BM_DecodeJpeg1024)->Unit(benchmark::kMillisecond);

// A craft-sized mesh: a 50 x 100 grid of quads cut into 10,000 triangles with v/t/n
// corners, in four groups of two materials.
std::string TenThousandFaceObj() {
  std::string text = "# bench mesh\n";
  const int columns = 51, rows = 101;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      text += "v " + std::to_string(c * 0.25) + " " + std::to_string(std::sin(r * 0.1) * 2.0) + " " +
              std::to_string(-r * 0.5) + "\n";
      text += "vt " + std::to_string(c / 50.0) + " " + std::to_string(r / 100.0) + "\n";
      text += "vn 0.000000 1.000000 0.000000\n";
    }
  }
  for (int r = 0; r + 1 < rows; ++r) {
    if (r % 25 == 0) text += "g part" + std::to_string(r / 25) + "\nusemtl " + (r % 50 ? "glass" : "hull") + "\n";
    for (int c = 0; c + 1 < columns; ++c) {
      const std::string a = std::to_string(r * columns + c + 1), b = std::to_string(r * columns + c + 2);
      const std::string d = std::to_string((r + 1) * columns + c + 1), e = std::to_string((r + 1) * columns + c + 2);
      text += "f " + a + "/" + a + "/" + a + " " + b + "/" + b + "/" + b + " " + e + "/" + e + "/" + e + "\n";
      text += "f " + a + "/" + a + "/" + a + " " + e + "/" + e + "/" + e + " " + d + "/" + d + "/" + d + "\n";
    }
  }
  return text;
}

void BM_ParseObj10kFaces(benchmark::State& state) {
  static const std::string obj = TenThousandFaceObj();
  static const std::string mtl = "newmtl hull\nKd 0.8 0.2 0.2\nNs 30\nnewmtl glass\nKd 0.2 0.3 0.9\nKs 1 1 1\n";
  for (auto _ : state) {
    t_OBJ_item item = ParseObj("mesh/bench.obj", obj, [](std::string& text) {
      text = mtl;
      return true;
    });
    if (item.faces.size() != 10000) state.SkipWithError("the mesh did not read back");
    benchmark::DoNotOptimize(item.faces.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(obj.size()));
}
BENCHMARK(BM_ParseObj10kFaces)->Unit(benchmark::kMillisecond);

}  // namespace
