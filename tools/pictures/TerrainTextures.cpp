#include "tools/pictures/TerrainTextures.h"

#include <algorithm>
#include <cmath>

#include "tools/pictures/Noise.h"

namespace {

double Smooth(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

TRgb Ramp(const TTerrainLook& look, double t) {
  return t < 0.5 ? Mix(look.dark, look.mid, t * 2) : Mix(look.mid, look.light, (t - 0.5) * 2);
}

TRgb Scale(TRgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }

void Put(TPicture& picture, int x, int y, TRgb c) {
  std::uint8_t* p = &picture.rgba[(static_cast<std::size_t>(y) * picture.width + x) * 4];
  p[0] = static_cast<std::uint8_t>(std::lround(std::clamp(c.r, 0.0, 1.0) * 255));
  p[1] = static_cast<std::uint8_t>(std::lround(std::clamp(c.g, 0.0, 1.0) * 255));
  p[2] = static_cast<std::uint8_t>(std::lround(std::clamp(c.b, 0.0, 1.0) * 255));
  p[3] = 255;
}

TPicture Blank(int size) {
  TPicture picture;
  picture.width = picture.height = size;
  picture.rgba.assign(static_cast<std::size_t>(size) * size * 4, 255);
  return picture;
}

// What every surface is built from at one point of the tile: all terms are periodic over
// the tile, so the repeated tiles join without seams.
struct TSample {
  const TTerrainLook& look;
  double u, v;
  double base;  // large mottling, 0..1
  double t;     // the same with the contrast the ramp uses
  double fine;  // small grain, 0..1
};

TRgb GrassColour(const TSample& p) {
  const double blades = TileFbm(p.u, p.v, 64, 2, 0.6, p.look.seed + 3);
  TRgb c = Ramp(p.look, std::clamp(p.t * 0.6 + blades * 0.5 - 0.05, 0.0, 1.0));
  if (p.look.surface == TSurface::Meadow && PeriodicNoise(p.u * 48, p.v * 48, 48, p.look.seed + 9) > 0.86)
    c = Mix(c, Hex(0xF4E27A), 0.8);  // flowers
  return Scale(c, 0.92 + 0.16 * p.fine);
}

TRgb PaperColour(const TSample& p) {
  const double fibres = PeriodicNoise(p.u * 96, p.v * 24, 96, 24, p.look.seed + 5);
  const double stains = Smooth(0.6, 0.8, TileFbm(p.u, p.v, 6, 3, 0.5, p.look.seed + 2));
  return Scale(Ramp(p.look, 0.4 + 0.35 * p.t + 0.12 * fibres - 0.2 * stains), 0.95 + 0.08 * p.fine);
}

TRgb SandColour(const TSample& p) {
  // Whole numbers of ripples across and down the tile, bent by the mottling.
  const double ripple = 0.5 + 0.5 * std::sin(2 * M_PI * (6 * p.u + 2 * p.v + 0.8 * p.base));
  return Scale(Ramp(p.look, 0.25 + 0.45 * p.t + 0.3 * ripple), 0.94 + 0.1 * p.fine);
}

TRgb RockColour(const TSample& p) {
  const double ridged = 1 - std::fabs(2 * TileFbm(p.u, p.v, 8, 4, 0.5, p.look.seed + 7) - 1);
  TRgb c = Ramp(p.look, std::clamp(0.5 * p.t + 0.4 * ridged * ridged, 0.0, 1.0));
  if (p.look.surface == TSurface::Basalt && ridged > 0.97) c = Mix(c, Hex(0xD8324A), (ridged - 0.97) / 0.03);
  return Scale(c, 0.9 + 0.2 * p.fine);
}

TRgb LeavesColour(const TSample& p) {
  const double leaf = PeriodicNoise(p.u * 40, p.v * 40, 40, p.look.seed + 6);
  TRgb c = Ramp(p.look, std::clamp(p.t * 0.7 + leaf * 0.5 - 0.1, 0.0, 1.0));
  if (leaf > 0.8) c = Mix(c, Hex(0xC8401A), (leaf - 0.8) * 3);
  return Scale(c, 0.9 + 0.18 * p.fine);
}

TRgb SnowColour(const TSample& p) {
  TRgb c = Ramp(p.look, 0.45 + 0.55 * p.t);
  if (PeriodicNoise(p.u * 128, p.v * 128, 128, p.look.seed + 8) > 0.93) c = Mix(c, Hex(0xFFFFFF), 0.9);  // sparkle
  return Scale(c, 0.97 + 0.05 * p.fine);
}

// Graph paper: a line at the tile's border marks every grid cell of the terrain.
TRgb GridColour(const TSample& p) {
  const double du = std::min(p.u, 1 - p.u) * 16, dv = std::min(p.v, 1 - p.v) * 16;
  const double minor = std::min(std::fabs(p.u * 8 - std::round(p.u * 8)), std::fabs(p.v * 8 - std::round(p.v * 8)));
  TRgb c = Ramp(p.look, 0.55 + 0.2 * p.t);
  if (minor < 0.04) c = Mix(c, p.look.dark, 0.35);
  if (std::min(du, dv) < 0.12) c = Mix(c, p.look.dark, 0.8);
  return c;
}

TRgb SurfaceColour(const TTerrainLook& look, double u, double v) {
  const double base = TileFbm(u, v, 4, 5, 0.55, look.seed);
  // Moderate contrast: the tile repeats over the whole terrain, strong blotches would show it.
  const double t = std::clamp((base - 0.5) * 1.5 + 0.5, 0.0, 1.0);
  const TSample p{look, u, v, base, t, TileFbm(u, v, 32, 2, 0.5, look.seed + 11)};
  switch (look.surface) {
    case TSurface::Grass:
    case TSurface::Meadow: return GrassColour(p);
    case TSurface::Paper: return PaperColour(p);
    case TSurface::Sand: return SandColour(p);
    case TSurface::Rock:
    case TSurface::Basalt: return RockColour(p);
    case TSurface::Earth:
      return Scale(Ramp(look, t * 0.8 + p.fine * 0.2), 0.9 + 0.2 * TileFbm(u, v, 64, 1, 0.5, look.seed + 4));
    case TSurface::Leaves: return LeavesColour(p);
    case TSurface::Snow: return SnowColour(p);
    case TSurface::Grid: return GridColour(p);
  }
  return Ramp(look, t);
}

}  // namespace

TPicture TerrainTile(const TTerrainLook& look, int size) {
  TPicture picture = Blank(size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) Put(picture, x, y, SurfaceColour(look, double(x) / size, double(y) / size));
  return picture;
}

TPicture GroundPicture(const TGroundLook& look, int size) {
  TPicture picture = Blank(size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double u = double(x) / size, v = double(y) / size;
      const double fields = TileFbm(u, v, 3, 4, 0.5, look.seed);
      const double grain = TileFbm(u, v, 48, 2, 0.5, look.seed + 1);
      const TRgb c = Mix(look.low, look.high, Smooth(0.3, 0.7, fields));
      Put(picture, x, y, Scale(c, 0.96 + 0.08 * grain));
    }
  return picture;
}

namespace {

TRgb SkyColour(const TSkyLook& look, double h, double along) {
  TRgb c = h < 0.2 ? Mix(look.haze, look.low, Smooth(0.0, 0.2, h)) : Mix(look.low, look.high, Smooth(0.2, 1.0, h));
  // Clouds: long soft streaks in a band above the horizon, densest near an eighth of the way up.
  const double band = Smooth(0.01, 0.06, h) * (1 - Smooth(0.12, 0.22, h));
  const double n = 0.6 * PeriodicNoise(along * 10, h * 26, 10, look.seed) +
                   0.3 * PeriodicNoise(along * 24, h * 60, 24, look.seed + 1) +
                   0.1 * PeriodicNoise(along * 64, h * 150, 64, look.seed + 2);
  const double cover = Smooth(0.55 - 0.25 * look.clouds, 0.9 - 0.2 * look.clouds, n) * band;
  return Mix(c, look.cloud, cover * 0.85);
}

}  // namespace

TPicture SkyPicture(const TSkyLook& look, int size) {
  TPicture picture = Blank(size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double u = (x + 0.5) / size, v = 1 - (y + 0.5) / size;  // v = 0 is the bottom row
      Put(picture, x, y, SkyColour(look, std::min(u, v), std::max(u, v)));
    }
  return picture;
}

namespace {

struct TTrackTextures {
  const char* name;
  TTerrainLook terrain;
  TGroundLook ground;
  TSkyLook sky;
};

// One set per menu track and per season of the story; the course files name them.
const TTrackTextures kTracks[] = {
    {"dunmarrow", {Hex(0x9A6A3A), Hex(0xD2A66A), Hex(0xF0D8A4), TSurface::Sand, 101},
     {Hex(0xC89A62), Hex(0xE2C490), 201}, {Hex(0xF6E2C4), Hex(0xA8C4DC), Hex(0x4C78B4), Hex(0xFFF4E4), 0.3, 301}},
    {"ridezi", {Hex(0x3E4A40), Hex(0x7A8A74), Hex(0xB8C2B0), TSurface::Rock, 102},
     {Hex(0x56664E), Hex(0x7C8C6A), 202}, {Hex(0xE4EEF2), Hex(0x8CB8E4), Hex(0x2E5EAE), Hex(0xFFFFFF), 0.45, 302}},
    {"large", {Hex(0x3C6A24), Hex(0x6EA03C), Hex(0xA8CC6A), TSurface::Meadow, 103},
     {Hex(0x5E8E38), Hex(0x8AB45A), 203}, {Hex(0xEEF4F4), Hex(0x98C8F0), Hex(0x3A70C8), Hex(0xFFFFFF), 0.7, 303}},
    {"lanterne", {Hex(0x3A1A1C), Hex(0x6E3A2C), Hex(0xB0704A), TSurface::Earth, 104},
     {Hex(0x3A2230), Hex(0x5E3A3C), 204}, {Hex(0xF4A46A), Hex(0xB45A7A), Hex(0x2A2058), Hex(0xFFC89A), 0.5, 304}},
    {"test", {Hex(0x5A6470), Hex(0xC8CCD0), Hex(0xF2F2EE), TSurface::Grid, 105},
     {Hex(0x9AA0A4), Hex(0xB4B8BA), 205}, {Hex(0xE8ECEE), Hex(0xA8C4DC), Hex(0x5A7EA8), Hex(0xFFFFFF), 0.2, 305}},
    {"summer", {Hex(0x2E6A1E), Hex(0x58A030), Hex(0x9CD05A), TSurface::Grass, 106},
     {Hex(0x4E8A2C), Hex(0x78B048), 206}, {Hex(0xF0F6F4), Hex(0x8CC8F4), Hex(0x2C6CD0), Hex(0xFFFFFF), 0.55, 306}},
    {"autumn", {Hex(0x6A3A14), Hex(0xC08430), Hex(0xE8C060), TSurface::Leaves, 107},
     {Hex(0x9A6428), Hex(0xC49448), 207}, {Hex(0xF6DCB0), Hex(0xC8B4A0), Hex(0x5A6A9A), Hex(0xFFF0DC), 0.6, 307}},
    {"winter", {Hex(0x8EA4C4), Hex(0xD4E0EE), Hex(0xFFFFFF), TSurface::Snow, 108},
     {Hex(0xD0DCEA), Hex(0xEEF2F8), 208}, {Hex(0xEEF0F4), Hex(0xB8C8DA), Hex(0x6A82A8), Hex(0xF8FAFC), 0.9, 308}},
    {"final", {Hex(0x1E1424), Hex(0x4A2A44), Hex(0x7A4A5A), TSurface::Basalt, 109},
     {Hex(0x24182C), Hex(0x3C2838), 209}, {Hex(0xF08060), Hex(0x8A3460), Hex(0x1A1238), Hex(0xFFB08A), 0.5, 309}},
};

constexpr int kTileSize = 256;
constexpr int kGroundSize = 512;
constexpr int kSkySize = 512;
constexpr int kQuality = 90;

}  // namespace

void DrawTerrainTextures(TPictureOutput& out) {
  const TTerrainLook paper{Hex(0x7A5A36), Hex(0xC8A478), Hex(0xF2DEB8), TSurface::Paper, 100};
  out.Jpeg("textures/herbe.jpg", GroundPicture({Hex(0x5A8A34), Hex(0x86B050), 200}, kGroundSize), kQuality);
  out.Jpeg("textures/papier sepia.jpg", TerrainTile(paper, kTileSize), kQuality);
  out.Jpeg("textures/texture_sky.jpg",
           SkyPicture({Hex(0xE8EEF0), Hex(0x9CC4E8), Hex(0x3A6EC0), Hex(0xFFFFFF), 0.5, 300}, kSkySize), kQuality);
  for (const TTrackTextures& track : kTracks) {
    const std::string base = std::string("textures/") + track.name;
    out.Jpeg(base + "_ground.jpg", GroundPicture(track.ground, kGroundSize), kQuality);
    out.Jpeg(base + "_terrain.jpg", TerrainTile(track.terrain, kTileSize), kQuality);
    out.Jpeg(base + "_sky.jpg", SkyPicture(track.sky, kSkySize), kQuality);
  }
}
