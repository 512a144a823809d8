#include "frontend/TrackRecordLine.h"

#include <cstdio>
#include <vector>

#include "platform/PlayerFiles.h"
#include "renderer/RecordsDraw.h"

namespace {

// Centred under the track's picture (the box from 437 to 620, down to 423), left of ok.
constexpr double kLineCentreX = 528.5;
constexpr double kLineTop = 200.0;
constexpr double kLineHeight = 30.0;

}  // namespace

std::string BestTimeLineOf(const TBestTimes& times, const std::string& trackFile) {
  TCourseKey key;
  if (trackFile.empty() || !CourseKeyOfFile(ReadPath(trackFile), key)) return {};
  const TBestTime* best = FindBestTime(times, key);
  return best ? RecordClock(best->timeUsedMs) : std::string();
}

TTrackRecordLine::TTrackRecordLine() = default;
TTrackRecordLine::~TTrackRecordLine() = default;

void TTrackRecordLine::Refresh() {
  if (!pictures_) pictures_ = std::make_unique<TRecordPictures>();
  std::vector<std::string> notes;
  bool mayWrite = true;
  times_ = LoadBestTimes(WritePath(kBestTimesFile), notes, mayWrite);
  for (const std::string& note : notes) std::fprintf(stderr, "Velmora: %s\n", note.c_str());
  lines_.clear();
}

void TTrackRecordLine::Draw(const T_TrackFile& track, double scaleX, double scaleY) {
  // The random course is new every race: it has no record to show.
  if (!pictures_ || track.trackFileName.empty()) return;
  auto line = lines_.find(track.trackFileName);
  if (line == lines_.end()) {
    line = lines_.emplace(track.trackFileName, BestTimeLineOf(times_, track.trackFileName)).first;
  }
  DrawChooserRecord(*pictures_, line->second, scaleX, scaleY, kLineCentreX, kLineTop,
                    kLineHeight);
}
