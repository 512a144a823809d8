// The two-player race: split screen on one keyboard, or two machines over the LAN link.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <stdexcept>

#include "assets/Textures.h"
#include "frontend/UGameOptions.h"
#include "game/Paths.h"
#include "game/Window.h"
#include "modes/RaceRules.h"
#include "modes/TrackFile.h"
#include "modes/Uworld.h"
#include "net/UNetwork.h"
#include "sound/USound.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/UphysicEngine3.h"
#include "world/Utrack.h"

namespace {

constexpr const char* kFirstCraftMesh = "mesh/reduce-dash2.obj";
constexpr const char* kSecondCraftMesh = "mesh/brisel reduce-dash.obj";
constexpr const char* kGonePicture = "img/lan/gone.tga";

// Draws a craft where its own player sees it: at that player's eye, turned as that
// player is turned, then moved and scaled as that player's own craft is on screen.
// `position` and `rotation` are in the physics' convention (the negated world position).
void DrawCraftAsSeenByItsPlayer(const TObj& mesh, T_point position, T_point rotation,
                                T_point eyeOffset, T_point scale) {
  glPushMatrix();
  glTranslated(-position.x, -position.y, -position.z);
  glRotated(-rotation.y, 0.0, 1.0, 0.0);
  glRotated(-rotation.x, 1.0, 0.0, 0.0);
  glTranslated(eyeOffset.x, eyeOffset.y, eyeOffset.z);
  glScaled(scale.x, scale.y, scale.z);
  mesh.Draw();
  glPopMatrix();
}

void DrawOwnCraft(const TObj& mesh, T_point offset, T_point scale) {
  glPushMatrix();
  glTranslated(offset.x, offset.y, offset.z);
  glScaled(scale.x, scale.y, scale.z);
  mesh.Draw();
  glPopMatrix();
}

const T_point kSplitCraftOffset{0.0, -3.0, -20.0};
const T_point kSplitOtherScale{0.25, 0.5, 0.25};
const T_point kNetworkCraftOffset{0.0, -5.0, -40.0};
const T_point kNetworkCraftScale{0.75, 0.75, 0.75};

}  // namespace

TTwoPlayers::TTwoPlayers(int screenWidth, int screenHeight, const T_Tab_TrackFile& tracks,
                         int musicVolume, bool local, bool hosting,
                         const std::string& joinAddress)
    : Tworld(screenWidth, screenHeight), local_(local) {
  craft_ = std::make_unique<TObj>(kFirstCraftMesh);
  secondCraft_ = std::make_unique<TObj>(kSecondCraftMesh);
  if (tracks.empty()) throw std::runtime_error("There is no track to race on.");
  TTrackData data = ReadTrackFile(tracks.front().trackFileName);
  mapPath_ = data.heightmapPath;
  trackPath_ = tracks.front().trackFileName;
  initialTime_ = data.initialTime;
  musicPath_ = data.musicPath;
  BuildTerrainAndCourse(data);
  cameraOffset_ = {};
  secondPlayerPoint_ = {};
  const int viewHeight = local_ ? screenHeight_ / 2 : screenHeight_;
  physics_ = std::make_unique<TphysicEngine>(screenWidth_, viewHeight, firstStart_, secondStart_,
                                             craft_->BoundingBox(), track_->Rings(),
                                             map_->Terrain());
  hud_ = std::make_unique<TInterface>(0, screenWidth_, viewHeight);
  if (local_) {
    secondHud_ = std::make_unique<TInterface>(0, screenWidth_, viewHeight);
    options_ = std::make_unique<TGameOptions>(screenWidth_, screenHeight_);
  }
  sound_ = std::make_unique<TSound>();
  if (!local_) BuildNetwork(hosting, joinAddress);
  firstPlayer_.name = "player1";
  firstPlayer_.playerCount = 2;
  secondPlayer_.name = "player2";
  secondPlayer_.playerCount = 2;
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
  server_ = std::move(role.relay);
  const T_point start = playerNumber_ == 1 ? firstStart_ : secondStart_;
  client_ = std::make_unique<TClientSocket>("tovelu", start, T_point{});
  client_->ConnectTo(role.relayAddress, role.relayPort);
  if (PathExists(kGonePicture)) LoadTexture(kGonePicture, goneTexture_);
}

