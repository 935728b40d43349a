// SPDX-License-Identifier: GPL-3.0-or-later
// The round of screens a learner goes through, as the benchmarks drive it: from the main menu to
// the learning set-up, a run and back, then the test set-up and each run layout and back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

struct ScreenChange {
    const char* name;
    HWND* setting;  // clicked first, without changing the screen (0: nothing)
    HWND* control;  // the click on it changes the screen
};

// Nine changes; the round starts and ends at the main menu.
const std::vector<ScreenChange>& ScreenRound();

// The controls of the screen now shown: the main window's children and theirs.
std::vector<HWND> ControlsOnScreen();

// The memory of this process, in kilobytes: resident (VmRSS) and its two main parts, private
// memory (RssAnon) and pages of mapped files such as the libraries' code (RssFile); and the
// heap in use as malloc counts it (allocated and not yet freed).
struct MemoryUse {
    std::int64_t resident = 0, anonymous = 0, file = 0, heap = 0;
};
MemoryUse MemoryNow();

// Lets Qt work for the given time: the window gets mapped and painted.
void Settle(int milliseconds);
