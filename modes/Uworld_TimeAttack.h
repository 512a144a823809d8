// The single-player race against the clock; also each season of the story.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "modes/RaceRecords.h"
#include "modes/Uworld.h"

class TRecordPictures;

class TTimeAttack : public Tworld {
 public:
  // A generated course of rings over the winter terrain, ten seconds on the clock.
  static std::unique_ptr<TTimeAttack> CreateDefault(int screenWidth, int screenHeight,
                                                    int musicVolume);
  // The race of the entry's track file; an entry whose file name does not end in
  // ".track" gives the default race. A file that does not read throws std::runtime_error.
  static std::unique_ptr<TTimeAttack> CreateFromTrack(const T_TrackFile& track,
                                                      int screenWidth, int screenHeight,
                                                      int musicVolume, int baseScore);
  // After a generated course, writes it to "track_data/01.track".
  ~TTimeAttack() override;

  void Run(int effectsVolume, std::string& result) override;

  bool LoadedFromFile() const { return loadedFromFile_; }
  int BaseScore() const { return baseScore_; }
  int Score() const { return score_; }
  // One frame of the race loop as Run draws it, the overlay closed (for measurements): a
  // focus lost while the window opened, which Run's start forgets, must not pause it.
  void PlayFrame();
  // The course's records as the race found them, and how the race stood against them.
  const TCourseRecords& Records() const { return *records_; }
  const TRecordOutcome& RecordOutcome() const { return recordOutcome_; }
  // Where the ghost was drawn in the last frame (none: no ghost in this race).
  const std::optional<TGhostFrame>& GhostShown() const { return ghostShown_; }

 protected:
  void DrawResultExtras() override;

 private:
  TTimeAttack(int screenWidth, int screenHeight);
  void BuildDefault(int musicVolume);
  void BuildFromFile(const std::string& fileName, int musicVolume, int baseScore);
  void BuildRaceParts(int musicVolume);
  void WriteGeneratedCourse() const;
  // One frame of the loop: the race core decides, this draws and plays.
  // `mayPause` false: neither Escape, a pad's Start nor a lost focus opens the overlay.
  void RaceFrame(bool mayPause = true);
  void DrawCraft() const;
  void DrawWorld(const TPlayerPass& pass);
  void DrawGhost();
  void DrawRecordLines() const;

  bool loadedFromFile_ = false;
  int baseScore_ = 0;
  int score_ = 0;
  std::unique_ptr<TCourseRecords> records_;
  std::unique_ptr<TRecordPictures> recordPictures_;
  TRecordOutcome recordOutcome_;
  std::optional<TGhostFrame> ghostShown_;
};
