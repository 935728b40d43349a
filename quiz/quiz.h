// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz: questions without end, answered by typing or by one of five buttons.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

struct QuizRecord {
    std::string ExpectedAnswer;      // the whole translation the typed question asks for
    std::int32_t RightChoice = 0;    // 1..5: the button with the right translation
    std::int32_t PressedChoice = 0;  // 1..5: the button pressed last
};
extern QuizRecord Quiz;

void NextTypedQuestion();
void JudgeTypedAnswer();
LRESULT CALLBACK AnswerEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void NextChoiceQuestion();
void JudgeChoice();
