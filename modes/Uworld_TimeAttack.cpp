// The single-player race against the clock.
#include <cstdio>
#include <exception>

#include "frontend/UGameOptions.h"
#include "modes/RaceRules.h"
#include "modes/TrackFile.h"
#include "modes/Uworld_TimeAttack.h"
#include "platform/Window.h"
#include "renderer/GhostDraw.h"
#include "renderer/RaceViewDraw.h"
#include "renderer/RecordsDraw.h"
#include "saves/SettingsStore.h"
#include "sound/USound.h"
#include "world/CourseGen.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/UphysicEngine3.h"
#include "world/Utrack.h"

namespace {

constexpr const char* kDefaultHeightmap = "screenplay_data/winter/winter.bmp";
// The craft is drawn here in the eye's frame, whatever the world does around it.
const T_point kCraftOffset{0.0, -5.0, -40.0};

bool IsTrackFileName(const std::string& name) {
  return name.size() > 5 && name.compare(name.size() - 6, 6, ".track") == 0;
}

}  // namespace

TTimeAttack::TTimeAttack(int screenWidth, int screenHeight) : Tworld(screenWidth, screenHeight) {}

std::unique_ptr<TTimeAttack> TTimeAttack::CreateDefault(int screenWidth, int screenHeight,
                                                        int musicVolume) {
  std::unique_ptr<TTimeAttack> race(new TTimeAttack(screenWidth, screenHeight));
  race->BuildDefault(musicVolume);
  return race;
}

std::unique_ptr<TTimeAttack> TTimeAttack::CreateFromTrack(const T_TrackFile& track,
                                                          int screenWidth, int screenHeight,
                                                          int musicVolume, int baseScore) {
  if (!IsTrackFileName(track.trackFileName)) {
    return CreateDefault(screenWidth, screenHeight, musicVolume);
  }
  std::unique_ptr<TTimeAttack> race(new TTimeAttack(screenWidth, screenHeight));
  race->BuildFromFile(track.trackFileName, musicVolume, baseScore);
  return race;
}

void TTimeAttack::BuildDefault(int musicVolume) {
  loadedFromFile_ = false;
  initialTime_ = 10;
  baseScore_ = 0;
  mapPath_ = kDefaultHeightmap;
  // A new course every race: the numbers come from the platform, seeded from the clock.
  wnd::Randomize();
  TRaceScene scene =
      BuildRaceScene(SceneOfHeightmap(kDefaultHeightmap, [] { return wnd::Random(); }));
  TakeScene(scene);
  musicPath_ = kDefaultMusic;
  BuildRaceParts(musicVolume);
}

void TTimeAttack::BuildFromFile(const std::string& fileName, int musicVolume, int baseScore) {
  loadedFromFile_ = true;
  baseScore_ = baseScore;
  TTrackData data = ReadTrackFile(fileName);
  mapPath_ = data.heightmapPath;
  trackPath_ = fileName;
  initialTime_ = data.initialTime;
  musicPath_ = data.musicPath;
  TRaceSceneRecipe recipe = SceneOfTrack(data);
  recipe.baseScore = baseScore_;
  TRaceScene scene = BuildRaceScene(recipe);
  TakeScene(scene);
  BuildRaceParts(musicVolume);
}

void TTimeAttack::BuildRaceParts(int musicVolume) {
  cameraOffset_ = kFirstStart;
  TRaceSetup setup = RaceSetupOf(TRaceKind::kTimeAttack, *map_, *track_, initialTime_, baseScore_);
  setup.firstStart = cameraOffset_;
  race_ = std::make_unique<TRaceCore>(std::move(setup));
  sound_ = std::make_unique<TSound>();
  options_ = std::make_unique<TGameOptions>(screenWidth_, screenHeight_);
  LoadEndPictures();
  *musicCell_ = musicVolume;
  // A generated course has no file to know it by again: it keeps no record.
  records_ = std::make_unique<TCourseRecords>(loadedFromFile_ ? trackPath_ : std::string(),
                                              CurrentSettings().ghosts);
  if (records_->Keeps()) recordPictures_ = std::make_unique<TRecordPictures>();
}

TTimeAttack::~TTimeAttack() {
  if (!loadedFromFile_ && map_ && track_) WriteGeneratedCourse();
  craft_.reset();
  map_.reset();
  track_.reset();
  hud_.reset();
  race_.reset();
  recordPictures_.reset();
  options_.reset();
  if (sound_) {
    sound_->MusicOff();
    sound_->EffectsOff();
  }
  sound_.reset();
}

// A course worth flying again: the generated rings are kept as "track_data/01.track".
// A disk that refuses it costs the file, not the game.
void TTimeAttack::WriteGeneratedCourse() const {
  TTrackData data;
  data.heightmapPath = map_->Terrain().heightmapPath;
  data.initialTime = initialTime_;
  data.musicPath = musicPath_;
  data.terrain = map_->Terrain();
  data.rings = track_->Rings();
  try {
    WriteTrackFile("01", kGeneratedTrackFile, data);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
  }
}

