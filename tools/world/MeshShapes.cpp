#include "tools/world/MeshShapes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

int AddVertex(TMeshData& mesh, T_point p) {
  mesh.vertices.push_back(p);
  return static_cast<int>(mesh.vertices.size()) - 1;
}

int AddNormal(TMeshData& mesh, T_point n) {
  mesh.normals.push_back(Normalised(n));
  return static_cast<int>(mesh.normals.size()) - 1;
}

T_point Centroid(const std::vector<T_point>& points) {
  T_point sum;
  for (const T_point& p : points) sum = Add(sum, p);
  return Scale(sum, 1.0 / static_cast<double>(points.size()));
}

T_point FaceNormal(const std::vector<T_point>& c) {
  // Newell's method copes with slightly bent quads.
  T_point n;
  for (size_t i = 0; i < c.size(); ++i) {
    const T_point& a = c[i];
    const T_point& b = c[(i + 1) % c.size()];
    n.x += (a.y - b.y) * (a.z + b.z);
    n.y += (a.z - b.z) * (a.x + b.x);
    n.z += (a.x - b.x) * (a.y + b.y);
  }
  return n;
}

// A face with its own normal at every corner, wound counter-clockwise seen from outside.
void AddSmoothFace(TMeshData& mesh, int group, std::vector<int> vertices, std::vector<int> normals,
                   T_point inside) {
  std::vector<T_point> corners;
  for (int v : vertices) corners.push_back(mesh.vertices[static_cast<size_t>(v)]);
  if (Dot(FaceNormal(corners), Sub(Centroid(corners), inside)) < 0.0) {
    std::reverse(vertices.begin(), vertices.end());
    std::reverse(normals.begin(), normals.end());
  }
  mesh.groups[static_cast<size_t>(group)].faces.push_back({vertices, normals, {}});
}

double Length(T_point a) { return std::sqrt(Dot(a, a)); }

}  // namespace

