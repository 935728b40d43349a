// SPDX-License-Identifier: GPL-3.0-or-later
// The two screens of the learning mode: the set-up (word display time) and the run (the card).
#pragma once

#include "platform/win32.h"

extern HWND DisplayTimeLabel;
extern HWND DisplayTimeEdit;
extern HWND DisplayTimeUpDown;
extern HWND LearningStartButton;
extern HWND WordLine;
extern HWND TranslationLine;
extern HWND LearningStopButton;
extern HWND PauseButton;
extern HFONT CardFont;

void BuildLearningSetupScreen();
void DestroyLearningSetupScreen();
void BuildLearningRunScreen();
void DestroyLearningRunScreen();
void UpdatePauseButtonText();