TTwoPlayers::~TTwoPlayers() {
  craft_.reset();
  secondCraft_.reset();
  map_.reset();
  track_.reset();
  hud_.reset();
  secondHud_.reset();
  physics_.reset();
  if (sound_) {
    sound_->MusicOff();
    sound_->EffectsOff();
  }
  sound_.reset();
  client_.reset();
  server_.reset();
  options_.reset();
  if (goneTexture_ != 0) glDeleteTextures(1, &goneTexture_);
}

// ---- split screen -------------------------------------------------------------------

void TTwoPlayers::RunLocal(int effectsVolume, std::string& result) {
  glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.8f, 0.0f);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glAlphaFunc(GL_GREATER, 0.75f);
  StartClock();
  *effectsCell_ = effectsVolume;
  bool running = true;
  bool overlayOpen = false;
  result.clear();
  // Keys and clicks pressed on the menu or while the race was loading are not the race's.
  wnd::ForgetPresses();
  while (running) RunLocalFrame(running, overlayOpen, result);
  glDisable(GL_DEPTH_TEST);
  FadeToWhite();
  glEnable(GL_DEPTH_TEST);
  result = "MENU";
}

// One half: the player's own craft, the world in the player's view with the other
// craft, then the player's HUD.
void TTwoPlayers::DrawHalf(int player, bool overlayOpen) {
  const int half = screenHeight_ / 2;
  glViewport(0, player == 1 ? half : 0, screenWidth_, half);
  SetRaceProjection();
  const TObj& own = player == 1 ? *craft_ : *secondCraft_;
  const TObj& other = player == 1 ? *secondCraft_ : *craft_;
  DrawOwnCraft(own, kSplitCraftOffset, player == 1 ? T_point{0.25, 0.5, 0.25}
                                                   : T_point{0.25, 0.5, 0.5});
  glLoadIdentity();
  const T_point p = physics_->Position(player);
  T_point& point = player == 1 ? cameraOffset_ : secondPlayerPoint_;
  point = {-p.x, -p.y, -p.z};
  // The eye rides 10 units above the craft's reference point, as in the time attack:
  // level with it, the terrain the craft may come within 10 units of hides the craft.
  glPushMatrix();
  glTranslated(0.0, -10.0, 0.0);
  physics_->Update(player, CaughtCount(), overlayOpen);
  map_->Draw();
  track_->UpdateAndDraw(point);
  const int otherPlayer = 3 - player;
  const T_point otherOffset{kSplitCraftOffset.x, kSplitCraftOffset.y + 10.0, kSplitCraftOffset.z};
  DrawCraftAsSeenByItsPlayer(other, physics_->Position(otherPlayer),
                             physics_->Rotation(otherPlayer), otherOffset, kSplitOtherScale);
  glPopMatrix();
  TInterface& hud = player == 1 ? *hud_ : *secondHud_;
  hud.DrawFrame(CompassFor(point, physics_->Rotation(player)), CaughtCount(), true, timeLeft_);
  TPerso& record = RecordOf(player);
  record.position = physics_->Position(player);
  record.rotation = physics_->Rotation(player);
  record.score = CaughtCount() * 10;
}

void TTwoPlayers::RunLocalFrame(bool& running, bool& overlayOpen, std::string& result) {
  running = RaceRunning(timeLeft_, RingCount(), CaughtCount());
  if (!overlayOpen && wnd::KeyPressed(wnd::KEY_ESC)) {
    overlayOpen = true;
    options_->Forget();
  }
  DrawHalf(1, overlayOpen);
  DrawHalf(2, overlayOpen);
  if (overlayOpen) {
    glViewport(0, 0, screenWidth_, screenHeight_);
    options_->DrawOptions(*musicCell_, *effectsCell_, result);
    sound_->SetMusicVolume(*musicCell_);
    if (result == "MENU RETURN") {
      running = false;
    } else if (result == "RETURN GAME") {
      overlayOpen = false;
    }
  } else {
    TickClock();
  }
  if (!running) result = "MENU";
  UpdateWind(physics_->Speed(1));
  wnd::SwapBuffers();
  glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
}

// ---- network race -------------------------------------------------------------------