void TTimeAttack::Run(int effectsVolume, std::string& result) {
  *effectsCell_ = effectsVolume;
  sound_->PlayMusic(musicPath_, *musicCell_);
  ClearRaceBuffers();
  SetRaceClearColour();
  // Whatever screen came before, the race starts from the same state, in the 4:3 frame.
  const TScreenFrame frame = Frame();
  SetRaceViewport(frame.x, frame.y, frame.width, frame.height);
  EnableRaceState();
  SetRaceStartProjection();

  race_->Start(wnd::GetTickCount());
  records_->Start(wnd::GetTickCount());
  // Keys and clicks pressed on the menu or while the race was loading are not the race's.
  wnd::ForgetPresses();
  TFrameRateCounter rate;
  rate.Start(wnd::GetTickCount());
  while (race_->Running()) {
    if (auto title = rate.Frame(wnd::GetTickCount())) wnd::SetWindowTitle(*title);
    RaceFrame();
  }
  score_ = race_->Score();
  recordOutcome_ = records_->Finish(*race_, wnd::LocalTime());
  const bool won = race_->Won();
  result = race_->ResultText();
  ShowRaceEnd(won ? winBanner_ : loseBanner_, won ? winPicture_ : losePicture_);
}

// The overlay draws over the whole window, so each frame finds its frame again.
void TTimeAttack::DrawCraft() const {
  const TScreenFrame frame = Frame();
  SetRaceViewport(frame.x, frame.y, frame.width, frame.height);
  SetRaceProjection();
  DrawOwnCraftInFront(*craft_, kCraftOffset, {0.75, 0.75, 0.75});
}

// The player point (the craft's world position lowered by 5) is where the race core
// tested the rings; the course drawn here makes the same test, so it draws the ring
// caught this frame as the core counted it.
void TTimeAttack::DrawWorld(const TPlayerPass& pass) {
  SetRaceProjection();
  cameraOffset_ = pass.ringPoint;
  PushModelviewMoved({0.0, -kEyeHeight, 0.0});
  ApplyView(pass.view);
  KeepViewAboveTerrain(kCraftOffset);
  track_->UpdateAndDraw(cameraOffset_);
  track_->CatchUpTo(pass.caughtCount);
  // The terrain after what stands in front of it: the pixels a ring hides are not textured.
  map_->Draw();
  // The see-through ghost last, over everything opaque.
  DrawGhost();
  PopModelview();
}

// The ghost is only drawn: the rings and the player's flight never see it. It stands
// where the best run's craft stood at this race time, drawn as that run's pilot saw it.
void TTimeAttack::DrawGhost() {
  ghostShown_ = records_->GhostPose();
  if (!ghostShown_) return;
  const TGhostFrame& pose = *ghostShown_;
  const T_point eyeOffset{kCraftOffset.x, kCraftOffset.y + kEyeHeight, kCraftOffset.z};
  DrawGhostCraft(*craft_, {pose.x, pose.y, pose.z}, {pose.rotX, pose.rotY, pose.rotZ}, eyeOffset,
                 {0.75, 0.75, 0.75});
}

void TTimeAttack::RaceFrame(bool mayPause) {
  const TRaceInput input = ReadRaceInput(mayPause && !race_->OverlayOpen());
  records_->BeginFrame(input.now);
  const TRaceEvents events = race_->StartFrame(input);
  if (events.overlayOpened) options_->Forget();
  const TPlayerPass& pass = events.passes[0];
  DrawCraft();
  DrawWorld(pass);
  hud_->DrawFrame(CompassFor(cameraOffset_, race_->Rotation(1), pass.caughtCount),
                  pass.caughtCount, false, race_->TimeLeft());
  std::string overlayResult;
  if (race_->OverlayOpen()) {
    options_->DrawOptions(*musicCell_, *effectsCell_, overlayResult);
    sound_->PlayMusic(kDefaultMusic, *musicCell_);
  }
  const TRaceEvents end =
      race_->FinishFrame(OverlayChoiceOf(overlayResult), wnd::GetTickCount());
  records_->EndFrame(*race_, wnd::GetTickCount());
  // The overlay's piece was only for the pause: the rest of the race (and the next race
  // on this course) has the course's own music.
  if (end.overlayClosed) sound_->PlayMusic(musicPath_, *musicCell_);
  UpdateWind(race_->Speed(1));
  BlankBars();
  wnd::SwapBuffers();
  ClearRaceBuffers();
}

void TTimeAttack::PlayFrame() { RaceFrame(false); }

void TTimeAttack::DrawResultExtras() {
  PushModelviewMoved({kFrameUnitsWidth / 2 - 100.0, 200.0 - kFrameUnitsHeight, 0.0});
  TInterface::DrawNumber(score_, hud_->ScoreSlots(), hud_->ScoreDigits(), kScoreSpacing);
  PopModelview();
  DrawRecordLines();
}

// Above the result picture: the time used, and when it beat the course's record, the
// badge and the time it beat.
void TTimeAttack::DrawRecordLines() const {
  if (!recordOutcome_.kept || !recordPictures_) return;
  const TRecordPictures& pictures = *recordPictures_;
  const double left = -kFrameUnitsWidth / 2.0 + 40.0;
  const double top = kFrameUnitsHeight / 2.0 - 24.0;
  const double height = 48.0;
  const double word = pictures.DrawWord(TRecordWord::kTimeUsed, left, top, height);
  pictures.DrawClock(RecordClock(recordOutcome_.result.timeUsedMs), left + word + 16.0, top,
                     height);
  if (!recordOutcome_.newRecord) return;
  pictures.DrawWord(TRecordWord::kNewRecord, kFrameUnitsWidth / 2.0 - 400.0, top + 8.0, 120.0);
  if (!recordOutcome_.hadPrevious) return;
  const double below = top - height - 16.0;
  const double previous = pictures.DrawWord(TRecordWord::kPreviousBest, left, below, height * 0.8);
  pictures.DrawClock(RecordClock(recordOutcome_.previous.timeUsedMs), left + previous + 16.0,
                     below, height * 0.8);
}
