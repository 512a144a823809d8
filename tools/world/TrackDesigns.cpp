#include "tools/world/TrackDesigns.h"

#include <cmath>

#include "assets/Lnb.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
double Rad(double degrees) { return degrees * kPi / 180.0; }

// The plan drawn smaller: lengths and radii shrink with the terrain's cells, so the
// turns tighten and the course asks for more throttle work; heights stay as they are.
std::vector<TLeg> Scaled(std::vector<TLeg> plan, double factor) {
  for (TLeg& leg : plan) {
    leg.length *= factor;
    leg.radius *= factor;
  }
  return plan;
}

TTrackDesign MenuTrack(const std::string& name, int width, int height) {
  TTrackDesign design;
  design.name = name;
  design.heightmapPath = "track_data/" + name + ".bmp";
  design.trackPath = "track_data/" + name + ".track";
  design.bitmapWidth = width;
  design.bitmapHeight = height;
  return design;
}

TTrackDesign Season(const std::string& name, int width, int height) {
  TTrackDesign design = MenuTrack(name, width, height);
  design.heightmapPath = "screenplay_data/" + name + "/" + name + ".bmp";
  design.trackPath = "screenplay_data/" + name + "/" + name + ".track";
  return design;
}

// Moors: rounded hills with a few crests, a long loop over the high ground.
TTrackDesign Dunmarrow() {
  TTrackDesign d = MenuTrack("dunmarrow", 256, 256);
  d.cellSize = 22.0;
  d.maxHeight = 380.0;
  d.timeAllowed = 23;
  d.terrain = {11u, 1100.0, 0.35, 0.12, 1.1, 0, 0.25, 1.0};
  d.plan = Scaled({Straight(400, 20), Straight(450, 40), Arc(800, 180, 4, 40),
            Straight(550, -30), Straight(550, -40), Arc(800, 90, 2, -20)}, 22.0 / 30.0);
  return d;
}

// Long ridges running east to west; the course runs along them and through their passes.
TTrackDesign Ridezi() {
  TTrackDesign d = MenuTrack("ridezi", 256, 128);
  d.cellSize = 28.0;
  d.maxHeight = 480.0;
  d.timeAllowed = 32;
  d.terrain = {23u, 1300.0, 0.8, 0.1, 1.1, 0, 0.2, 2.6};
  d.plan = Scaled({Straight(250), Arc(800, 90, 3, 30), Straight(500, 20), Arc(750, 180, 5, 40),
            Arc(900, -25, 1), Arc(900, 50, 2, -20), Arc(900, -25, 1), Straight(500, -10),
            Arc(750, 90, 3, 30)}, 28.0 / 40.0);
  return d;
}

// Big mountains and a wide circuit around them; a coarse sampling of a fine bitmap.
TTrackDesign Large() {
  TTrackDesign d = MenuTrack("large", 500, 500);
  d.accuracy = 0.2;
  d.cellSize = 34.0;
  d.maxHeight = 700.0;
  d.timeAllowed = 34;
  d.terrain = {37u, 1800.0, 0.6, 0.08, 1.2, 0, 0.3, 1.0};
  d.plan = Scaled({Straight(550, 40), Straight(550, 80), Arc(900, 180, 5, 80), Straight(1100, -60),
            Straight(1100, -40), Arc(900, 180, 5, 60), Straight(600, -40)}, 34.0 / 50.0);
  return d;
}

// Stepped mesas standing out of flat ground like lanterns; the course winds between them.
TTrackDesign Lanterne() {
  TTrackDesign d = MenuTrack("lanterne", 256, 256);
  d.cellSize = 20.0;
  d.maxHeight = 320.0;
  d.timeAllowed = 25;
  d.terrain = {41u, 800.0, 0.1, 0.3, 0.8, 5, 0.15, 1.0};
  d.plan = Scaled({Straight(250), Arc(700, -30, 1, 30), Arc(700, 30, 1, 10), Arc(650, 180, 5, 20),
            Straight(400, -20), Arc(700, 35, 1, -20), Arc(700, -35, 1, 10), Straight(400, -20),
            Straight(400, 10)}, 20.0 / 28.0);
  return d;
}

