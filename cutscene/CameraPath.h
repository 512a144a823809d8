// The film's camera: a slow loop over the terrain, looking ahead, a little inwards and a
// little down, at a height that rises and sinks smoothly with the ground beneath and
// always keeps clear of it.
#pragma once

#include <vector>

#include "assets/Utype.h"

struct TCameraPose {
  T_point eye;
  T_point target;  // a point the camera looks at, in front of the eye
};

// The highest terrain sample within `reach` world units (in x and z) of (x, z), in world
// height; 0 off the grid and on an empty terrain.
double GroundHeightNear(const t_rain& terrain, double x, double z, double reach);

class TCameraPath {
 public:
  // `seconds` is how long the film runs; the heights are worked out once for all of it.
  // The ending flies higher, slower and looks further.
  TCameraPath(const t_rain& terrain, double seconds, bool ending, int film);

  TCameraPose PoseAt(double t) const;
  // Where the loop passes at time t, at height 0.
  T_point GroundTrack(double t) const;
  double AltitudeAt(double t) const;
  double Clearance() const { return clearance_; }

 private:
  void PlanAltitudes(const t_rain& terrain, double seconds);
  T_point Heading(double t) const;

  double radiusX_ = 500.0;
  double radiusZ_ = 500.0;
  double startAngle_ = 0.0;
  double angularSpeed_ = 0.0;  // radians a second
  double reach_ = 20.0;
  double clearance_ = 60.0;
  double pitchDegrees_ = 13.0;
  double inwardDegrees_ = 22.0;
  std::vector<double> altitudes_;  // one every kAltitudeStep seconds, from -kLookAround
};
