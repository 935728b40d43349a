// SPDX-License-Identifier: GPL-3.0-or-later
// How the word pairs are numbered in the string table: the program and the build tool that
// writes the table share these.
#pragma once

#include <cstdint>

// The number of pairs, also as a macro so that texts can quote it.
#define VOCARTA_WORD_COUNT 5285
#define VOCARTA_TEXT_OF(number) VOCARTA_QUOTE(number)
#define VOCARTA_QUOTE(text) #text

// An index from 1 to kWordCount.
using WordIndex = std::int32_t;

inline constexpr WordIndex kWordCount = VOCARTA_WORD_COUNT;
// The Russian text of index i is the string-table entry i, the Italian one kItalianBase + i.
inline constexpr unsigned kItalianBase = 10000;
