// Plays one film in a window of its own: opens it full screen as the game does, shows
// the scene with its music for the film's length, and closes early on Escape or space.
#pragma once

#include <string>

#include "cutscene/FilmPlan.h"

// Returns the process's exit code: 0 when the film ran (to its end or skipped), 1 when
// no window could be opened. A non-empty `screenshotPath` receives the mid-time frame.
int PlayFilm(const TFilmPlan& plan, double seconds, const std::string& screenshotPath);
