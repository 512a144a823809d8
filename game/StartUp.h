// What the game sets up before its window opens: the folder it reads its content from, the
// player's settings, and the folder the player's files are written to.
#pragma once

#include <string>
#include <vector>

#include "platform/UserFolders.h"

struct TStartUpPlaces {
  std::string settingsFile;  // "" when no settings are kept
  std::string playerFolder;  // "" when files are written beside the program, as before
};

// Sets the settings file and reads it into the settings in use, sets the player folder
// and copies the saved games found under "save/" in the working directory there once.
// Nothing here stops the game: a folder that cannot be made or a damaged file costs what
// would have been kept, and each such thing adds a note.
TStartUpPlaces PrepareUserFiles(const TEnvironment& env, std::vector<std::string>& notes);

// The whole start: into the content folder, then PrepareUserFiles with the process's
// environment, its notes written to the console.
void StartUp();
