#include "net/NetConsole.h"

#include <cstdint>
#include <cstdio>

namespace netsay {

std::string Connected() { return "Connection reussi ! GG Talvo t'es trop fort!"; }

std::string ConnectFailed(int code) {
  return "Impossible de se connecter. Erreur #" +
         std::to_string(static_cast<std::uint16_t>(code));
}

std::string SessionClosed(int code) {
  if (code == 0) return "Extinction des feus !";
  return "Session close : erreur #" + std::to_string(static_cast<std::uint16_t>(code));
}

std::string Error(const std::string& className, const std::string& message) {
  return "Erreur! " + className + ": " + message;
}

std::string RelayDropped(long overRate, long reflected) {
  return "Relais : datagrammes ignores : " + std::to_string(overRate) + " trop rapides, " +
         std::to_string(reflected) + " renvoyes";
}

void Say(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace netsay
