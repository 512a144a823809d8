// Geometry helpers of the race world: distances, side tests, the angles that orient
// generated rings, rotation about one axis, the compass angle, and grid lookup.
// Angles are in degrees. Divisions by zero give infinities; comparisons with NaN are false.
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
