// The track chooser's record line: the best time kept for the course in view, or "No
// record yet". The records are read each time the chooser opens (a race may just have
// set one) and each course's file is known by its bytes, hashed once per opening.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "assets/Utype.h"
#include "saves/BestTimes.h"

class TRecordPictures;

// The line's text for a course: its best time as "M:SS.cc", or empty for none. A track
// without a file (the random course) never has one.
std::string BestTimeLineOf(const TBestTimes& times, const std::string& trackFile);

class TTrackRecordLine {
 public:
  TTrackRecordLine();
  ~TTrackRecordLine();
  TTrackRecordLine(const TTrackRecordLine&) = delete;
  TTrackRecordLine& operator=(const TTrackRecordLine&) = delete;

  // Reads the best times again; the pictures are loaded on the first call.
  void Refresh();
  // Under the track's picture, in the chooser's units scaled by `scaleX`/`scaleY`.
  void Draw(const T_TrackFile& track, double scaleX, double scaleY);

 private:
  std::unique_ptr<TRecordPictures> pictures_;
  TBestTimes times_;
  std::map<std::string, std::string> lines_;  // track file -> the line's text
};
