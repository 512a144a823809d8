#include "assets/Lgeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.1415926535897932385;

double Rad(double degrees) { return degrees * kPi / 180.0; }
double Deg(double radians) { return radians * 360.0 / (2.0 * kPi); }
double AtanDeg(double q) { return Deg(std::atan(q)); }

// Rounding can push a cosine a hair outside [-1, 1]; the angle is then 0 or 180.
double AcosDeg(double q) { return Deg(std::acos(std::clamp(q, -1.0, 1.0))); }

// Polar angle of (a, b) measured from +a towards +b, between -90 and 270.
// Both zero: no direction, taken as 0.
double PolarAngle(double a, double b) {
  if (a == 0.0 && b == 0.0) return 0.0;
  if (a > 0.0) return AtanDeg(b / a);
  if (b > 0.0) return 180.0 - AtanDeg(std::fabs(b / a));
  return 180.0 + AtanDeg(std::fabs(b / a));
}

// The angle at P of the triangle A'-P-B' (law of cosines). P on A' or B': a straight
// line, 180.
double AngleAt(T_point p, T_point a, T_point b) {
  double e = Distance(a, b);
  double f = Distance(p, a);
  double g = Distance(p, b);
  if (f == 0.0 || g == 0.0) return 180.0;
  return AcosDeg((e * e - f * f - g * g) / (-2.0 * f * g));
}

}  // namespace

double Distance(T_point a, T_point b) {
  double dx = a.x - b.x;
  double dy = a.y - b.y;
  double dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

int LineSideXZ(T_point p, T_point a, T_point b) {
  double s = (b.z - a.z) / (b.x - a.x);
  double k = b.z - s * b.x;
  double zl = s * p.x + k;
  if ((a.x < b.x && zl > p.z) || (a.x > b.x && zl < p.z)) return 1;
  return 2;
}

int LineSideYZ(T_point p, T_point a, T_point b) {
  double s = (b.y - a.y) / (b.z - a.z);
  double k = b.y - s * b.z;
  double yl = s * p.z + k;
  if ((a.z > b.z && yl > p.y) || (a.z < b.z && yl < p.y)) return 1;
  return 2;
}

// Two points one above the other have no horizontal direction: heading 0.
double HeadingXZ(T_point a, T_point b) {
  double d1 = Distance({a.x, b.y, b.z}, b);
  double d2 = Distance({a.x, b.y, a.z}, b);
  double theta = d2 == 0.0 ? 0.0 : AcosDeg(d1 / d2);
  bool positive = (a.x > b.x && a.z <= b.z) || (a.x < b.x && a.z >= b.z);
  return positive ? theta : -theta;
}

// Two points on one line along x have no direction in the z-y plane: -90.
double ElevationYZ(T_point a, T_point b) {
  double d1 = Distance({b.x, b.y, a.z}, b);
  double d2 = Distance({b.x, a.y, a.z}, b);
  double theta = d2 == 0.0 ? 0.0 : AcosDeg(d1 / d2);
  bool positive = (a.z < b.z && a.y >= b.y) || (a.z > b.z && a.y <= b.y);
  return (positive ? theta : -theta) - 90.0;
}

double TurnAngleXZ(T_point p, T_point a, T_point b) {
  T_point a2{a.x, p.y, a.z};
  T_point b2{b.x, p.y, b.z};
  double phi = AngleAt(p, a2, b2);
  return LineSideXZ(p, a2, b2) == 1 ? phi : -phi;
}

double TurnAngleYZ(T_point p, T_point a, T_point b) {
  T_point a2{p.x, a.y, a.z};
  T_point b2{p.x, b.y, b.z};
  double phi = AngleAt(p, a2, b2);
  return LineSideYZ(p, a2, b2) == 1 ? -phi : phi;
}

double CompassAngle(T_point target, T_point player, T_point rotation) {
  double dx = target.x - player.x;
  double dz = target.z - player.z;
  double t = AtanDeg(std::fabs(dz / dx));
  double u = 0.0;
  if (dx < 0 && dz <= 0) {
    u = 90.0 - t;
  } else if (dx < 0 && dz > 0) {
    u = 90.0 + t;
  } else if (dx > 0 && dz >= 0) {
    u = -90.0 - t;
  } else if (dx > 0 && dz < 0) {
    u = -90.0 + t;
  } else if (dx == 0 && dz >= 0) {
    u = 180.0;
  } else {
    u = 0.0;
  }
  return u + rotation.y;
}

T_point PlaneAngles(T_point p) {
  return {PolarAngle(p.y, p.z), PolarAngle(p.z, p.x), PolarAngle(p.x, p.y)};
}

// A point on the axis of rotation stays where it is.
T_point RotatePoint(T_point p, T_point r) {
  T_point base = PlaneAngles(p);
  T_point a{base.x + r.x, base.y + r.y, base.z + r.z};
  if (r.y != 0.0) {
    double d = std::sqrt(p.x * p.x + p.z * p.z);
    if (d == 0.0) return p;
    return {d * std::sin(Rad(a.y)), p.y, d * std::cos(Rad(a.y))};
  }
  if (r.x != 0.0) {
    double d = std::sqrt(p.y * p.y + p.z * p.z);
    if (d == 0.0) return p;
    return {p.x, d * std::cos(Rad(a.x)), d * std::sin(Rad(a.x))};
  }
  if (r.z != 0.0) {
    double d = std::sqrt(p.x * p.x + p.y * p.y);
    if (d == 0.0) return p;
    return {d * std::cos(Rad(a.z)), d * std::sin(Rad(a.z)), p.z};
  }
  return p;
}

namespace {
// Truncation toward zero; anything that does not fit an int lies off every grid.
int TruncIndex(double value) {
  if (!std::isfinite(value) || value >= 2147483647.0 || value <= -2147483648.0) return -1;
  return static_cast<int>(value);
}
}  // namespace

void WorldToGrid(T_point p, const t_rain& terrain, int& row, int& column) {
  const int h = terrain.Rows();
  const int w = terrain.Cols();
  const double cell = terrain.cellSize;
  row = TruncIndex(((h / 2) * cell + p.z) / cell);
  column = TruncIndex(((w / 2) * cell - p.x) / cell);
}
