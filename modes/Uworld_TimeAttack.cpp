// The single-player race against the clock.
#include <cstdio>
#include <exception>

#include "frontend/UGameOptions.h"
#include "modes/RaceRules.h"
#include "modes/TrackFile.h"
#include "modes/Uworld_TimeAttack.h"
#include "platform/Window.h"
#include "renderer/RaceViewDraw.h"
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
}

TTimeAttack::~TTimeAttack() {
  if (!loadedFromFile_ && map_ && track_) WriteGeneratedCourse();
  craft_.reset();
  map_.reset();
  track_.reset();
  hud_.reset();
  race_.reset();
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
  // Keys and clicks pressed on the menu or while the race was loading are not the race's.
  wnd::ForgetPresses();
  TFrameRateCounter rate;
  rate.Start(wnd::GetTickCount());
  while (race_->Running()) {
    if (auto title = rate.Frame(wnd::GetTickCount())) wnd::SetWindowTitle(*title);
    RaceFrame();
  }
  score_ = race_->Score();
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
  PopModelview();
}

void TTimeAttack::RaceFrame() {
  const TRaceEvents events = race_->StartFrame(ReadRaceInput(!race_->OverlayOpen()));
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
  // The overlay's piece was only for the pause: the rest of the race (and the next race
  // on this course) has the course's own music.
  if (end.overlayClosed) sound_->PlayMusic(musicPath_, *musicCell_);
  UpdateWind(race_->Speed(1));
  BlankBars();
  wnd::SwapBuffers();
  ClearRaceBuffers();
}

void TTimeAttack::PlayFrame() { RaceFrame(); }

void TTimeAttack::DrawResultExtras() {
  PushModelviewMoved({kFrameUnitsWidth / 2 - 100.0, 200.0 - kFrameUnitsHeight, 0.0});
  TInterface::DrawNumber(score_, hud_->ScoreSlots(), hud_->ScoreDigits(), kScoreSpacing);
  PopModelview();
}
