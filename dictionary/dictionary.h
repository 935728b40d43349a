// The 5285 Russian-Italian word pairs of the executable's string table.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

// An index from 1 to kWordCount.
using WordIndex = std::int32_t;

inline constexpr WordIndex kWordCount = 5285;
// The Italian text of index i is the string-table entry kItalianBase + i.
inline constexpr UINT kItalianBase = 10000;

// The string-table entry id as Windows-1251 bytes; the empty string where there is none.
std::string LoadText(UINT id);
std::string RussianText(WordIndex index);
std::string ItalianText(WordIndex index);
