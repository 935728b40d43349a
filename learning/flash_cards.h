// SPDX-License-Identifier: GPL-3.0-or-later
// The flash-card cycle: a random word pair every few seconds, with pause and stop.
#pragma once

#include <cstdint>

// 1 while each tick shows a new card, 0 while paused.
extern std::uint8_t CardsRunning;

void StartLearning();
void ShowNextCard();
void TogglePause();
void StopLearning();
