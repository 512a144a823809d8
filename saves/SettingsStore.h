// The settings the running game uses, and the file they are kept in. The shell reads the
// file once at start; whatever changes a setting (a volume row, the overlay's dials, the
// controls screen, the display switch) changes it here and asks for it to be stored, so
// the file always holds what the player last chose. Tests leave the file unset and
// nothing is written.
#pragma once

#include <string>

#include "saves/Settings.h"

// The settings in use (the game's defaults until something sets them).
TSettings& CurrentSettings();

// Where StoreSettings writes ("" for nowhere, the default).
void SetSettingsFile(const std::string& path);
const std::string& SettingsFile();

// Reads the file set above into CurrentSettings, each note on standard error.
void LoadCurrentSettings();

// Writes CurrentSettings to the file when one is set and it differs from what was last
// read or written. A failure is one line on standard error; the game goes on.
bool StoreSettings();
