#include "tools/world/Meshes.h"

#include "tools/world/MeshShapes.h"

TMeshData RingMesh() {
  TMeshData mesh;
  // Gold with red bands: the bands show which way the ring is turned.
  const int gold = AddPart(mesh, "ring_gold", Paint("ring_gold", {1.0, 0.78, 0.12}, 60.0, 0.6, 0.9));
  const int red = AddPart(mesh, "ring_band", Paint("ring_band", {0.95, 0.2, 0.08}, 60.0, 0.6, 0.9));
  std::vector<int> groups;
  for (int i = 0; i < 48; ++i) groups.push_back((i / 4) % 2 == 0 ? gold : red);
  AddTorus(mesh, 19.0, 3.5, 48, 16, groups);
  return mesh;
}

TMeshData CaughtRingMesh() {
  TMeshData mesh;
  const int grey = AddPart(mesh, "ring_done", Paint("ring_done", {0.5, 0.58, 0.66}, 10.0, 0.45, 0.15));
  AddTorus(mesh, 19.0, 1.5, 32, 8, std::vector<int>(32, grey));
  return mesh;
}

TMeshData ArrowMesh() {
  TMeshData mesh;
  const int shaft = AddPart(mesh, "arrow_shaft", Paint("arrow_shaft", {1.0, 0.55, 0.05}, 40.0, 0.6, 0.6));
  const int head = AddPart(mesh, "arrow_head", Paint("arrow_head", {1.0, 0.12, 0.05}, 40.0, 0.6, 0.6));
  AddSlabXZ(mesh, shaft, {{-1.2, 0.0, -6.0}, {1.2, 0.0, -6.0}, {1.2, 0.0, 1.0}, {-1.2, 0.0, 1.0}}, -0.6, 0.6);
  AddSlabXZ(mesh, head, {{-3.4, 0.0, 1.0}, {3.4, 0.0, 1.0}, {0.0, 0.0, 6.5}}, -0.7, 0.7);
  return mesh;
}

TCraftPaint PlayerOnePaint() {
  return {{0.16, 0.38, 0.85}, {0.92, 0.93, 0.96}, {0.08, 0.12, 0.2}, {0.35, 0.95, 1.0}};
}

TCraftPaint PlayerTwoPaint() {
  return {{0.85, 0.2, 0.12}, {0.98, 0.78, 0.2}, {0.1, 0.08, 0.08}, {1.0, 0.6, 0.15}};
}

namespace {

// Cross-sections along z: (z, half-width, half-height, centre height).
struct TStation {
  double z, a, b, y;
};

std::vector<std::vector<T_point>> Stations(const std::vector<TStation>& stations, double x, int points) {
  std::vector<std::vector<T_point>> sections;
  for (const TStation& s : stations) sections.push_back(EllipseXY({x, s.y, s.z}, s.a, s.b, points));
  return sections;
}

void AddFuselage(TMeshData& mesh, int hull, int canopy) {
  AddLoft(mesh, hull, Stations({{-6.0, 0.0, 0.0, 0.6}, {-5.0, 0.45, 0.35, 0.62}, {-3.5, 0.9, 0.6, 0.7},
                                {-1.5, 1.2, 0.75, 0.8}, {0.8, 1.25, 0.8, 0.85}, {2.8, 1.0, 0.7, 0.85},
                                {3.6, 0.8, 0.55, 0.85}},
                               0.0, 16));
  AddLoft(mesh, canopy, Stations({{-3.3, 0.0, 0.0, 1.2}, {-2.6, 0.45, 0.4, 1.28}, {-1.2, 0.62, 0.58, 1.38},
                                  {0.3, 0.55, 0.45, 1.36}, {1.2, 0.0, 0.0, 1.3}},
                                 0.0, 12));
}

void AddWingsAndFins(TMeshData& mesh, int trim) {
  for (double side : {-1.0, 1.0}) {
    AddSlabXZ(mesh, trim, {{side * 1.0, 0, -1.8}, {side * 3.8, 0, 1.5}, {side * 3.8, 0, 2.4}, {side * 1.0, 0, 2.6}},
              0.55, 0.75);
    const double tip = side * 3.8;
    AddSlabZY(mesh, trim, {{0, 0.75, 1.4}, {0, 0.75, 2.5}, {0, 1.6, 2.6}, {0, 1.6, 2.1}}, tip - 0.08, tip + 0.08);
    const double fin = side * 0.85;
    AddSlabZY(mesh, trim, {{0, 1.3, 1.2}, {0, 1.3, 3.5}, {0, 2.8, 3.6}, {0, 2.8, 2.8}}, fin - 0.1, fin + 0.1);
  }
}

void AddEngines(TMeshData& mesh, int hull, int glow) {
  for (double x : {-1.55, 1.55}) {
    AddLoft(mesh, hull, Stations({{0.0, 0.0, 0.0, 0.55}, {0.6, 0.42, 0.42, 0.55}, {3.2, 0.5, 0.5, 0.55},
                                  {3.8, 0.45, 0.45, 0.55}},
                                 x, 12));
    AddLoft(mesh, glow, Stations({{3.75, 0.34, 0.34, 0.55}, {3.95, 0.34, 0.34, 0.55}}, x, 12));
  }
  AddLoft(mesh, glow, Stations({{3.55, 0.6, 0.38, 0.85}, {3.72, 0.6, 0.38, 0.85}}, 0.0, 16));
}

}  // namespace

TMeshData CraftMesh(const TCraftPaint& paint) {
  TMeshData mesh;
  const int hull = AddPart(mesh, "hull", Paint("hull", paint.hull, 50.0, 0.4, 0.6));
  const int canopy = AddPart(mesh, "canopy", Paint("canopy", paint.canopy, 90.0, 0.5, 1.0));
  const int trim = AddPart(mesh, "wings", Paint("wings", paint.trim, 30.0, 0.4, 0.4));
  // The glow is as bright in shade as in light.
  const int glow = AddPart(mesh, "engine_glow", Paint("engine_glow", paint.glow, 10.0, 1.0, 0.2));
  AddFuselage(mesh, hull, canopy);
  AddWingsAndFins(mesh, trim);
  AddEngines(mesh, hull, glow);
  return mesh;
}
