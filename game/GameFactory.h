// Builds the real menu and game modes for the shell.
#pragma once

#include <string>

#include "game/ModeLoop.h"

struct TGameOptionsFromCommandLine {
  std::string joinAddress;  // empty: host, or join a host on this machine
};

class TGameFactory : public IModeFactory {
 public:
  explicit TGameFactory(TGameOptionsFromCommandLine options) : options_(std::move(options)) {}

  std::unique_ptr<IMenu> CreateMenu(int width, int height) override;
  std::unique_ptr<IMode> CreateTimeAttackDefault(int width, int height, int musicVolume) override;
  std::unique_ptr<IMode> CreateTimeAttackFromTrack(const T_TrackFile& track, int width,
                                                   int height, int musicVolume,
                                                   int baseScore) override;
  std::unique_ptr<IMode> CreateTwoPlayers(int width, int height, const T_Tab_TrackFile& tracks,
                                          int musicVolume, bool local, bool hosting) override;
  std::unique_ptr<IMode> CreateScreenplay(int width, int height, int musicVolume,
                                          int slot) override;

 private:
  TGameOptionsFromCommandLine options_;
};
