// SPDX-License-Identifier: GPL-3.0-or-later
#include "learning/flash_cards.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/ansi_text.h"
#include "app/app.h"
#include "app/main_menu.h"
#include "dictionary/random.h"
#include "learning/learning_screens.h"
#include "learning/parse_integer.h"

std::uint8_t CardsRunning = 0;

namespace {

constexpr UINT_PTR kCardTimer = 1;
// The longest period a timer takes (2^31 - 1 ms, about 24.8 days).
constexpr std::int64_t kLongestPeriod = 0x7FFFFFFF;
// The translation is shown together with the word, so it is never delayed.
constexpr std::int32_t kTranslationDelay = 0;

constexpr auto kRefusalCaption = Ansi("Упс...");
constexpr auto kRefusalText = Ansi(
    "Время задержки показа перевода\r\n"
    "не может быть меньше или равно времени показа слова.\r\n"
    "Исправьте, пожалуйста, соответствующие цифры.");

std::int32_t ReadDisplaySeconds() {
    const int length = GetWindowTextLengthA(DisplayTimeEdit);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    GetWindowTextA(DisplayTimeEdit, text.data(), length + 1);
    return ParseInteger(text.c_str());
}

UINT CardPeriod(std::int32_t displaySeconds) {
    return static_cast<UINT>(std::min<std::int64_t>(std::int64_t{displaySeconds} * 1000, kLongestPeriod));
}

}  // namespace

void StartLearning() {
    const std::int32_t displaySeconds = ReadDisplaySeconds();
    if (displaySeconds <= kTranslationDelay) {
        MessageBoxA(nullptr, kRefusalText, kRefusalCaption, MB_TOPMOST);
        return;
    }
    DestroyLearningSetupScreen();
    CardsRunning = 1;
    BuildLearningRunScreen();
    SetTimer(MainWindow, kCardTimer, CardPeriod(displaySeconds), nullptr);
    ShowNextCard();
}

void ShowNextCard() {
    if (CardsRunning == 0) return;
    const WordIndex index = RandomIndex();
    SetWindowTextA(WordLine, ItalianText(index).c_str());
    SetWindowTextA(TranslationLine, RussianText(index).c_str());
}

void TogglePause() {
    CardsRunning ^= 1;
    UpdatePauseButtonText();
}

void StopLearning() {
    SetScreenFrame(kMainMenuWidth, kMainMenuHeight);
    DestroyLearningRunScreen();
    KillTimer(MainWindow, kCardTimer);
    ShowMainMenu();
}
