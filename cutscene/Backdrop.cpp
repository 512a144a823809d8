#include "cutscene/Backdrop.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSlices = 32;
constexpr int kStacks = 12;
constexpr int kRings = 18;
constexpr double kInnerRing = 25.0;
constexpr double kSkirt = -2000.0;  // below the horizon, behind the far ground

TSkyVertex Coloured(const TFilmColour& c, double x, double y, double z) {
  return {c.r, c.g, c.b, x, y, z};
}

TSkyVertex DomeVertex(const TFilmSky& sky, int stack, int slice) {
  const double phi = 0.5 * kPi * stack / kStacks;
  const double theta = 2.0 * kPi * slice / kSlices;
  const double x = kDomeRadius * std::cos(phi) * std::cos(theta);
  const double y = kDomeHeight * std::sin(phi);
  const double z = kDomeRadius * std::cos(phi) * std::sin(theta);
  // The colour goes by the angle the eye sees the point at, not by the dome's parameter.
  const double elevation = std::atan2(y, kDomeRadius * std::cos(phi)) * 180.0 / kPi;
  return Coloured(SkyColourAt(sky, elevation, theta * 180.0 / kPi), x, y, z);
}

TSkyStrip Skirt(const TFilmSky& sky) {
  TSkyStrip strip;
  for (int slice = 0; slice <= kSlices; ++slice) {
    const double theta = 2.0 * kPi * slice / kSlices;
    const TFilmColour c = SkyColourAt(sky, 0.0, theta * 180.0 / kPi);
    const double x = kDomeRadius * std::cos(theta);
    const double z = kDomeRadius * std::sin(theta);
    strip.push_back(Coloured(c, x, 0.0, z));
    strip.push_back(Coloured(c, x, kSkirt, z));
  }
  return strip;
}

// Rings spaced wider and wider out to the dome: the haze is worked out at each vertex,
// so near the eye they lie close together.
double RingRadius(int ring) {
  if (ring == 0) return 0.0;
  return kInnerRing * std::pow(kDomeRadius / kInnerRing, (ring - 1) / double(kRings - 1));
}

// The haze goes by the distance along the ground. Worked out from the depth at each
// vertex instead, as the terrain's is, a wide quad reaching behind the eye would be
// hazed near the eye as if it were far away.
TGroundVertex DiscVertex(int ring, int slice, double tile) {
  const double theta = 2.0 * kPi * slice / kSlices;
  const double x = RingRadius(ring) * std::cos(theta);
  const double z = RingRadius(ring) * std::sin(theta);
  return {x / tile, z / tile, RingRadius(ring), x, kDiscHeight, z};
}

}  // namespace

std::vector<TSkyStrip> SkyDomeStrips(const TFilmSky& sky) {
  std::vector<TSkyStrip> strips;
  for (int stack = 0; stack < kStacks; ++stack) {
    TSkyStrip& strip = strips.emplace_back();
    for (int slice = 0; slice <= kSlices; ++slice) {
      strip.push_back(DomeVertex(sky, stack + 1, slice));
      strip.push_back(DomeVertex(sky, stack, slice));
    }
  }
  strips.push_back(Skirt(sky));
  return strips;
}

std::vector<TGroundStrip> GroundDiscStrips(double tile) {
  std::vector<TGroundStrip> strips;
  for (int ring = 0; ring < kRings; ++ring) {
    TGroundStrip& strip = strips.emplace_back();
    for (int slice = 0; slice <= kSlices; ++slice) {
      strip.push_back(DiscVertex(ring + 1, slice, tile));
      strip.push_back(DiscVertex(ring, slice, tile));
    }
  }
  return strips;
}

TBackdrop::TBackdrop(const TFilmSky& sky, std::uint32_t groundTexture, double groundTile)
    : draw_(SkyDomeStrips(sky), GroundDiscStrips(std::max(groundTile, 1.0)), groundTexture,
            std::max(groundTile, 1.0)) {}
