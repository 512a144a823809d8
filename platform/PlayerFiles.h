// The one place that decides where a file the game writes goes. The game asks for its
// files by the paths it has always used ("save/slot1.sav", "track_data/01.track"); once a
// player folder is set, what the game writes goes there, and the content beside the
// program is only read, so the game runs from a read-only folder and a rebuild loses
// nothing of the player's. Without a player folder, paths stay as they are.
#pragma once

#include <string>
#include <vector>

// The player's data folder ("" for none: files beside the program, as before).
void SetPlayerFolder(const std::string& folder);
const std::string& PlayerFolder();

// Where the game writes `path`: inside the player folder when one is set.
std::string WritePath(const std::string& path);
// Where the game reads `path`: the player's copy when it has one, else the content's.
std::string ReadPath(const std::string& path);

// Copies the story's slot files from the old folder beside the program into the player
// folder, once: a slot the player folder already has is never replaced, the old files
// are never deleted, and a mark left in the new folder keeps later starts from copying
// again. Each copy and failure adds a note.
void CopyOldSlotsOnce(const std::string& oldFolder, const std::string& newFolder,
                      std::vector<std::string>& notes);
