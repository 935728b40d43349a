// SPDX-License-Identifier: GPL-3.0-or-later
// The test set-up screen (hint mode and direction) and the test run screen in its two layouts:
// five choice buttons, or a typed answer.
#pragma once

#include "platform/win32.h"

extern HWND HintModeGroup;
extern HWND WithHintRadio;
extern HWND WithoutHintRadio;
extern HWND DirectionGroup;
extern HWND MixedRadio;
extern HWND RussianToItalianRadio;
extern HWND ItalianToRussianRadio;
extern HWND TestStartButton;

extern HWND QuestionLabel;
extern HWND ChoiceButton1;
extern HWND ChoiceButton2;
extern HWND ChoiceButton3;
extern HWND ChoiceButton4;
extern HWND ChoiceButton5;
extern HWND ChoiceStopButton;
extern HWND AnswerEdit;
extern HWND TypedStopButton;

extern WNDPROC PreviousHintModeGroupProc;
extern WNDPROC PreviousDirectionGroupProc;
extern WNDPROC PreviousAnswerEditProc;

// ChoiceButton1 .. ChoiceButton5 by number; 0 for any other number.
HWND ChoiceButton(int number);

void BuildTestSetupScreen();
void BuildTestRunScreen();
void StopTypedTest();
void StopChoiceTest();
// A click on choice button number k.
void PressChoice(int number);
LRESULT CALLBACK HintModeGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DirectionGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
