// The two-player race: split screen on one keyboard, or two machines over the LAN link.
#include <cstdio>
#include <stdexcept>

#include "renderer/NetNoticeDraw.h"
#include "renderer/RaceViewDraw.h"
#include "renderer/Textures.h"
#include "frontend/UGameOptions.h"
#include "platform/Paths.h"
#include "platform/Window.h"
#include "modes/RaceRules.h"
#include "modes/TrackFile.h"
#include "modes/NetRaceCore.h"
#include "modes/Uworld_TwoPlayers.h"
#include "net/NetLink.h"
#include "net/UNetwork.h"
#include "sound/USound.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/UphysicEngine3.h"
#include "world/Utrack.h"

namespace {

constexpr const char* kGonePicture = "img/lan/gone.tga";
constexpr const char* kWaitingPicture = "img/lan/waiting.tga";
constexpr const char* kCountPictures[3] = {"img/lan/count1.tga", "img/lan/count2.tga",
                                           "img/lan/count3.tga"};

void LoadIfThere(const char* path, std::uint32_t& texture) {
  if (PathExists(path)) LoadTexture(path, texture);
}

void DrawOwnCraft(const TObj& mesh, T_point offset, T_point scale) {
  DrawOwnCraftInFront(mesh, offset, scale);
}

// Each half is 8:3 under the race's 4:3 lens, so a half shows 2.6 units above and below
// the eye at 20 units: the craft (0.05 to 2.8 high, 4 deep, as scaled here) stands with its
// lowest point a little above the half's lower edge, and the whole craft shows.
const T_point kSplitCraftOffset{0.0, -2.25, -20.0};
const T_point kSplitOtherScale{0.25, 0.5, 0.25};
const T_point kNetworkCraftOffset{0.0, -5.0, -40.0};
const T_point kNetworkCraftScale{0.75, 0.75, 0.75};

}  // namespace

TTwoPlayers::TTwoPlayers(int screenWidth, int screenHeight, const T_Tab_TrackFile& tracks,
                         int musicVolume, bool local, bool hosting,
                         const std::string& joinAddress)
    : Tworld(screenWidth, screenHeight), local_(local) {
  if (tracks.empty()) throw std::runtime_error("There is no track to race on.");
  TTrackData data = ReadTrackFile(tracks.front().trackFileName);
  mapPath_ = data.heightmapPath;
  trackPath_ = tracks.front().trackFileName;
  initialTime_ = data.initialTime;
  musicPath_ = data.musicPath;
  // Each half of the split screen has its HUD; the network race has the whole window.
  TRaceSceneRecipe recipe = SceneOfTrack(data);
  recipe.craftMeshes = {kFirstCraftMesh, kSecondCraftMesh};
  recipe.hudCount = local_ ? 2 : 1;
  recipe.hudHeight = local_ ? kFrameUnitsHeight / 2 : kFrameUnitsHeight;
  TRaceScene scene = BuildRaceScene(recipe);
  TakeScene(scene);
  secondCraft_ = std::move(scene.secondCraft);
  secondHud_ = std::move(scene.secondHud);
  cameraOffset_ = {};
  secondPlayerPoint_ = {};
  if (local_) options_ = std::make_unique<TGameOptions>(screenWidth_, screenHeight_);
  sound_ = std::make_unique<TSound>();
  if (local_) {
    race_ = std::make_unique<TRaceCore>(RaceSetup(TRaceKind::kSplitScreen));
  } else {
    BuildNetwork(hosting, joinAddress);
  }
  *musicCell_ = musicVolume;
  sound_->PlayMusic(kDefaultMusic, musicVolume);
  LoadEndPictures();
}

// The host runs the relay and races as player 1; a joiner races as player 2. Each
// machine flies its own craft and shows the other where its records say it is.
void TTwoPlayers::BuildNetwork(bool hosting, const std::string& joinAddress) {
  TLanRole role = ChooseLanRole(joinAddress);
  if (hosting && !role.hosting) {
    throw std::runtime_error("The network race cannot be hosted: UDP port " + kRelayPort +
                             " is taken by another program.");
  }
  hosting_ = role.hosting;
  playerNumber_ = role.playerNumber;
  const T_point start = playerNumber_ == 1 ? firstStart_ : secondStart_;
  auto client = std::make_unique<TClientSocket>("tovelu", start, T_point{});
  link_ = std::make_unique<TSocketLink>(std::move(role), std::move(client));
  TRaceSetup setup = RaceSetup(TRaceKind::kNetwork);
  setup.playerNumber = playerNumber_;
  race_ = std::make_unique<TRaceCore>(std::move(setup), *link_);
  LoadIfThere(kGonePicture, goneTexture_);
  LoadIfThere(kWaitingPicture, waitingTexture_);
  for (int i = 0; i < 3; ++i) LoadIfThere(kCountPictures[i], countTextures_[i]);
}

TRaceSetup TTwoPlayers::RaceSetup(TRaceKind kind) const {
  TRaceSetup setup = RaceSetupOf(kind, *map_, *track_, initialTime_);
  setup.firstStart = firstStart_;
  setup.secondStart = secondStart_;
  return setup;
}