T_point Add(T_point a, T_point b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
T_point Sub(T_point a, T_point b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
T_point Scale(T_point a, double s) { return {a.x * s, a.y * s, a.z * s}; }
T_point Cross(T_point a, T_point b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(T_point a, T_point b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
T_point Normalised(T_point a) {
  const double length = Length(a);
  return length > 0.0 ? Scale(a, 1.0 / length) : T_point{0.0, 1.0, 0.0};
}

int AddPart(TMeshData& mesh, const std::string& name, const TMeshMaterial& material) {
  bool known = false;
  for (const TMeshMaterial& m : mesh.materials) known = known || m.name == material.name;
  if (!known) mesh.materials.push_back(material);
  mesh.groups.push_back({name, material.name, {}});
  return static_cast<int>(mesh.groups.size()) - 1;
}

TMeshMaterial Paint(const std::string& name, TMeshColour diffuse, double shine, double ambientShare,
                    double specular) {
  return {name,
          {diffuse.r * ambientShare, diffuse.g * ambientShare, diffuse.b * ambientShare},
          diffuse,
          {specular, specular, specular},
          shine};
}

void AddFlatFace(TMeshData& mesh, int group, std::vector<T_point> corners, T_point inside) {
  T_point normal = FaceNormal(corners);
  if (Dot(normal, Sub(Centroid(corners), inside)) < 0.0) {
    std::reverse(corners.begin(), corners.end());
    normal = Scale(normal, -1.0);
  }
  const int n = AddNormal(mesh, normal);
  TMeshFace face;
  for (const T_point& c : corners) {
    face.vertices.push_back(AddVertex(mesh, c));
    face.normals.push_back(n);
  }
  mesh.groups[static_cast<size_t>(group)].faces.push_back(face);
}

namespace {

using TSections = std::vector<std::vector<T_point>>;

// Smooth normals: each point of the loft takes the sum of the normals of the quads around it.
std::vector<std::vector<T_point>> LoftNormals(const TSections& sections, const std::vector<T_point>& centres) {
  const size_t around = sections[0].size();
  std::vector<std::vector<T_point>> sums(sections.size(), std::vector<T_point>(around));
  for (size_t s = 0; s + 1 < sections.size(); ++s) {
    for (size_t k = 0; k < around; ++k) {
      const size_t k1 = (k + 1) % around;
      T_point n = FaceNormal({sections[s][k], sections[s][k1], sections[s + 1][k1], sections[s + 1][k]});
      const T_point mid = Centroid({sections[s][k], sections[s + 1][k1]});
      if (Dot(n, Sub(mid, Centroid({centres[s], centres[s + 1]}))) < 0.0) n = Scale(n, -1.0);
      for (auto [ss, kk] : {std::pair{s, k}, {s, k1}, {s + 1, k1}, {s + 1, k}}) sums[ss][kk] = Add(sums[ss][kk], n);
    }
  }
  return sums;
}

// The band of quads between two sections; a side shrunk to a point makes a triangle.
void AddLoftBand(TMeshData& mesh, int group, const TSections& sections, size_t s,
                 const std::vector<std::vector<int>>& vertex, const std::vector<std::vector<int>>& normal,
                 T_point inside) {
  const size_t around = sections[s].size();
  for (size_t k = 0; k < around; ++k) {
    const size_t k1 = (k + 1) % around;
    std::vector<int> v = {vertex[s][k], vertex[s][k1], vertex[s + 1][k1], vertex[s + 1][k]};
    std::vector<int> n = {normal[s][k], normal[s][k1], normal[s + 1][k1], normal[s + 1][k]};
    if (Length(Sub(sections[s][k], sections[s][k1])) < 1e-9) {
      v.erase(v.begin());
      n.erase(n.begin());
    } else if (Length(Sub(sections[s + 1][k], sections[s + 1][k1])) < 1e-9) {
      v.pop_back();
      n.pop_back();
    }
    AddSmoothFace(mesh, group, v, n, inside);
  }
}

}  // namespace

void AddLoft(TMeshData& mesh, int group, const std::vector<std::vector<T_point>>& sections) {
  const size_t count = sections.size();
  const size_t around = sections[0].size();
  std::vector<T_point> centres;
  for (const auto& section : sections) centres.push_back(Centroid(section));
  const std::vector<std::vector<T_point>> sums = LoftNormals(sections, centres);
  std::vector<std::vector<int>> vertex(count), normal(count);
  for (size_t s = 0; s < count; ++s) {
    for (size_t k = 0; k < around; ++k) {
      vertex[s].push_back(AddVertex(mesh, sections[s][k]));
      normal[s].push_back(AddNormal(mesh, sums[s][k]));
    }
  }
  for (size_t s = 0; s + 1 < count; ++s)
    AddLoftBand(mesh, group, sections, s, vertex, normal, Centroid({centres[s], centres[s + 1]}));
  const T_point inside = Centroid(centres);
  for (size_t end : {size_t{0}, count - 1}) {
    const std::vector<T_point>& ring = sections[end];
    if (Length(Sub(ring[0], ring[around / 2])) < 1e-9) continue;  // already a point
    for (size_t k = 0; k < around; ++k) AddFlatFace(mesh, group, {centres[end], ring[k], ring[(k + 1) % around]}, inside);
  }
}

namespace {

// The side walls and the two ends of an extruded convex outline; `lift` moves a point of
// the outline to one end of the extrusion.
template <typename Lift>
void AddPrism(TMeshData& mesh, int group, const std::vector<T_point>& outline, Lift lift, double a, double b) {
  std::vector<T_point> bottom, top;
  for (const T_point& p : outline) {
    bottom.push_back(lift(p, a));
    top.push_back(lift(p, b));
  }
  const T_point inside = Scale(Add(Centroid(bottom), Centroid(top)), 0.5);
  for (size_t i = 0; i < outline.size(); ++i) {
    const size_t j = (i + 1) % outline.size();
    AddFlatFace(mesh, group, {bottom[i], bottom[j], top[j], top[i]}, inside);
  }
  // Ends as fans of triangles and quads, so no face has more than four corners.
  for (const auto* end : {&bottom, &top}) {
    for (size_t i = 1; i + 1 < end->size(); i += 2) {
      std::vector<T_point> piece = {(*end)[0], (*end)[i], (*end)[i + 1]};
      if (i + 2 < end->size()) piece.push_back((*end)[i + 2]);
      AddFlatFace(mesh, group, piece, inside);
    }
  }
}

}  // namespace

void AddSlabXZ(TMeshData& mesh, int group, const std::vector<T_point>& outline, double y0, double y1) {
  AddPrism(mesh, group, outline, [](T_point p, double y) { return T_point{p.x, y, p.z}; }, y0, y1);
}

void AddSlabZY(TMeshData& mesh, int group, const std::vector<T_point>& outline, double x0, double x1) {
  AddPrism(mesh, group, outline, [](T_point p, double x) { return T_point{x, p.y, p.z}; }, x0, x1);
}

std::vector<T_point> EllipseXY(T_point centre, double a, double b, int points) {
  std::vector<T_point> loop;
  for (int i = 0; i < points; ++i) {
    const double t = 2.0 * kPi * i / points;
    loop.push_back({centre.x + a * std::cos(t), centre.y + b * std::sin(t), centre.z});
  }
  return loop;
}

void AddTorus(TMeshData& mesh, double major, double minor, int around, int tube,
                      const std::vector<int>& groupOfSegment) {
  std::vector<std::vector<int>> vertex(static_cast<size_t>(around)), normal(static_cast<size_t>(around));
  for (int i = 0; i < around; ++i) {
    const double u = 2.0 * kPi * i / around;
    for (int j = 0; j < tube; ++j) {
      const double v = 2.0 * kPi * j / tube;
      const T_point n{std::cos(v) * std::cos(u), std::cos(v) * std::sin(u), std::sin(v)};
      const double r = major + minor * std::cos(v);
      vertex[static_cast<size_t>(i)].push_back(AddVertex(mesh, {r * std::cos(u), r * std::sin(u), minor * std::sin(v)}));
      normal[static_cast<size_t>(i)].push_back(AddNormal(mesh, n));
    }
  }
  for (int i = 0; i < around; ++i) {
    const size_t a = static_cast<size_t>(i);
    const size_t b = static_cast<size_t>((i + 1) % around);
    const double u = 2.0 * kPi * (i + 0.5) / around;
    const T_point core{major * std::cos(u), major * std::sin(u), 0.0};
    for (int j = 0; j < tube; ++j) {
      const size_t c = static_cast<size_t>(j);
      const size_t d = static_cast<size_t>((j + 1) % tube);
      AddSmoothFace(mesh, groupOfSegment[a], {vertex[a][c], vertex[b][c], vertex[b][d], vertex[a][d]},
                    {normal[a][c], normal[b][c], normal[b][d], normal[a][d]}, core);
    }
  }
}
