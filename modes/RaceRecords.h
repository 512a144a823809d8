// What a time attack keeps of the course it is flown on: the best result (time used,
// score, date) and the flight of that best run, replayed as a ghost in the next race on
// the same course. A course is known by its track file's name and its bytes, so an edited
// file starts afresh; a generated course has no file and keeps nothing. The rules run
// without a window, so whole races are checked in the core tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "assets/Utype.h"
#include "platform/Window.h"
#include "saves/BestTimes.h"
#include "saves/Ghost.h"

class TRaceCore;

// The ghost of a course's record, beside the record: "records/<name>.<hash>.ghost".
std::string GhostFileOf(const TCourseKey& course);

// "YYYY-MM-DD" of a day.
std::string RecordDate(const wnd::TLocalTime& day);

// How a won race stood against the course's record.
struct TRecordOutcome {
  bool kept = false;       // the race was won on a course that keeps records
  bool newRecord = false;  // it beat the record (or there was none); ghost written
  bool hadPrevious = false;
  TBestTime result;
  TBestTime previous;      // the record it was measured against, when there was one
};

class TCourseRecords {
 public:
  // `trackPath` as the race read it ("" for a generated course: nothing is kept). With
  // `withGhost`, the ghost of the course's record is read; a bad one is left out with a
  // line on standard error.
  TCourseRecords(const std::string& trackPath, bool withGhost);

  bool Keeps() const { return keeps_; }
  const TCourseKey& Course() const { return course_; }
  const TBestTime* Best() const { return FindBestTime(times_, course_); }
  const TGhost* Ghost() const { return ghost_ ? &*ghost_ : nullptr; }

  // The race's own clock: the time flown since the start, the overlay's pauses left out.
  void Start(std::uint32_t now);
  // At the start of each frame: the race time of this frame, and where the ghost flies in
  // it (none without a ghost).
  void BeginFrame(std::uint32_t now);
  std::int64_t FrameTime() const { return frameMs_; }
  std::optional<TGhostFrame> GhostPose() const;
  // After each frame: the craft's pose is recorded, the overlay's pause noted, and the
  // time of the frame that passed the last ring kept as the time used.
  void EndFrame(const TRaceCore& race, std::uint32_t now);
  // Once the race is over: a won race is offered to the records; a new best is written
  // with its ghost. Nothing is written for a lost or left race or a generated course.
  TRecordOutcome Finish(const TRaceCore& race, const wnd::TLocalTime& today);

 private:
  std::int64_t At(std::uint32_t now) const;
  void ReadGhost();

  bool keeps_ = false;
  TCourseKey course_;
  TBestTimes times_;
  std::optional<TGhost> ghost_;
  TGhostRecorder recorder_{0};
  bool started_ = false;
  std::uint32_t start_ = 0;
  std::int64_t pausedMs_ = 0;
  std::optional<std::uint32_t> pausedSince_;
  std::int64_t frameMs_ = 0;
  std::int64_t finishMs_ = -1;
};
