// SPDX-License-Identifier: GPL-3.0-or-later
// The two settings of a test run, chosen with the radio buttons of the test set-up screen.
#pragma once

#include <cstdint>

// HintMode: five choice buttons, or a typed answer.
enum : std::int32_t { WithHint = 0, WithoutHint = 1 };
// Direction: which language a question shows.
enum : std::int32_t { Mixed = 0, RussianToItalian = 1, ItalianToRussian = 2 };

extern std::int32_t HintMode;
extern std::int32_t Direction;