void TTwoPlayers::Run(int effectsVolume, std::string& result) {
  glClearColor(0.0f, 0.0f, 0.8f, 0.0f);
  glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glAlphaFunc(GL_GREATER, 0.75f);
  *effectsCell_ = effectsVolume;
  StartClock();
  TFrameRateCounter rate;
  rate.Start(wnd::GetTickCount());
  bool running = true;
  while (running) {
    if (auto title = rate.Frame(wnd::GetTickCount())) wnd::SetWindowTitle(*title);
    RunNetworkFrame(running);
  }
  const bool won = RaceWon(RingCount(), CaughtCount());
  ShowRaceEnd(won ? winBanner_ : loseBanner_, won ? winPicture_ : losePicture_);
  result = "MENU";
}

void TTwoPlayers::RunNetworkFrame(bool& running) {
  running = RaceRunning(timeLeft_, RingCount(), CaughtCount());
  TickClock();

  const int me = playerNumber_;
  glViewport(0, 0, screenWidth_, screenHeight_);
  SetRaceProjection();
  DrawOwnCraft(me == 1 ? *craft_ : *secondCraft_, kNetworkCraftOffset, kNetworkCraftScale);
  glLoadIdentity();
  const T_point p = physics_->Position(me);
  T_point& point = me == 1 ? cameraOffset_ : secondPlayerPoint_;
  point = {-p.x, -p.y - 5.0, -p.z};
  glPushMatrix();
  glTranslated(0.0, -10.0, 0.0);
  physics_->Update(me, CaughtCount(), false);
  map_->Draw();
  track_->UpdateAndDraw(point);
  const TPerso& other = RecordOf(3 - me);
  if (client_->HeardFromOther() && !otherGone_) {
    // The other player's view also sits 10 units above its world frame.
    const T_point offset{kNetworkCraftOffset.x, kNetworkCraftOffset.y + 10.0,
                         kNetworkCraftOffset.z};
    DrawCraftAsSeenByItsPlayer(me == 1 ? *secondCraft_ : *craft_, other.position,
                               other.rotation, offset, kNetworkCraftScale);
  }
  glPopMatrix();
  hud_->DrawFrame(CompassFor(point, physics_->Rotation(me)), CaughtCount(), false, timeLeft_);
  ExchangeRecords();
  if (otherGone_) DrawGoneNotice();
  UpdateWind(physics_->Speed(me));
  wnd::SwapBuffers();
  glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
}

// Sends this machine's craft, takes the other's; a ring either player caught counts on
// both machines.
void TTwoPlayers::ExchangeRecords() {
  const int me = playerNumber_;
  TPerso& own = RecordOf(me);
  own.position = physics_->Position(me);
  own.rotation = physics_->Rotation(me);
  own.score = CaughtCount() * 10;
  TPerso received = client_->Exchange(own);
  if (server_) server_->Step();
  TPerso& other = RecordOf(3 - me);
  const std::string keptName = other.name;
  const int keptCount = other.playerCount;
  other = received;
  other.name = keptName;
  other.playerCount = keptCount;
  if (client_->HeardFromOther()) track_->CatchUpTo(CaughtCountOf(received, RingCount()));
  ReportLink(client_->HeardFromOther(), client_->OtherPlayerGone());
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

// "The other player has left": a banner across the top of the view.
void TTwoPlayers::DrawGoneNotice() const {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0.0, screenWidth_, 0.0, screenHeight_);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glBindTexture(GL_TEXTURE_2D, goneTexture_);
  glColor4d(goneTexture_ ? 1.0 : 0.6, goneTexture_ ? 1.0 : 0.1, goneTexture_ ? 1.0 : 0.1, 0.85);
  const double w = screenWidth_ * 0.5, h = screenHeight_ * 0.08;
  const double x = (screenWidth_ - w) / 2.0, y = screenHeight_ * 0.78;
  glBegin(GL_QUADS);
  glTexCoord2d(0, 0);
  glVertex2d(x, y);
  glTexCoord2d(1, 0);
  glVertex2d(x + w, y);
  glTexCoord2d(1, 1);
  glVertex2d(x + w, y + h);
  glTexCoord2d(0, 1);
  glVertex2d(x, y + h);
  glEnd();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}
