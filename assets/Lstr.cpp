#include "assets/Lstr.h"

#include <cstdio>

void SubStr(const std::string& text, int start, int end, std::string& destination) {
  const int length = static_cast<int>(text.size());
  if (length < start || length < end) {
    std::printf("begin or end given is too large!\n");
    std::printf("pruut : %s\n", destination.c_str());
    return;
  }
  if (end < start) {
    std::printf("end given is smaller than begin!\n");
    return;
  }
  if (end <= 0 || start < 1) {
    std::printf("end or begin is negative!\n");
    return;
  }
  destination = text.substr(static_cast<std::size_t>(start - 1),
                            static_cast<std::size_t>(end - start + 1));
}

void TextBefore(const std::string& text, char delimiter, std::string& destination) {
  const int length = static_cast<int>(text.size());
  int i = 2;
  while (i <= length && text[static_cast<std::size_t>(i - 1)] != delimiter) ++i;
  SubStr(text, 1, i - 1, destination);
}

void TextUpToLast(const std::string& text, char c, std::string& destination) {
  std::size_t found = text.rfind(c);
  if (found == std::string::npos) {
    destination.clear();
    return;
  }
  SubStr(text, 1, static_cast<int>(found) + 1, destination);
}

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

// Each step is rounded to a double as it is made: "0.1" is 1 / 10, "2.50" is 250 / 10 / 10.
double ReadNumber(const std::string& text) {
  if (text == "-") return -1.0;
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return -1.0;  // empty or blank: unreadable
  std::size_t last = text.find_last_not_of(' ');
  const std::string trimmed = text.substr(first, last - first + 1);
  const std::size_t length = trimmed.size();

  bool negative = trimmed[0] == '-';
  std::size_t position = negative ? 1 : 0;
  double value = 0.0;
  bool pointSeen = false;
  bool good = true;
  std::size_t pointPosition = 0;  // 1-based, as the count of characters after it needs
  for (; position < length && good; ++position) {
    const char c = trimmed[position];
    value = value * 10.0;
    if (c >= '0' && c <= '9') {
      value = value + (c - '0');
    } else if (c == '.') {
      value = value / 10.0;
      if (pointSeen) good = false;
      pointSeen = true;
      pointPosition = position + 1;
    } else {
      good = false;
    }
  }
  if (!good) return -1.0;
  if (negative) value = -value;
  if (pointSeen) {
    for (std::size_t k = 0; k < length - pointPosition; ++k) value = value / 10.0;
  }
  return value;
}
