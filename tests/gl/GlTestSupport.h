// Shared by the tests that need a real OpenGL context: one scripted platform with a
// 1024 x 768 window, installed for the whole run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/Image.h"
#include "assets/Utype.h"
#include "frontend/Bouton.h"
#include "frontend/MenuTables.h"
#include "platform/ScriptedGlPlatform.h"

TScriptedGlPlatform& GlPlatform();
// Clears the script, the records and the clock, and restores the start-up GL state.
TScriptedGlPlatform& FreshGlPlatform();
// Reopens the window when a test closed it (a shell test ends with the window closed).
void EnsureGlWindow();

struct TRgb {
  int r = 0, g = 0, b = 0;
};
// Reads one pixel of the back buffer, counted from the top-left like the mouse.
TRgb ReadPixelTopLeft(int x, int y);
// Reads one pixel of the last frame shown while `captureFrames` was set, from the top-left.
TRgb ReadShownPixelTopLeft(int x, int y);
bool Near(TRgb a, TRgb b, int tolerance = 24);

// The whole 1024 x 768 back buffer as RGBA, bottom row first.
std::vector<unsigned char> ReadFrame();
// A size x size picture of one opaque colour.
TImage Solid(TRgb c, int size = 8);
// The HUD's digit d drawn in a colour of its own, so the slots can be read back.
TRgb DigitColour(int d);

// A button of the given place and size (no pictures).
TBouton Button(double x, double y, double w, double h);
// The window pixel of a point of the menus' 800 x 600 virtual screen.
int PixelX(double vx);
int PixelY(double vy);
// Frames for any menu transition to end.
inline constexpr int kMenuSettle = 116;
// Queues a click on the centre of a menu button, then `settle` frames without input.
void Click(TScriptedPlatform& p, const TButtonLayout& b, int settle = kMenuSettle);

#include <filesystem>
#include <initializer_list>

// A game folder of the test's own, made the working directory while it lives: the run
// folder's content is linked in, folder by folder, so a test may write (a course, save
// slots) without touching the shared run folder or another test running beside it.
// Folders named in `copied` are real folders whose files are linked one by one.
class TGameFolder {
 public:
  TGameFolder(std::initializer_list<const char*> linked, std::initializer_list<const char*> copied);
  ~TGameFolder();
  TGameFolder(const TGameFolder&) = delete;
  TGameFolder& operator=(const TGameFolder&) = delete;
  const std::filesystem::path& Root() const { return root_; }
  const std::filesystem::path& RunFolder() const { return previous_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path root_;
};

// A course over the shipped winter terrain with rings at `origins`, written to
// `folder/name.track` (the folder is made); returns the file's path.
std::string WriteWinterCourse(const std::filesystem::path& folder, const std::string& name,
                              const std::vector<T_point>& origins, int initialTime = 10,
                              const std::string& music = "sounds/Background01.mp3");
// The track chooser's entry for a course file on the winter terrain.
T_TrackFile WinterEntry(const std::string& trackFile);
