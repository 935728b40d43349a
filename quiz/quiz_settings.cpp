// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/quiz_settings.h"

std::int32_t HintMode = WithHint;
std::int32_t Direction = Mixed;
