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
// Makes the folder of the running executable the working directory.
bool ChangeToExecutableDirectory();

}  // namespace sys
