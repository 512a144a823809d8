// What the shell asks of a game mode (time attack, two players, story). It lives beside
// the modes, so they implement it without reaching up into the shell that drives them.
#pragma once

#include <string>

class IMode {
 public:
  virtual ~IMode() = default;
  virtual void Run(int effectsVolume, std::string& result) = 0;
  // The split-screen race has a loop of its own; other modes run their Run.
  virtual void RunLocal(int effectsVolume, std::string& result) { Run(effectsVolume, result); }
};
