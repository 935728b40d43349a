// SPDX-License-Identifier: GPL-3.0-or-later
#include "learning/learning_screens.h"

#include "app/ansi_text.h"
#include "app/app.h"
#include "app/main_menu.h"
#include "learning/flash_cards.h"

HWND DisplayTimeLabel = nullptr;
HWND DisplayTimeEdit = nullptr;
HWND DisplayTimeUpDown = nullptr;
HWND LearningStartButton = nullptr;
HWND WordLine = nullptr;
HWND TranslationLine = nullptr;
HWND LearningStopButton = nullptr;
HWND PauseButton = nullptr;
HFONT CardFont = nullptr;

namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER | ES_CENTER;
constexpr DWORD kUpDownStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_ALIGNRIGHT | UDS_SETBUDDYINT;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_PUSHLIKE;
constexpr DWORD kLineStyle = WS_CHILD | WS_VISIBLE | SS_CENTER;
constexpr int kCardFontHeight = 22;
constexpr int kCardLineHeight = kCardFontHeight;  // the font's whole cell, so that no descender is cut

constexpr auto kDisplayTimeCaption = Ansi("Время показа слова (секунды)");
constexpr auto kStart = Ansi("Начать");
constexpr auto kStop = Ansi("Стоп");
constexpr auto kPause = Ansi("Пауза");
constexpr auto kContinue = Ansi("Продолжить");

}  // namespace

void BuildLearningSetupScreen() {
    DestroyMainMenu();
    SetScreenFrame(298, 103);
    DisplayTimeLabel = CreateScreenControl(MainWindow, "Static", "", kLabelStyle, 6, 6, 225, 21);
    DisplayTimeEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", kFieldStyle, 225, 6, 60, 21, MainWindow, nullptr,
                                      AppInstance, nullptr);
    DisplayTimeUpDown = CreateUpDownControl(kUpDownStyle, 0, 0, 20, 20, MainWindow, 0, AppInstance, DisplayTimeEdit,
                                            10, 1, 2);
    LearningStartButton = CreateScreenControl(MainWindow, "Button", kStart, kButtonStyle, 6, 55, 278, 18);
    SetWindowTextA(DisplayTimeEdit, "2");
    SetFocus(DisplayTimeEdit);
    SendFont(UiFont, {DisplayTimeLabel, DisplayTimeEdit, LearningStartButton});
    SetWindowTextA(DisplayTimeLabel, kDisplayTimeCaption);
    UpdateWindow(MainWindow);
}

void DestroyLearningSetupScreen() {
    DestroyWindow(DisplayTimeLabel);
    DestroyWindow(DisplayTimeUpDown);
    DestroyWindow(DisplayTimeEdit);
    DestroyWindow(LearningStartButton);
}

void BuildLearningRunScreen() {
    HFONT replacedUiFont = UiFont;
    SetScreenFrame(450, 130);
    WordLine = CreateScreenControl(MainWindow, "Static", "", kLineStyle, 6, 16, 431, kCardLineHeight);
    TranslationLine = CreateScreenControl(MainWindow, "Static", "", kLineStyle, 6, 40, 431, kCardLineHeight);
    LearningStopButton = CreateScreenControl(MainWindow, "Button", kStop, kButtonStyle, 221, 80, 215, 21);
    PauseButton = CreateScreenControl(MainWindow, "Button", kPause, kButtonStyle, 6, 80, 215, 21);
    CardFont = UiFont = CreateHeavyFont(kCardFontHeight);
    SendFont(UiFont, {WordLine, TranslationLine});
    UiFont = CreateUiFont();
    SendFont(UiFont, {LearningStopButton, PauseButton});
    ReleaseFont(replacedUiFont);  // the screen it served is gone
    UpdateWindow(MainWindow);
}

void DestroyLearningRunScreen() {
    DestroyWindow(WordLine);
    DestroyWindow(TranslationLine);
    DestroyWindow(LearningStopButton);
    DestroyWindow(PauseButton);
    ReleaseFont(CardFont);
}

void UpdatePauseButtonText() { SetWindowTextA(PauseButton, CardsRunning != 0 ? kPause : kContinue); }
