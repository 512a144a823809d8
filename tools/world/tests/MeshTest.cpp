#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "assets/ObjModel.h"
#include "tools/world/MeshShapes.h"
#include "tools/world/Meshes.h"

namespace {

struct TBox {
  T_point low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
              std::numeric_limits<double>::max()};
  T_point high{-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
               -std::numeric_limits<double>::max()};
};

TBox BoxOf(const TMeshData& mesh) {
  TBox box;
  for (const T_point& v : mesh.vertices) {
    box.low = {std::min(box.low.x, v.x), std::min(box.low.y, v.y), std::min(box.low.z, v.z)};
    box.high = {std::max(box.high.x, v.x), std::max(box.high.y, v.y), std::max(box.high.z, v.z)};
  }
  return box;
}

// The corners' winding agrees with the normals the race lights them by.
int FacesWoundAgainstTheirNormals(const TMeshData& mesh) {
  int wrong = 0;
  for (const TMeshGroup& group : mesh.groups) {
    for (const TMeshFace& face : group.faces) {
      const T_point a = mesh.vertices[face.vertices[0]];
      const T_point b = mesh.vertices[face.vertices[1]];
      const T_point c = mesh.vertices[face.vertices[2]];
      T_point lit;
      for (int n : face.normals) lit = Add(lit, mesh.normals[n]);
      if (Dot(Cross(Sub(b, a), Sub(c, a)), lit) < 0.0) ++wrong;
    }
  }
  return wrong;
}

const TMeshMaterial& MaterialOf(const TMeshData& mesh, const std::string& name) {
  for (const TMeshMaterial& m : mesh.materials)
    if (m.name == name) return m;
  throw std::runtime_error("no material " + name);
}

}  // namespace

TEST(WorldgenMesh, EveryMeshIsWellFormedAndLitOutwards) {
  const TMeshData meshes[] = {RingMesh(), CaughtRingMesh(), ArrowMesh(), CraftMesh(PlayerOnePaint()),
                              CraftMesh(PlayerTwoPaint())};
  for (const TMeshData& mesh : meshes) {
    EXPECT_EQ(CheckMesh(mesh), "");
    EXPECT_EQ(FacesWoundAgainstTheirNormals(mesh), 0);
    for (const T_point& n : mesh.normals) EXPECT_NEAR(std::sqrt(Dot(n, n)), 1.0, 1e-9);
  }
}

TEST(WorldgenMesh, RingFitsTheCourseBoxAndLeavesItsHoleOpen) {
  const TMeshData ring = RingMesh();
  const TBox box = BoxOf(ring);
  EXPECT_LE(box.high.x, 24.0);
  EXPECT_GE(box.low.x, -24.0);
  EXPECT_LE(box.high.y, 24.0);
  EXPECT_GE(box.low.y, -24.0);
  EXPECT_LE(box.high.z, 8.0);
  EXPECT_GE(box.low.z, -8.0);
  EXPECT_GT(box.high.x, 20.0);  // fills most of the box
  double hole = std::numeric_limits<double>::max();
  for (const T_point& v : ring.vertices) hole = std::min(hole, std::hypot(v.x, v.y));
  EXPECT_GT(hole, 15.0);
}

TEST(WorldgenMesh, CaughtRingIsThinnerAndGrey) {
  const TMeshData caught = CaughtRingMesh();
  const TBox box = BoxOf(caught);
  EXPECT_LT(box.high.z - box.low.z, 0.5 * (BoxOf(RingMesh()).high.z - BoxOf(RingMesh()).low.z));
  ASSERT_EQ(caught.materials.size(), 1u);
  const TMeshColour grey = caught.materials[0].diffuse;
  const TMeshColour gold = MaterialOf(RingMesh(), "ring_gold").diffuse;
  EXPECT_LT(std::max({grey.r, grey.g, grey.b}) - std::min({grey.r, grey.g, grey.b}), 0.25);
  EXPECT_GT(gold.r - gold.b, 0.5);
}

TEST(WorldgenMesh, ArrowIsFlatAndPointsTowardsPlusZ) {
  const TMeshData arrow = ArrowMesh();
  const TBox box = BoxOf(arrow);
  const double length = box.high.z - box.low.z;
  EXPECT_GE(length, 10.0);
  EXPECT_LE(length, 14.0);
  EXPECT_LT(box.high.y - box.low.y, 0.3 * (box.high.x - box.low.x));
  // The tip is the one vertex at the far +z end, on the axis.
  for (const T_point& v : arrow.vertices) {
    if (v.z == box.high.z) {
      EXPECT_NEAR(v.x, 0.0, 1e-9);
    }
  }
  double tailWidth = 0.0;
  for (const T_point& v : arrow.vertices)
    if (v.z == box.low.z) tailWidth = std::max(tailWidth, std::fabs(v.x));
  EXPECT_LT(tailWidth, box.high.x / 2.0);
}

