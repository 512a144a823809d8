// The system services behind the windowing layer that need no display.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Window.h"

namespace sys {

std::uint32_t MonotonicMilliseconds();
wnd::TLocalTime CurrentLocalTime();
// Starts the file as a program when it is executable, else hands it to xdg-open.
// Never waits for it and leaves no zombie. False when the file does not exist.
// `started` receives the program's process id (0 when none could be learnt).
bool StartDetached(const std::string& path, long* started = nullptr);
// Whether a program started by StartDetached still runs.
bool ProcessRunning(long pid);
// Where no message box can be shown, the message goes to standard error.
void PrintMessage(const std::string& text, const std::string& caption);
// The folder holding the game's content for a program in `programFolder`: the program's own
// folder when the content lies beside it (a build, or a game unpacked anywhere), else
// "../share/velmora" from it when that holds the content (an installed game), else the
// program's folder all the same, so that the messages name what is missing there.
std::string ContentFolderFor(const std::string& programFolder);
// Makes the content folder of the running executable the working directory; the folder
// chosen, or "" when the executable's path could not be learnt.
std::string ChangeToContentDirectory();
// Hands the memory freed so far back to the system. The C library keeps freed blocks
// for later; a screen that has just been left (the menu's pictures, a race's terrain)
// would otherwise stay counted against the game through the next one.
void GiveBackFreedMemory();
// The game's resident memory in bytes (0 where it cannot be read).
long ResidentBytes();

}  // namespace sys
