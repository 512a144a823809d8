#include "platform/KeyNames.h"

#include <cctype>

#include "platform/Window.h"

namespace {

struct TNamedKey {
  int code;
  const char* name;
};

// Keys with a word for a name; letters and digits are named by themselves.
const TNamedKey kNamedKeys[] = {
    {wnd::KEY_SPACE, "SPACE"}, {wnd::KEY_UP, "UP"},       {wnd::KEY_DOWN, "DOWN"},
    {wnd::KEY_LEFT, "LEFT"},   {wnd::KEY_RIGHT, "RIGHT"}, {wnd::KEY_ESC, "ESCAPE"},
    {wnd::KEY_ENTER, "ENTER"}, {'\'', "APOSTROPHE"},      {',', "COMMA"},
    {'-', "MINUS"},            {'.', "PERIOD"},           {'/', "SLASH"},
    {';', "SEMICOLON"},        {'=', "EQUAL"},            {'[', "LEFT_BRACKET"},
    {'\\', "BACKSLASH"},       {']', "RIGHT_BRACKET"},    {'`', "GRAVE"},
};

bool IsLetterOrDigit(int code) { return (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'); }

}  // namespace

std::string KeyName(int code) {
  if (IsLetterOrDigit(code)) return std::string(1, static_cast<char>(code));
  for (const TNamedKey& key : kNamedKeys) {
    if (key.code == code) return key.name;
  }
  return {};
}

int KeyFromName(const std::string& name) {
  std::string upper;
  for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper.size() == 1 && IsLetterOrDigit(upper[0])) return upper[0];
  for (const TNamedKey& key : kNamedKeys) {
    if (upper == key.name) return key.code;
  }
  return -1;
}
