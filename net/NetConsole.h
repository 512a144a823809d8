// The link's console lines: single lines on standard output, in the game's French.
#pragma once

#include <string>

namespace netsay {

std::string Connected();
// Codes are shown as the unsigned 16-bit values players have always seen.
std::string ConnectFailed(int code);
// Code 0 is an orderly close.
std::string SessionClosed(int code);
std::string Error(const std::string& className, const std::string& message);
// The relay's count of datagrams refused for coming too fast or being its own records
// sent back, since it started.
std::string RelayDropped(long overRate, long reflected);

// Writes the line and flushes, so it shows even if the game dies right after.
void Say(const std::string& line);

}  // namespace netsay
