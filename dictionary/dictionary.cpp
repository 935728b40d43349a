// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/dictionary.h"

std::string LoadText(UINT id) {
    char buffer[1024];
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string RussianText(WordIndex index) { return LoadText(static_cast<UINT>(index)); }

std::string ItalianText(WordIndex index) { return LoadText(kItalianBase + static_cast<UINT>(index)); }
