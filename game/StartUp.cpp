#include "game/StartUp.h"

#include <cstdio>

#include "platform/PlayerFiles.h"
#include "platform/SystemServices.h"
#include "saves/SettingsStore.h"

namespace {

// Where the story's slots lived before the player had a folder: beside the program.
const char* const kOldSlotFolder = "save";

// The player folder made and ready, or "" (with a note) when there is none to use.
std::string ReadyPlayerFolder(const TEnvironment& env, std::vector<std::string>& notes) {
  const std::string folder = DataFolder(env);
  if (folder.empty()) return {};
  std::string error;
  if (!MakeFolders(folder, error)) {
    notes.push_back(error + "; the game's files are written beside the program");
    return {};
  }
  return folder;
}

}  // namespace

TStartUpPlaces PrepareUserFiles(const TEnvironment& env, std::vector<std::string>& notes) {
  TStartUpPlaces places{SettingsFile(env), ReadyPlayerFolder(env, notes)};
  if (places.settingsFile.empty() && DataFolder(env).empty()) {
    notes.push_back(
        "No home folder (HOME and the XDG variables are unset): the settings are not kept "
        "and the game's files are written beside the program");
  }
  SetSettingsFile(places.settingsFile);
  LoadCurrentSettings();
  SetPlayerFolder(places.playerFolder);
  if (!places.playerFolder.empty()) {
    CopyOldSlotsOnce(kOldSlotFolder, WritePath(kOldSlotFolder), notes);
  }
  return places;
}

void StartUp() {
  // The content lies beside the program, or in the shared folder of an installed game.
  if (sys::ChangeToContentDirectory().empty()) {
    std::fprintf(stderr, "The program's own folder is unknown; the content is looked for here.\n");
  }
  std::vector<std::string> notes;
  PrepareUserFiles(SystemEnvironment(), notes);
  for (const std::string& note : notes) std::fprintf(stderr, "%s\n", note.c_str());
}
