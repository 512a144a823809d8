// Names of the keys a player can give an action, as the settings file and the controls
// screen write them: "SPACE", "LEFT", "A", "7", "MINUS"... Only keys the window layer
// can report have a name.
#pragma once

#include <string>

// The key's name, or "" for a code no key of the window layer gives.
std::string KeyName(int code);
// The code of a key name (any letter case), or -1.
int KeyFromName(const std::string& name);