TTwoPlayers::~TTwoPlayers() {
  craft_.reset();
  secondCraft_.reset();
  map_.reset();
  track_.reset();
  hud_.reset();
  secondHud_.reset();
  if (sound_) {
    sound_->MusicOff();
    sound_->EffectsOff();
  }
  sound_.reset();
  race_.reset();
  link_.reset();
  options_.reset();
  for (std::uint32_t* texture : {&goneTexture_, &waitingTexture_, &countTextures_[0],
                                 &countTextures_[1], &countTextures_[2]}) {
    ReleaseTexture(*texture);
  }
}

// ---- split screen -------------------------------------------------------------------

void TTwoPlayers::RunLocal(int effectsVolume, std::string& result) {
  ClearRaceBuffers();
  SetRaceClearColour();
  EnableRaceState();
  race_->Start(wnd::GetTickCount());
  *effectsCell_ = effectsVolume;
  // Keys and clicks pressed on the menu or while the race was loading are not the race's.
  wnd::ForgetPresses();
  while (race_->Running()) RunLocalFrame();
  SetDepthTest(false);
  FadeToWhite();
  SetDepthTest(true);
  result = "MENU";
}

void TTwoPlayers::DrawSplitOwnCraft(const TObj& craft, int player) {
  DrawOwnCraft(craft, kSplitCraftOffset, player == 1 ? T_point{0.25, 0.5, 0.25}
                                                     : T_point{0.25, 0.5, 0.5});
}

// One half: the player's own craft, the world in the player's view with the other
// craft where it stood when this player moved, then the player's HUD with the count as
// it stood then.
void TTwoPlayers::DrawHalf(int player, const TPlayerPass& pass) {
  const TScreenFrame half = HalfFrame(Frame(), player);
  SetRaceViewport(half.x, half.y, half.width, half.height);
  SetRaceProjection();
  const TObj& other = player == 1 ? *secondCraft_ : *craft_;
  DrawSplitOwnCraft(player == 1 ? *craft_ : *secondCraft_, player);
  ResetModelview();
  T_point& point = player == 1 ? cameraOffset_ : secondPlayerPoint_;
  point = pass.ringPoint;
  // The eye rides kEyeHeight above the craft's reference point, as in the time attack.
  PushModelviewMoved({0.0, -kEyeHeight, 0.0});
  ApplyView(pass.view);
  KeepViewAboveTerrain(kSplitCraftOffset);
  track_->UpdateAndDraw(point);
  track_->CatchUpTo(pass.caughtCount);
  const T_point otherOffset{kSplitCraftOffset.x, kSplitCraftOffset.y + kEyeHeight,
                            kSplitCraftOffset.z};
  DrawCraftAsSeenByItsPlayer(other, pass.other.position, pass.other.rotation, otherOffset,
                             kSplitOtherScale);
  // The terrain after what stands in front of it: the pixels a ring hides are not textured.
  map_->Draw();
  PopModelview();
  TInterface& hud = player == 1 ? *hud_ : *secondHud_;
  hud.DrawFrame(CompassFor(point, race_->Rotation(player), pass.caughtCount), pass.caughtCount,
                true, race_->TimeLeft());
}

void TTwoPlayers::RunLocalFrame() {
  const TRaceEvents events = race_->StartFrame(ReadRaceInput(!race_->OverlayOpen()));
  if (events.overlayOpened) options_->Forget();
  DrawHalf(1, events.passes[0]);
  DrawHalf(2, events.passes[1]);
  std::string overlayResult;
  if (race_->OverlayOpen()) {
    SetRaceViewport(0, 0, screenWidth_, screenHeight_);
    options_->DrawOptions(*musicCell_, *effectsCell_, overlayResult);
    sound_->SetMusicVolume(*musicCell_);
  }
  race_->FinishFrame(OverlayChoiceOf(overlayResult), wnd::GetTickCount());
  UpdateWind(race_->Speed(1));
  BlankBars();
  wnd::SwapBuffers();
  ClearRaceBuffers();
}

// ---- network race -------------------------------------------------------------------

// The race waits for the other player, counts down with it, then runs until the clock or
// the course ends it. Escape while waiting goes back to the menu; a host that cannot be
// reached is told to the player, and the shell goes back to the menu.
void TTwoPlayers::Run(int effectsVolume, std::string& result) {
  SetRaceClearColour();
  ClearRaceBuffers();
  EnableRaceState();
  *effectsCell_ = effectsVolume;
  TFrameRateCounter rate;
  rate.Start(wnd::GetTickCount());
  std::printf("LAN: waiting for player %d\n", 3 - playerNumber_);
  std::fflush(stdout);
  while (race_->Running()) {
    if (auto title = rate.Frame(wnd::GetTickCount())) wnd::SetWindowTitle(*title);
    RunNetworkFrame();
  }
  result = "MENU";
  const TNetRaceCore& net = *race_->Network();
  if (net.Phase() == TNetRacePhase::kFailed) throw std::runtime_error(net.Failure());
  if (net.Phase() != TNetRacePhase::kOver) return;
  const bool won = race_->Won();
  ShowRaceEnd(won ? winBanner_ : loseBanner_, won ? winPicture_ : losePicture_);
}

