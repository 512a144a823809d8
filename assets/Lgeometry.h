// Geometry helpers of the race world: distances, side tests, the angles that orient
// generated rings, rotation about one axis, the compass angle, and grid lookup.
// Angles are in degrees. Divisions by zero give infinities; comparisons with NaN are false.
// Where the arithmetic would give NaN, a number is answered instead: a heading between two
// points one above the other is 0; an elevation between two points on a line along x is
// -90; a turn angle whose corner coincides with an end is 180 (before its sign); a point on
// the axis of a rotation stays where it is; a plane angle of (0, 0) is 0. Cosines are held
// to [-1, 1] against rounding.
#pragma once

#include "assets/Utype.h"

double Distance(T_point a, T_point b);
int LineSideXZ(T_point p, T_point a, T_point b);
int LineSideYZ(T_point p, T_point a, T_point b);
double HeadingXZ(T_point a, T_point b);
double ElevationYZ(T_point a, T_point b);
double TurnAngleXZ(T_point p, T_point a, T_point b);
double TurnAngleYZ(T_point p, T_point a, T_point b);
double CompassAngle(T_point target, T_point player, T_point rotation);
T_point PlaneAngles(T_point p);
T_point RotatePoint(T_point p, T_point r);
// The terrain cell under a position given as the physics holds it (the negated world
// position). No range check; a position that is not finite gives row and column -1.
void WorldToGrid(T_point p, const t_rain& terrain, int& row, int& column);
