// The story: four seasons in order, each introduced by a film, with the save screen
// between two won seasons and the autosave before each.
#include <algorithm>
#include <cstdlib>

#include "frontend/TrackList.h"
#include "frontend/Upanel.h"
#include "modes/RaceRules.h"
#include "modes/Uworld_Screenplay.h"
#include "modes/Uworld_TimeAttack.h"
#include "platform/Window.h"
#include "renderer/StoryScreenDraw.h"

namespace {

constexpr const char* kSeasonMaps[4] = {
    "screenplay_data/summer/summer.bmp", "screenplay_data/autumn/autumn.bmp",
    "screenplay_data/winter/winter.bmp", "screenplay_data/final/final.bmp"};
constexpr int kVideoSeconds[5] = {56, 38, 24, 40, 66};
constexpr int kContinue = 3;
constexpr int kBackToMenu = 4;

// "video/001.exe" .. "video/005.exe".
std::string VideoName(int n) {
  std::string name = std::to_string(n) + ".exe";
  while (name.size() <= 6) name = "0" + name;
  return "video/" + name;
}

}  // namespace

TScreenplay::TScreenplay(int screenWidth, int screenHeight, int musicVolume, int slot,
                         const std::string& saveFolder)
    : screenWidth_(screenWidth), screenHeight_(screenHeight), musicVolume_(musicVolume) {
  BuildSeasons();
  for (int n = 1; n <= 5; ++n) videos_.push_back({VideoName(n), kVideoSeconds[n - 1]});
  saves_ = std::make_unique<TSave>(saveFolder);
  savedGames_ = saves_->ReadSlots();
  if (slot < 0) {
    saves_->ClearSlot(0);
    slot_ = 0;
  } else {
    slot_ = std::min(slot, kSlotCount - 1);
  }
  // A new story, or a quick load without a valid autosave, starts at summer with the
  // name "nick"; a valid autosave resumes its season and score.
  const bool resume = slot > 0 || (slot == 0 && savedGames_[0].valid);
  if (resume) {
    const Tsavedgame& saved = savedGames_[slot_];
    season_ = saved.season;
    totalScore_ = std::clamp(saved.score, 0, kMaxScore);  // the races add to it
    if (slot_ != 0) nickname_ = saved.name;
  }
  // A slot that names a season past the last (a damaged file) plays the last one.
  season_ = std::clamp(season_, 0, static_cast<int>(seasons_.size()) - 1);
  BuildSaveScreen();
}

TScreenplay::~TScreenplay() = default;

// Like the menu's track list, but every season keeps its description file.
void TScreenplay::BuildSeasons() {
  for (const char* map : kSeasonMaps) {
    T_TrackFile season;
    season.heightmapName = map;
    ReadBitmapSize(map, season.width, season.height);
    season.trackFileName = TrackFileFor(map);
    // A test hook: VELMORA_STORY_COURSE names a track file every season flies instead of its
    // own, so that a test of the whole program can win a season in its first frames.
    if (const char* course = std::getenv("VELMORA_STORY_COURSE"); course && *course) {
      season.trackFileName = course;
    }
    seasons_.push_back(season);
  }
}

void TScreenplay::BuildSaveScreen() {
  TTextureSet& set = saveTextures_;
  auto button = [&](double x, double y, double w, double h, const char* inactive,
                    const char* active) {
    TBouton b;
    b.x = x;
    b.y = y;
    b.width = w;
    b.height = h;
    b.inactiveTexture = set.Load(inactive);
    b.focusTexture = b.activeTexture = set.Load(active);
    return b;
  };
  saveButtons_ = TTab_bouton{
      button(112, 221, 116, 116, "img/charger/slot1/inactive.tga", "img/charger/slot1/active.tga"),
      button(339, 221, 116, 116, "img/charger/slot2/inactive.tga", "img/charger/slot2/active.tga"),
      button(569, 221, 116, 116, "img/charger/slot3/inactive.tga", "img/charger/slot3/active.tga"),
      button(17, 565, 388, 25, "img/sauvegarder/continue.tga", "img/sauvegarder/continue.tga"),
      button(483, 566, 258, 20, "img/sauvegarder/backmenu.tga", "img/sauvegarder/backmenu.tga"),
      TBouton{}, TBouton{}};
  // These two look alike in every state the mouse gives them; the keys' focus has its own.
  saveButtons_[3].keyFocusTexture = set.Load("img/sauvegarder/continue_focus.tga");
  saveButtons_[4].keyFocusTexture = set.Load("img/sauvegarder/backmenu_focus.tga");
  savePanel_ = std::make_unique<Tpanel>(screenWidth_, screenHeight_, saveButtons_,
                                        saveBackgroundPath_,
                                        set.Load(saveBackgroundPath_));
}

void TScreenplay::Run(int effectsVolume, std::string& result) {
  effectsVolume_ = effectsVolume;
  int i = season_;
  bool first = true;
  bool won = false;
  int choice = -1;
  do {
    if (!first) choice = RunSaveScreen(i);
    first = false;
    saves_->WriteSlot(0, totalScore_, nickname_, i);
    if (choice == kBackToMenu) {
      won = false;
    } else {
      PlayVideo(videos_[i]);
      won = RunSeason(i);
    }
    ++i;
  } while (won && i <= static_cast<int>(seasons_.size()) - 1);
  if (won) {
    PlayVideo(videos_[4]);
    WaitVideo(videos_[4].duration);
  }
  result = "MENU";
}

// A season is won only when every ring was passed without leaving through the overlay.
bool TScreenplay::RunSeason(int index) {
  race_ = TTimeAttack::CreateFromTrack(seasons_[index], screenWidth_, screenHeight_,
                                       musicVolume_, totalScore_);
  WaitVideo(videos_[index].duration);
  std::string raceResult;
  race_->Run(effectsVolume_, raceResult);
  const bool won = race_->Outcome() == TRaceOutcome::kWon;
  musicVolume_ = race_->MusicCell();
  effectsVolume_ = race_->EffectsCell();
  totalScore_ = race_->Score();
  race_.reset();
  return won;
}

void TScreenplay::PlayVideo(const T_video& video) { wnd::StartProgram(video.videoFile); }

// Nothing is drawn meanwhile; the wait sleeps between polls so the film has the machine.
// A film the player closed (or that could not run) ends the wait: nobody is left to
// watch the loading picture.
void TScreenplay::WaitVideo(int seconds) {
  std::uint32_t mark = wnd::GetTickCount();
  int counted = 0;
  // Space held or tapped during the race before is no wish to skip this film.
  wnd::ForgetPresses();
  while (!wnd::KeyPressed(wnd::KEY_SPACE) && counted <= seconds &&
         wnd::ProgramRunning()) {
    if (wnd::GetTickCount() - mark >= 1000) {
      mark = wnd::GetTickCount();
      ++counted;
    }
    wnd::WaitEvents(10);
  }
}

// The save screen between two seasons; slots 1 to 3 take the season to play next.
int TScreenplay::RunSaveScreen(int nextSeason) {
  BeginSaveScreen();
  int choice = -1;
  // A click made during the race or its end sequence is not a choice of slot.
  savePanel_->Forget();
  while (choice < 0) {
    BeginSaveScreenFrame(screenWidth_, screenHeight_);
    choice = savePanel_->DrawPanel(false);
    if (choice >= 0 && choice <= 2) saves_->WriteSlot(choice + 1, totalScore_, nickname_, nextSeason);
    EndSaveScreenFrame();
    wnd::SwapBuffers();
    ClearSaveScreen();
  }
  EndSaveScreen();
  (void)kContinue;
  return choice;
}
