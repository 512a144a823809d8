// The single-player race against the clock.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <exception>

#include "frontend/UGameOptions.h"
#include "modes/RaceRules.h"
#include "modes/TrackFile.h"
#include "modes/Uworld.h"
#include "platform/Window.h"
#include "sound/USound.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/UphysicEngine3.h"
#include "world/Utrack.h"

namespace {

constexpr const char* kCraftMesh = "mesh/reduce-dash2.obj";
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
  craft_ = std::make_unique<TObj>(kCraftMesh);
  mapPath_ = kDefaultHeightmap;
  map_ = std::make_unique<TMap>(kDefaultHeightmap);
  map_->UseCoarserFarBlocks();
  track_ = std::make_unique<Ttrack>(map_->Terrain(), craft_->BoundingBox());
  musicPath_ = kDefaultMusic;
  BuildRaceParts(musicVolume);
}

void TTimeAttack::BuildFromFile(const std::string& fileName, int musicVolume, int baseScore) {
  loadedFromFile_ = true;
  baseScore_ = baseScore;
  craft_ = std::make_unique<TObj>(kCraftMesh);
  TTrackData data = ReadTrackFile(fileName);
  mapPath_ = data.heightmapPath;
  trackPath_ = fileName;
  initialTime_ = data.initialTime;
  musicPath_ = data.musicPath;
  BuildTerrainAndCourse(data);
  BuildRaceParts(musicVolume);
}

void TTimeAttack::BuildRaceParts(int musicVolume) {
  cameraOffset_ = kFirstStart;
  physics_ = std::make_unique<TphysicEngine>(screenWidth_, screenHeight_, cameraOffset_,
                                             craft_->BoundingBox(), track_->Rings(),
                                             map_->Terrain());
  hud_ = std::make_unique<TInterface>(baseScore_, kFrameUnitsWidth, kFrameUnitsHeight);
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
  physics_.reset();
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
  glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.8f, 0.0f);
  // Whatever screen came before, the race starts from the same state, in the 4:3 frame.
  const TScreenFrame frame = Frame();
  glViewport(frame.x, frame.y, frame.width, frame.height);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glAlphaFunc(GL_GREATER, 0.75f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 1.3333333333333333, 10.0, 10000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  StartClock();
  bool running = true;
  bool overlayOpen = false;
  result.clear();
  // Keys and clicks pressed on the menu or while the race was loading are not the race's.
  wnd::ForgetPresses();
  TFrameRateCounter rate;
  rate.Start(wnd::GetTickCount());
  while (running) {
    if (auto title = rate.Frame(wnd::GetTickCount())) wnd::SetWindowTitle(*title);
    RaceFrame(running, overlayOpen, result);
  }
  const bool leftRace = result == "MENU RETURN";
  score_ = RaceScore(CaughtCount(), baseScore_, timeLeft_, leftRace);
  const bool won = RaceWon(RingCount(), CaughtCount());
  result = RaceResult(result, won);
  ShowRaceEnd(won ? winBanner_ : loseBanner_, won ? winPicture_ : losePicture_);
}

// The overlay draws over the whole window, so each frame finds its frame again.
void TTimeAttack::DrawCraft() const {
  const TScreenFrame frame = Frame();
  glViewport(frame.x, frame.y, frame.width, frame.height);
  SetRaceProjection();
  DrawOwnCraftInFront(*craft_, kCraftOffset, {0.75, 0.75, 0.75});
}

// The player point is the craft's world position lowered by 5.
void TTimeAttack::DrawWorld(bool overlayOpen) {
  SetRaceProjection();
  const T_point p = physics_->Position(1);
  cameraOffset_ = {-p.x, -p.y - 5.0, -p.z};
  glPushMatrix();
  glTranslated(0.0, -10.0, 0.0);
  physics_->Update(1, CaughtCount(), overlayOpen);
  KeepViewAboveTerrain(kCraftOffset);
  map_->Draw();
  track_->UpdateAndDraw(cameraOffset_);
  glPopMatrix();
}

void TTimeAttack::RaceFrame(bool& running, bool& overlayOpen, std::string& result) {
  running = RaceRunning(timeLeft_, RingCount(), CaughtCount());
  if (!running) result = "MENU";
  if (!overlayOpen && wnd::KeyPressed(wnd::KEY_ESC)) {
    overlayOpen = true;
    options_->Forget();
  }
  DrawCraft();
  DrawWorld(overlayOpen);
  hud_->DrawFrame(CompassFor(cameraOffset_, physics_->Rotation(1)), CaughtCount(), false,
                  timeLeft_);
  if (overlayOpen) {
    options_->DrawOptions(*musicCell_, *effectsCell_, result);
    sound_->PlayMusic(kDefaultMusic, *musicCell_);
    if (result == "MENU RETURN") {
      running = false;
    } else if (result == "RETURN GAME") {
      overlayOpen = false;
      // The overlay's piece was only for the pause: the rest of the race (and the next
      // race on this course) has the course's own music.
      sound_->PlayMusic(musicPath_, *musicCell_);
    }
  } else {
    TickClock();
  }
  UpdateWind(physics_->Speed(1));
  BlankBars();
  wnd::SwapBuffers();
  glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
}

void TTimeAttack::PlayFrame() {
  bool running = true;
  bool overlayOpen = false;
  std::string result;
  RaceFrame(running, overlayOpen, result);
}

void TTimeAttack::DrawResultExtras() {
  glPushMatrix();
  glTranslated(kFrameUnitsWidth / 2 - 100, 200 - kFrameUnitsHeight, 0.0);
  TInterface::DrawNumber(score_, hud_->ScoreSlots(), hud_->ScoreDigits(), kScoreSpacing);
  glPopMatrix();
}
