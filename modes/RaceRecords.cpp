#include "modes/RaceRecords.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>

#include "modes/RaceCore.h"
#include "platform/PlayerFiles.h"

namespace {

void Say(const std::string& line) { std::fprintf(stderr, "Velmora: %s\n", line.c_str()); }

TGhostFrame PoseOf(T_point position, T_point rotation) {
  return {static_cast<float>(position.x), static_cast<float>(position.y),
          static_cast<float>(position.z), static_cast<float>(rotation.x),
          static_cast<float>(rotation.y), static_cast<float>(rotation.z)};
}

}  // namespace

std::string GhostFileOf(const TCourseKey& course) {
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016" PRIx64, course.contentHash);
  return std::string("records/") + course.trackName + "." + hash + ".ghost";
}

std::string RecordDate(const wnd::TLocalTime& day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", std::clamp(day.year, 0, 9999),
                std::clamp(day.month, 1, 12), std::clamp(day.day, 1, 31));
  return text;
}

// The key is taken from the bytes the race read, wherever the player's copy lies.
TCourseRecords::TCourseRecords(const std::string& trackPath, bool withGhost) {
  if (trackPath.empty() || !CourseKeyOfFile(ReadPath(trackPath), course_)) return;
  keeps_ = true;
  recorder_ = TGhostRecorder(course_.contentHash);
  std::vector<std::string> notes;
  bool mayWrite = true;
  times_ = LoadBestTimes(WritePath(kBestTimesFile), notes, mayWrite);
  for (const std::string& note : notes) Say(note);
  if (withGhost && Best()) ReadGhost();
}

// A ghost that does not read, or was flown on other bytes, is not shown; the race goes on.
void TCourseRecords::ReadGhost() {
  const std::string path = WritePath(GhostFileOf(course_));
  std::error_code code;
  if (!std::filesystem::exists(path, code)) return;
  TGhost ghost;
  std::string why;
  if (!LoadGhost(path, ghost, why)) {
    Say("the ghost " + path + " is not shown: " + why);
    return;
  }
  if (ghost.courseHash != course_.contentHash || ghost.frames.empty()) {
    Say("the ghost " + path + " is not shown: it was flown on another course");
    return;
  }
  ghost_ = std::move(ghost);
}

void TCourseRecords::Start(std::uint32_t now) {
  started_ = true;
  start_ = now;
  pausedMs_ = 0;
  pausedSince_.reset();
  frameMs_ = 0;
  finishMs_ = -1;
}

std::int64_t TCourseRecords::At(std::uint32_t now) const {
  const std::uint32_t until = pausedSince_ ? *pausedSince_ : now;
  return std::max<std::int64_t>(0, static_cast<std::int64_t>(until - start_) - pausedMs_);
}

// Frames drawn outside a race that was started (a measurement of one frame) keep nothing.
void TCourseRecords::BeginFrame(std::uint32_t now) { frameMs_ = started_ ? At(now) : 0; }

std::optional<TGhostFrame> TCourseRecords::GhostPose() const {
  if (!ghost_) return std::nullopt;
  return GhostPoseAt(*ghost_, frameMs_);
}

void TCourseRecords::EndFrame(const TRaceCore& race, std::uint32_t now) {
  if (!started_) return;
  if (keeps_) recorder_.Sample(frameMs_, PoseOf(race.Position(1), race.Rotation(1)));
  if (finishMs_ < 0 && race.Won()) finishMs_ = std::max<std::int64_t>(1, At(now));
  if (race.OverlayOpen() && !pausedSince_) pausedSince_ = now;
  if (!race.OverlayOpen() && pausedSince_) {
    pausedMs_ += static_cast<std::int64_t>(now - *pausedSince_);
    pausedSince_.reset();
  }
}

TRecordOutcome TCourseRecords::Finish(const TRaceCore& race, const wnd::TLocalTime& today) {
  TRecordOutcome outcome;
  if (!keeps_ || race.Outcome() != TRaceOutcome::kWon || finishMs_ <= 0) return outcome;
  outcome.kept = true;
  outcome.result = {course_, finishMs_, race.Score(), RecordDate(today)};
  // Another game may have written the file since this race began: offer to what is there.
  std::vector<std::string> notes;
  bool mayWrite = true;
  const std::string file = WritePath(kBestTimesFile);
  times_ = LoadBestTimes(file, notes, mayWrite);
  for (const std::string& note : notes) Say(note);
  outcome.newRecord =
      OfferBestTime(times_, outcome.result, outcome.previous, outcome.hadPrevious);
  if (!outcome.newRecord || !mayWrite) return outcome;
  std::string error;
  // The ghost first: a record is never left pointing at the flight of a slower run.
  if (!SaveGhost(WritePath(GhostFileOf(course_)), recorder_.Ghost(), error)) {
    Say("the ghost of this run could not be kept: " + error);
  }
  if (!SaveBestTimes(file, times_, error)) Say("the best times could not be kept: " + error);
  return outcome;
}
