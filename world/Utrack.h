// The ring course of a race: the rings of a track file or a generated course, the
// caught count, and which mesh each ring is drawn with; the renderer's ring drawing holds
// the ring mesh and the caught-ring mesh and draws them.
#pragma once

#include <memory>

#include "assets/ObjModel.h"
#include "assets/Utype.h"

class TRingDraw;

class Ttrack {
 public:
  // The rings of a track file; every caught flag starts clear.
  Ttrack(TRing_tab rings, const t_rain& terrain, const T_bounding_box& craftBox);
  // A generated course of up to 10 rings over the terrain.
  Ttrack(const t_rain& terrain, const T_bounding_box& craftBox);
  ~Ttrack();
  Ttrack(const Ttrack&) = delete;
  Ttrack& operator=(const Ttrack&) = delete;

  // Once per frame, in the player's view: tests the current ring against the player's
  // point, advances the caught count, draws the rings.
  void UpdateAndDraw(T_point player);

  int CaughtCount() const { return caughtCount_; }
  // Rings the other player caught in a network race count here too: the rings up to
  // `count` become caught (the count never goes down, nor past the ring count).
  void CatchUpTo(int count);
  int RingCount() const { return static_cast<int>(rings_.size()); }
  const TRing_tab& Rings() const { return rings_; }
  double MinSpacing() const { return minSpacing_; }
  int WorldWidth() const { return worldWidth_; }
  int WorldDepth() const { return worldDepth_; }
  const T_bounding_box& CraftBox() const { return craftBox_; }

 private:
  Ttrack(const t_rain& terrain, const T_bounding_box& craftBox, int);

  double minSpacing_ = 0.0;
  int worldWidth_ = 0;
  int worldDepth_ = 0;
  t_rain terrain_;
  // The two meshes, which the renderer draws each ring with.
  std::unique_ptr<TRingDraw> draw_;
  T_bounding_box craftBox_{};
  TRing_tab rings_;
  int caughtCount_ = 0;
};
