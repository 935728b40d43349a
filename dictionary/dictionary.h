// SPDX-License-Identifier: GPL-3.0-or-later
// The Russian-Italian word pairs of the executable's string table.
#pragma once

#include <string>

#include "dictionary/word_ids.h"
#include "platform/win32.h"

// The string-table entry id as Windows-1251 bytes; the empty string where there is none.
std::string LoadText(UINT id);
std::string RussianText(WordIndex index);
std::string ItalianText(WordIndex index);
