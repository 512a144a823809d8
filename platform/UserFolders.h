// Where the game keeps what belongs to the player: settings under the configuration home
// and saves, kept courses and records under the data home, as a Linux desktop expects
// ("~/.config/velmora", "~/.local/share/velmora" unless the XDG variables say otherwise).
#pragma once

#include <functional>
#include <string>

// Reads one environment variable; null when it is not set. Tests pass their own.
using TEnvironment = std::function<const char*(const char* name)>;
// The process's environment (getenv), with the home folder of the password database
// standing in for an unset HOME.
const TEnvironment& SystemEnvironment();

// "$XDG_CONFIG_HOME/velmora", or "$HOME/.config/velmora" when the variable is unset,
// empty or not an absolute path (the base-directory rules ignore relative ones).
// Empty when not even a home folder is known.
std::string ConfigFolder(const TEnvironment& env = SystemEnvironment());
// "$XDG_DATA_HOME/velmora", or "$HOME/.local/share/velmora", by the same rules.
std::string DataFolder(const TEnvironment& env = SystemEnvironment());
// The settings file: "<ConfigFolder>/settings.ini" (empty with the folder).
std::string SettingsFile(const TEnvironment& env = SystemEnvironment());

// Creates the folder and its parents with owner-only rights for the new ones; true when it
// exists as a folder afterwards.
bool MakeFolders(const std::string& folder, std::string& error);