TEST(WorldgenMesh, CraftHasItsPartsItsSizeAndTwoLiveries) {
  const TMeshData one = CraftMesh(PlayerOnePaint());
  const TMeshData two = CraftMesh(PlayerTwoPaint());
  const TBox box = BoxOf(one);
  EXPECT_GE(box.high.x - box.low.x, 6.0);
  EXPECT_LE(box.high.x - box.low.x, 8.0);
  EXPECT_NEAR(box.low.y, 0.0, 0.1);  // sits on its belly at the drawing point
  // Nose towards -z: the front end is narrow, the wings sit behind the middle.
  for (const T_point& v : one.vertices) {
    if (v.z < box.low.z + 1.0) {
      EXPECT_LT(std::fabs(v.x), 0.6);
    }
  }
  std::vector<std::string> names;
  for (const TMeshGroup& g : one.groups) names.push_back(g.name);
  for (const char* part : {"hull", "canopy", "wings", "engine_glow"})
    EXPECT_NE(std::find(names.begin(), names.end(), part), names.end()) << part;
  EXPECT_EQ(one.vertices.size(), two.vertices.size());
  const TMeshColour a = MaterialOf(one, "hull").diffuse;
  const TMeshColour b = MaterialOf(two, "hull").diffuse;
  EXPECT_GT(std::fabs(a.r - b.r) + std::fabs(a.b - b.b), 0.5);
}

TEST(WorldgenMesh, LoftClosesPointedEndsWithTriangles) {
  TMeshData mesh;
  const int part = AddPart(mesh, "p", Paint("p", {1, 1, 1}));
  AddLoft(mesh, part, {EllipseXY({0, 0, 0}, 0, 0, 6), EllipseXY({0, 0, 1}, 1, 1, 6), EllipseXY({0, 0, 2}, 1, 1, 6)});
  int triangles = 0;
  int quads = 0;
  for (const TMeshFace& f : mesh.groups[0].faces) (f.vertices.size() == 3 ? triangles : quads)++;
  EXPECT_EQ(quads, 6);          // the cylinder
  EXPECT_EQ(triangles, 6 + 6);  // the point's fan and the flat cap at the far end
  EXPECT_EQ(FacesWoundAgainstTheirNormals(mesh), 0);
}

TEST(WorldgenMesh, TheGameReadsBackWhatWasWritten) {
  const TMeshData craft = CraftMesh(PlayerTwoPaint());
  const t_OBJ_item read = ParseObj("mesh/brisel reduce-dash.obj", FormatObj(craft, "brisel reduce-dash.mtl"),
                                   [&](std::string& text) {
                                     text = FormatMtl(craft);
                                     return true;
                                   });
  ASSERT_EQ(read.vertices.size(), craft.vertices.size());
  ASSERT_EQ(read.normals.size(), craft.normals.size());
  ASSERT_EQ(read.groups.size(), craft.groups.size());
  ASSERT_EQ(read.materials.size(), craft.materials.size());
  size_t faces = 0;
  for (size_t g = 0; g < craft.groups.size(); ++g) {
    EXPECT_EQ(read.groups[g].name, craft.groups[g].name);
    EXPECT_EQ(read.groups[g].firstFace, static_cast<int>(faces) + 1);
    EXPECT_EQ(read.materials[static_cast<size_t>(read.groups[g].materialIndex)].name, craft.groups[g].material);
    faces += craft.groups[g].faces.size();
  }
  ASSERT_EQ(read.faces.size(), faces);
  const TMeshFace& first = craft.groups[0].faces[0];
  ASSERT_EQ(read.faces[0].size(), first.vertices.size());
  EXPECT_EQ(read.faces[0][0][0].value, first.vertices[0] + 1);
  EXPECT_EQ(read.faces[0][0][1].present, 0.0);
  EXPECT_EQ(read.faces[0][0][2].value, first.normals[0] + 1);
  for (size_t i = 0; i < craft.vertices.size(); ++i) EXPECT_NEAR(read.vertices[i].x, craft.vertices[i].x, 1e-6);
  const t_rec_mtl& hull = read.materials[0];
  EXPECT_TRUE(hull.hasAmbient && hull.hasDiffuse && hull.hasSpecular && hull.hasNs);
  EXPECT_NEAR(hull.diffuse[0], PlayerTwoPaint().hull.r, 1e-6);
}
