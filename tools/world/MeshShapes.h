// Building blocks for the game's meshes: flat faces, lofted bodies, slabs and tori, each
// face wound and lit facing away from the inside of its solid.
#pragma once

#include <string>
#include <vector>

#include "tools/writers/MeshWriter.h"

T_point Add(T_point a, T_point b);
T_point Sub(T_point a, T_point b);
T_point Scale(T_point a, double s);
T_point Cross(T_point a, T_point b);
double Dot(T_point a, T_point b);
T_point Normalised(T_point a);

// Adds a material and a group drawn with it; returns the group's index.
int AddPart(TMeshData& mesh, const std::string& name, const TMeshMaterial& material);
TMeshMaterial Paint(const std::string& name, TMeshColour diffuse, double shine = 30.0,
                    double ambientShare = 0.35, double specular = 0.5);

// One flat face of 3 or 4 corners, turned so that its normal points away from `inside`.
void AddFlatFace(TMeshData& mesh, int group, std::vector<T_point> corners, T_point inside);

// A closed body through cross-sections (each a loop of the same number of points, in
// order around the loop), smooth-shaded around and along; the ends are closed with flat
// fans. Sections shrunk to a point close the body without a cap.
void AddLoft(TMeshData& mesh, int group, const std::vector<std::vector<T_point>>& sections);

// A convex outline in the x-z plane, given in order, extruded from y0 to y1 with flat faces.
void AddSlabXZ(TMeshData& mesh, int group, const std::vector<T_point>& outline, double y0, double y1);
// The same for an outline in the z-y plane (x is ignored), extruded from x0 to x1.
void AddSlabZY(TMeshData& mesh, int group, const std::vector<T_point>& outline, double x0, double x1);

// An ellipse of `points` points around `centre` in the plane x-y, half-axes a (x), b (y).
std::vector<T_point> EllipseXY(T_point centre, double a, double b, int points);

// A torus around the z axis in the x-y plane: `major` radius of its centre line, `minor`
// radius of its tube; segment i of the `around` segments goes into group groupOfSegment[i].
void AddTorus(TMeshData& mesh, double major, double minor, int around, int tube,
              const std::vector<int>& groupOfSegment);