// A gentle first flight: one right turn over low hills, full-size samples.
TTrackDesign Test() {
  TTrackDesign d = MenuTrack("test", 128, 128);
  d.accuracy = 1.0;
  d.cellSize = 20.0;
  d.maxHeight = 240.0;
  d.timeAllowed = 14;
  d.terrain = {53u, 700.0, 0.0, 0.25, 1.0, 0, 0.2, 1.0};
  d.plan = Scaled({Straight(350, 10), Arc(650, 90, 3, 40), Straight(200, -10), Arc(650, 60, 2, -30)}, 20.0 / 28.0);
  return d;
}

// Only a picture in the chooser: the random race flies over the winter heightmap.
TTrackDesign RandomThumbnail() {
  TTrackDesign d = MenuTrack("random", 192, 192);
  d.trackPath.clear();
  d.accuracy = 1.0;
  d.cellSize = 20.0;
  d.maxHeight = 300.0;
  d.terrain = {67u, 600.0, 0.7, 0.12, 1.1, 0, 0.15, 1.0};
  return d;
}

TTrackDesign Summer() {
  TTrackDesign d = Season("summer", 192, 192);
  d.cellSize = 28.0;
  d.maxHeight = 280.0;
  d.timeAllowed = 21;
  d.terrain = {71u, 1000.0, 0.15, 0.18, 1.0, 0, 0.2, 1.0};
  d.plan = Scaled({Straight(300, 10), Arc(750, -30, 1, 20), Arc(750, 30, 1, 10), Arc(700, 180, 4, 20),
            Straight(500, -20), Straight(500, -20)}, 28.0 / 40.0);
  return d;
}

TTrackDesign Autumn() {
  TTrackDesign d = Season("autumn", 256, 256);
  d.cellSize = 22.0;
  d.maxHeight = 400.0;
  d.timeAllowed = 28;
  d.terrain = {83u, 1000.0, 0.45, 0.12, 1.1, 0, 0.25, 1.0};
  d.plan = Scaled({Straight(250, 20), Arc(750, -30, 1, 40), Arc(750, 30, 1, 30), Arc(700, 180, 5, 30),
            Straight(500, -40), Arc(800, 25, 1, -20), Arc(800, -50, 2, -10), Arc(800, 25, 1, 20),
            Straight(450, 30)}, 22.0 / 30.0);
  return d;
}

// Small enough that the random race (half the samples, cells of 10) still has room.
TTrackDesign Winter() {
  TTrackDesign d = Season("winter", 128, 128);
  d.accuracy = 1.0;
  d.cellSize = 22.0;
  d.maxHeight = 480.0;
  d.timeAllowed = 24;
  d.terrain = {97u, 900.0, 0.85, 0.08, 1.2, 0, 0.3, 1.0};
  d.plan = Scaled({Straight(400, 40), Arc(650, 90, 3, 90), Straight(300, 60), Arc(650, 90, 3, -80),
            Straight(450, -60), Arc(650, 90, 3, 90), Straight(300, 40), Arc(700, 45, 1, -60), Straight(350, 50)}, 22.0 / 30.0);
  return d;
}

TTrackDesign Final() {
  TTrackDesign d = Season("final", 384, 384);
  d.cellSize = 20.0;
  d.maxHeight = 560.0;
  d.timeAllowed = 28;
  d.terrain = {101u, 1000.0, 1.0, 0.05, 1.3, 0, 0.35, 1.0};
  d.plan = Scaled({Straight(300, 30), Arc(700, -40, 1, 50), Straight(250, 50), Arc(700, 220, 7, 120),
                   Straight(400, -40), Arc(750, -30, 1, 20), Arc(750, 60, 2, -20), Arc(750, -30, 1, 30),
                   Straight(400, 0), Arc(800, 90, 4, 110)},
                  20.0 / 24.0);
  return d;
}

}  // namespace