// Each machine's pilot flies with player 1's keys and the first pad, whatever its player
// number (the race core's rule); Escape, held, leaves while the other player is awaited.
void TTwoPlayers::RunNetworkFrame() {
  const TRaceEvents events = race_->StartFrame(ReadRaceInput(false));
  track_->CatchUpTo(race_->CaughtCount());
  ReportNetEvents(events.net);
  // Silence while waiting alone is no departure: only a player once heard can go.
  ReportLink(link_->HeardFromOther(), link_->HeardFromOther() && link_->OtherPlayerGone());

  const int me = playerNumber_;
  const TScreenFrame frame = Frame();
  SetRaceViewport(frame.x, frame.y, frame.width, frame.height);
  SetRaceProjection();
  DrawOwnCraft(me == 1 ? *craft_ : *secondCraft_, kNetworkCraftOffset, kNetworkCraftScale);
  DrawNetworkWorld(events.passes[0]);
  hud_->DrawFrame(CompassFor(me == 1 ? cameraOffset_ : secondPlayerPoint_,
                             race_->Network()->OwnCraft().rotation, CaughtCount()),
                  CaughtCount(), false, TimeLeft());
  DrawNetworkNotices();
  race_->FinishFrame(TOverlayChoice::kNone, wnd::GetTickCount());
  UpdateWind(race_->Network()->OwnCraft().speed);
  BlankBars();
  wnd::SwapBuffers();
  ClearRaceBuffers();
}

// The world in this machine's view, with the other craft where its records say it is.
void TTwoPlayers::DrawNetworkWorld(const TPlayerPass& pass) {
  const int me = playerNumber_;
  ResetModelview();
  T_point& point = me == 1 ? cameraOffset_ : secondPlayerPoint_;
  point = pass.ringPoint;
  PushModelviewMoved({0.0, -kEyeHeight, 0.0});
  ApplyView(pass.view);
  track_->UpdateAndDraw(point);
  if (link_->HeardFromOther() && !otherGone_) {
    // The other player's view also sits kEyeHeight above its world frame.
    const T_point offset{kNetworkCraftOffset.x, kNetworkCraftOffset.y + kEyeHeight,
                         kNetworkCraftOffset.z};
    DrawCraftAsSeenByItsPlayer(me == 1 ? *secondCraft_ : *craft_, pass.other.position,
                               pass.other.rotation, offset, kNetworkCraftScale);
  }
  map_->Draw();  // after what stands in front of it
  PopModelview();
}

// Console lines for scripts and for the players at the terminal: the link, the start,
// and once a second the clock and where the other craft is heading.
void TTwoPlayers::ReportNetEvents(const TNetFrameEvents& events) {
  if (events.linked) std::printf("LAN: both players are linked\n");
  if (events.started) std::printf("LAN: the race starts\n");
  const TNetRaceCore& net = *race_->Network();
  const int second = net.Phase() == TNetRacePhase::kRacing ? TimeLeft() : -1;
  if (second >= 0 && second != tracedSecond_) {
    const TPerso& other = net.OtherRecord();
    std::printf("LAN: time left %d\n", second);
    std::printf("LAN: player %d yaw %.0f\n", 3 - playerNumber_, other.rotation.y);
  }
  tracedSecond_ = second;
  std::fflush(stdout);
}

// One console line when the other player first shows up, and one when it goes.
void TTwoPlayers::ReportLink(bool heard, bool gone) {
  if (heard && !otherHeard_) {
    std::printf("LAN: player %d is racing\n", 3 - playerNumber_);
    std::fflush(stdout);
  }
  if (gone && !otherGone_) {
    std::printf("LAN: player %d is gone\n", 3 - playerNumber_);
    std::fflush(stdout);
  }
  otherHeard_ = heard;
  otherGone_ = gone;
}

// The waiting plaque, the countdown's digit, or "the other player has left": plaques
// half the window wide across the top, the digit in the middle of the view.
void TTwoPlayers::DrawNetworkNotices() const {
  const double w = screenWidth_ * 0.5, h = screenHeight_ * 0.08;
  const double x = (screenWidth_ - w) / 2.0, y = screenHeight_ * 0.78;
  const TNetRaceCore& net = *race_->Network();
  if (net.Phase() == TNetRacePhase::kWaiting) DrawPlaque(waitingTexture_, x, y, w, h);
  const int digit = net.CountdownDigit(wnd::GetTickCount());
  if (digit >= 1 && digit <= 3) {
    const double side = screenHeight_ * 0.2;
    DrawPlaque(countTextures_[digit - 1], (screenWidth_ - side) / 2.0,
               (screenHeight_ - side) / 2.0, side, side);
  }
  if (otherGone_) DrawPlaque(goneTexture_, x, y, w, h);
}

// A picture in window pixels (y up); a plain red plate when the picture is missing.
void TTwoPlayers::DrawPlaque(std::uint32_t texture, double x, double y, double w,
                             double h) const {
  DrawNotice(texture, x, y, w, h, screenWidth_, screenHeight_);
}
