// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/quiz.h"

#include <algorithm>
#include <string>

#include "app/ansi_text.h"
#include "dictionary/random.h"
#include "quiz/quiz_screens.h"
#include "quiz/quiz_settings.h"

QuizRecord Quiz;

namespace {

enum class ShownLanguage { Russian, Italian };

// The four other choices come from the stretch of the dictionary after the right word:
// each walk step moves 1 to a fifth of the dictionary places forward.
constexpr std::uint32_t kWalkStep = kWordCount / 5;

constexpr auto kWrong = Ansi("Неправильно!!!");
constexpr auto kRightTranslationIs = Ansi("Правильный перевод:\r\n");
constexpr auto kTryAgain = Ansi("Неправильно!!! Попробуйте еще раз.");

// The learner types in the language of the answer: US English for Italian, Russian for Russian.
constexpr char kItalianLayout[] = "00000409";
constexpr char kRussianLayout[] = "00000419";

ShownLanguage FixedOrDrawnLanguage() {
    if (Direction == RussianToItalian) return ShownLanguage::Russian;
    if (Direction == ItalianToRussian) return ShownLanguage::Italian;
    return RandomBelow(2) == 0 ? ShownLanguage::Russian : ShownLanguage::Italian;
}

std::string ShownText(ShownLanguage shown, WordIndex index) {
    return shown == ShownLanguage::Russian ? RussianText(index) : ItalianText(index);
}

std::string AnswerText(ShownLanguage shown, WordIndex index) {
    return shown == ShownLanguage::Russian ? ItalianText(index) : RussianText(index);
}

std::string TextOf(HWND control) {
    const int length = std::max(GetWindowTextLengthA(control), 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

// Any piece of the stored translation, byte for byte, is right; an empty answer is not.
bool IsRightAnswer(const std::string& typed) {
    return !typed.empty() && Quiz.ExpectedAnswer.find(typed) != std::string::npos;
}

}  // namespace

void NextTypedQuestion() {
    const ShownLanguage shown = FixedOrDrawnLanguage();
    const WordIndex index = RandomIndex();
    SetWindowTextA(QuestionLabel, ShownText(shown, index).c_str());
    Quiz.ExpectedAnswer = AnswerText(shown, index);
    LoadKeyboardLayoutA(shown == ShownLanguage::Russian ? kItalianLayout : kRussianLayout, KLF_ACTIVATE);
    SetWindowTextA(AnswerEdit, "");
    SetFocus(AnswerEdit);
}

void JudgeTypedAnswer() {
    if (!IsRightAnswer(TextOf(AnswerEdit))) {
        const std::string text = std::string(kRightTranslationIs) + Quiz.ExpectedAnswer;
        MessageBoxA(nullptr, text.c_str(), kWrong, MB_OK | MB_TOPMOST);
    }
    NextTypedQuestion();
}

LRESULT CALLBACK AnswerEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) JudgeTypedAnswer();
    return CallWindowProcW(PreviousAnswerEditProc, window, message, wParam, lParam);
}

void NextChoiceQuestion() {
    Quiz.RightChoice = static_cast<std::int32_t>(RandomBelow(5)) + 1;
    const WordIndex index = RandomIndex();
    const ShownLanguage shown = FixedOrDrawnLanguage();
    SetWindowTextA(QuestionLabel, ShownText(shown, index).c_str());
    SetWindowTextA(ChoiceButton(Quiz.RightChoice), AnswerText(shown, index).c_str());
    WordIndex walk = index;
    for (int slot = 1; slot <= 5; ++slot) {
        const auto step = static_cast<WordIndex>(RandomBelow(kWalkStep));
        walk = (walk + step) % kWordCount + 1;
        if (slot != Quiz.RightChoice) SetWindowTextA(ChoiceButton(slot), AnswerText(shown, walk).c_str());
    }
}

// Two buttons can carry the same translation (one text may stand under several indices);
// pressing either is right.
void JudgeChoice() {
    const bool right = Quiz.PressedChoice == Quiz.RightChoice ||
                       TextOf(ChoiceButton(Quiz.PressedChoice)) == TextOf(ChoiceButton(Quiz.RightChoice));
    if (right) {
        NextChoiceQuestion();
        return;
    }
    MessageBoxA(nullptr, kTryAgain, kWrong, MB_OK | MB_TOPMOST);
}