const std::vector<TTrackDesign>& TrackDesigns() {
  static const std::vector<TTrackDesign> designs = {Dunmarrow(), Ridezi(), Large(),  Lanterne(),
                                                    Test(),      RandomThumbnail(), Summer(),
                                                    Autumn(),    Winter(), Final()};
  return designs;
}

namespace {

// The flight state while a plan is walked: position and heading (0 faces -z, positive
// turns towards +x).
struct TWalker {
  T_point position = kStartPoint;
  double heading = 0.0;
  void Advance(double distance) {
    position.x += distance * std::sin(Rad(heading));
    position.z -= distance * std::cos(Rad(heading));
  }
};

void WalkStraight(TWalker& walker, const TLeg& leg, double step, std::vector<TPathPoint>& line) {
  const int steps = std::max(1, static_cast<int>(std::ceil(leg.length / step)));
  for (int i = 1; i <= steps; ++i) {
    walker.Advance(leg.length / steps);
    walker.position.y += leg.climb / steps;
    line.push_back({walker.position, i == steps});
  }
}

// Turning on a circle: the centre lies `radius` to the side the leg turns to.
void WalkArc(TWalker& walker, const TLeg& leg, double step, std::vector<TPathPoint>& line) {
  const double side = leg.turn >= 0.0 ? 1.0 : -1.0;
  const double h0 = walker.heading;
  const T_point centre{walker.position.x + side * leg.radius * std::cos(Rad(h0)), 0.0,
                       walker.position.z + side * leg.radius * std::sin(Rad(h0))};
  const double arcLength = std::fabs(Rad(leg.turn)) * leg.radius;
  const int perRing = std::max(1, static_cast<int>(std::ceil(arcLength / leg.rings / step)));
  const int steps = perRing * leg.rings;
  const double y0 = walker.position.y;
  for (int i = 1; i <= steps; ++i) {
    const double h = h0 + leg.turn * i / steps;
    walker.position = {centre.x - side * leg.radius * std::cos(Rad(h)), y0 + leg.climb * i / steps,
                       centre.z - side * leg.radius * std::sin(Rad(h))};
    line.push_back({walker.position, i % perRing == 0});
  }
  walker.heading = h0 + leg.turn;
}

}  // namespace

std::vector<TPathPoint> FlightLine(const std::vector<TLeg>& plan, double step) {
  TWalker walker;
  std::vector<TPathPoint> line = {{walker.position, false}};
  for (const TLeg& leg : plan) {
    if (leg.radius > 0.0)
      WalkArc(walker, leg, step, line);
    else
      WalkStraight(walker, leg, step, line);
  }
  return line;
}

T_tab_point RingCentres(const std::vector<TLeg>& plan) {
  T_tab_point centres;
  for (const TPathPoint& point : FlightLine(plan, 50.0))
    if (point.ring) centres.push_back(point.position);
  return centres;
}

int ThinningPeriod(double accuracy) {
  if (accuracy == 1.0) return 1;
  int keep = 1;
  int period = 1;
  AccuracyToFraction(accuracy, keep, period);
  return period;
}

int KeptSamples(int pixels, double accuracy) {
  if (accuracy == 1.0) return pixels;
  int keep = 1;
  int period = 1;
  AccuracyToFraction(accuracy, keep, period);
  int kept = 0;
  for (int i = 0; i < pixels; ++i)
    if (i % period < keep) ++kept;
  return kept;
}

std::string MusicPathOf(const TTrackDesign& design) { return "sounds/" + design.name + ".mp3"; }

std::string TexturePathOf(const TTrackDesign& design, const std::string& kind) {
  return "textures/" + design.name + "_" + kind + ".jpg";
}
