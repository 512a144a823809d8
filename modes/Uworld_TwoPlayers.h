// The two-player race: split screen on one keyboard, or two machines over the LAN link.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "modes/Uworld.h"

class TSocketLink;

class TTwoPlayers : public Tworld {
 public:
  // Both variants race on the first entry's track file. `local`: the split screen.
  // Otherwise the network race: this instance hosts when it can take the relay port
  // (or `hosting` asks for it), and joins the host at `joinAddress` when one is given.
  TTwoPlayers(int screenWidth, int screenHeight, const T_Tab_TrackFile& tracks,
              int musicVolume, bool local, bool hosting, const std::string& joinAddress = "");
  ~TTwoPlayers() override;

  void Run(int effectsVolume, std::string& result) override;
  void RunLocal(int effectsVolume, std::string& result) override;

  bool Hosting() const { return hosting_; }
  bool Local() const { return local_; }
  int PlayerNumber() const { return playerNumber_; }
  const TPerso& FirstPlayer() const { return race_->Record(1); }
  const TPerso& SecondPlayer() const { return race_->Record(2); }
  bool OtherPlayerGone() const { return otherGone_; }
  // A player's own craft in its half of the split screen, under the race's lens and the
  // current viewport.
  static void DrawSplitOwnCraft(const TObj& craft, int player);
  // Each half of the split screen has its HUD; the network race uses the first.
  const TInterface& Hud(int player) const { return player == 2 ? *secondHud_ : *hud_; }

 private:
  TRaceSetup RaceSetup(TRaceKind kind) const;
  void BuildNetwork(bool hosting, const std::string& joinAddress);
  void RunLocalFrame();
  void DrawHalf(int player, const TPlayerPass& pass);
  void RunNetworkFrame();
  void DrawNetworkWorld(const TPlayerPass& pass);
  void DrawNetworkNotices() const;
  void DrawPlaque(std::uint32_t texture, double x, double y, double w, double h) const;
  void ReportNetEvents(const TNetFrameEvents& events);
  void ReportLink(bool heard, bool gone);

  std::unique_ptr<TObj> secondCraft_;
  T_point secondPlayerPoint_{};
  T_point secondStart_ = kSecondStart;
  // The network race's link (with the relay on the host); the race core holds its rules.
  std::unique_ptr<TSocketLink> link_;
  std::unique_ptr<TInterface> secondHud_;
  std::uint32_t goneTexture_ = 0;
  std::uint32_t waitingTexture_ = 0;
  std::uint32_t countTextures_[3] = {0, 0, 0};  // 1, 2, 3
  int tracedSecond_ = -2;
  bool hosting_ = false;
  bool local_ = true;
  int playerNumber_ = 1;
  bool otherHeard_ = false;
  bool otherGone_ = false;
};
