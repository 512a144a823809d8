// The game's own small text routines. Positions are 1-based; "blank" is the space only.
#pragma once

#include <string>

// Characters start..end (inclusive) into destination; on bad positions a console line
// is written and destination keeps its content.
void SubStr(const std::string& text, int start, int end, std::string& destination);
// The characters before the first delimiter found from position 2 on; the whole text
// when there is none.
void TextBefore(const std::string& text, char delimiter, std::string& destination);
// The text up to and including the last occurrence of c; empty when c does not occur.
void TextUpToLast(const std::string& text, char c, std::string& destination);
bool IsBlank(const std::string& text);
// An optional '-', digits and at most one '.'; anything else (and an empty or blank
// text) reads as -1.
double ReadNumber(const std::string& text);
