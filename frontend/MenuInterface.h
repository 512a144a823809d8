// What the shell asks of the menu. It lives beside the menu, so the menu implements it
// without reaching up into the shell that drives it.
#pragma once

#include <string>

#include "assets/Utype.h"

class IMenu {
 public:
  virtual ~IMenu() = default;
  virtual void RunMenu(std::string& result) = 0;
  virtual const T_Tab_TrackFile& TrackFiles() const = 0;
  virtual int TrackIndex() const = 0;
  virtual int MusicVolume() const = 0;
  virtual int EffectsVolume() const = 0;
};
