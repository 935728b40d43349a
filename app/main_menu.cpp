// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_menu.h"

#include "app/ansi_text.h"
#include "app/app.h"
#include "dictionary/word_ids.h"

// Where the links lead; set when the program is built.
#ifndef VOCARTA_AUTHOR_MAIL
#define VOCARTA_AUTHOR_MAIL "vocarta@example.org"
#endif
#ifndef VOCARTA_HOME_HOST
#define VOCARTA_HOME_HOST "vocarta.example.org"
#endif

HWND AboutText = nullptr;
HWND LearningButton = nullptr;
HWND TestingButton = nullptr;
HWND MailButton = nullptr;
HWND HomePageButton = nullptr;

namespace {

constexpr DWORD kTextStyle = WS_CHILD | WS_VISIBLE | SS_CENTER;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_PUSHLIKE;

constexpr auto kAbout = Ansi(
    "Изучение словаря итальянских слов.\r\n"
    "Словарь из " VOCARTA_TEXT_OF(VOCARTA_WORD_COUNT) " слов (лицензия CC BY-SA 4.0) составлен авторами "
    "программы и сверен со словарем FreeDict (WikDict).");
constexpr auto kLearning = Ansi("Обучение");
constexpr auto kTesting = Ansi("Тестирование");
constexpr auto kMailCredit = Ansi("Авторы: команда Vocarta (написать письмо)");
constexpr auto kHomePage = Ansi("Домашняя страница");

}  // namespace

void ShowMainMenu() {
    AboutText = CreateScreenControl(MainWindow, "Static", "", kTextStyle, 10, 38, 265, 65);
    LearningButton = CreateScreenControl(MainWindow, "Button", kLearning, kButtonStyle, 14, 10, 120, 20);
    TestingButton = CreateScreenControl(MainWindow, "Button", kTesting, kButtonStyle, 158, 10, 120, 20);
    MailButton = CreateScreenControl(MainWindow, "Button", kMailCredit, kButtonStyle, 14, 110, 265, 20);
    HomePageButton = CreateScreenControl(MainWindow, "Button", kHomePage, kButtonStyle, 14, 130, 265, 20);
    SendFont(UiFont, {AboutText, LearningButton, TestingButton, MailButton, HomePageButton});
    SetWindowTextA(AboutText, kAbout);
    UpdateWindow(MainWindow);
}

void DestroyMainMenu() {
    DestroyWindow(AboutText);
    DestroyWindow(LearningButton);
    DestroyWindow(TestingButton);
    DestroyWindow(MailButton);
    DestroyWindow(HomePageButton);
}

void OpenMailLink() {
    ShellExecuteA(MainWindow, "open", "mailto:" VOCARTA_AUTHOR_MAIL "?Subject=Vocarta2.0", nullptr, nullptr, SW_HIDE);
}

void OpenHomePage() {
    ShellExecuteA(MainWindow, "open", "http://" VOCARTA_HOME_HOST "/index.html", nullptr, nullptr, SW_HIDE);
}
