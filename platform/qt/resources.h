// SPDX-License-Identifier: GPL-3.0-or-later
// Resources compiled into the binary: the string table and the icon.
#pragma once

#include <QIcon>
#include <cstddef>

#include "platform/win32.h"

namespace layer {

struct StringEntry {
    UINT id;
    const char* text;  // Windows-1251 bytes, as LoadStringA hands them out
};

// Generated at build time from resources/words.tsv, sorted by id.
extern const StringEntry kStringTable[];
extern const std::size_t kStringTableSize;

bool FindIcon(HICON handle, QIcon& icon);

}  // namespace layer
