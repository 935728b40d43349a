// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/quiz_screens.h"

#include "app/ansi_text.h"
#include "app/app.h"
#include "app/main_menu.h"
#include "quiz/quiz.h"
#include "quiz/quiz_settings.h"

HWND HintModeGroup = nullptr;
HWND WithHintRadio = nullptr;
HWND WithoutHintRadio = nullptr;
HWND DirectionGroup = nullptr;
HWND MixedRadio = nullptr;
HWND RussianToItalianRadio = nullptr;
HWND ItalianToRussianRadio = nullptr;
HWND TestStartButton = nullptr;

HWND QuestionLabel = nullptr;
HWND ChoiceButton1 = nullptr;
HWND ChoiceButton2 = nullptr;
HWND ChoiceButton3 = nullptr;
HWND ChoiceButton4 = nullptr;
HWND ChoiceButton5 = nullptr;
HWND ChoiceStopButton = nullptr;
HWND AnswerEdit = nullptr;
HWND TypedStopButton = nullptr;

WNDPROC PreviousHintModeGroupProc = nullptr;
WNDPROC PreviousDirectionGroupProc = nullptr;
WNDPROC PreviousAnswerEditProc = nullptr;

namespace {

constexpr DWORD kGroupStyle = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
constexpr DWORD kRadioStyle = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr DWORD kPushStyle = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
constexpr DWORD kChoiceStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHLIKE;
constexpr DWORD kQuestionStyle = WS_CHILD | WS_VISIBLE | SS_CENTER;
constexpr DWORD kAnswerStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_CENTER;
constexpr UINT_PTR kAnswerEditId = 10;

constexpr int kChoiceQuestionFontHeight = 22;
constexpr int kChoiceFontHeight = 18;
// An answer button holds its font's whole cell inside the 2-pixel edges of its frame.
constexpr int kChoiceButtonHeight = kChoiceFontHeight + 2 * 2;
constexpr int kTypedQuestionFontHeight = 0;  // the face's default size

constexpr auto kWithHint = Ansi("с подсказкой");
constexpr auto kWithoutHint = Ansi("без подсказки");
constexpr auto kMixed = Ansi("смешанный");
constexpr auto kRussianToItalian = Ansi("русско-итальянский");
constexpr auto kItalianToRussian = Ansi("итальяно-русский");
constexpr auto kStart = Ansi("Начать");
constexpr auto kStopTesting = Ansi("Остановить тестирование");

// The fonts of the run screen that are not the interface font; given back when it goes.
HFONT QuestionFont = nullptr;
HFONT ChoiceFont = nullptr;

WNDPROC Subclass(HWND control, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// The run screen's last font becomes the interface font; the one it replaces serves no control.
void ReplaceUiFont() {
    HFONT replaced = UiFont;
    UiFont = CreateUiFont();
    ReleaseFont(replaced);
}

void DestroySetupScreen() {
    DestroyWindow(WithoutHintRadio);
    DestroyWindow(WithHintRadio);
    DestroyWindow(HintModeGroup);
    DestroyWindow(MixedRadio);
    DestroyWindow(RussianToItalianRadio);
    DestroyWindow(ItalianToRussianRadio);
    DestroyWindow(DirectionGroup);
    DestroyWindow(TestStartButton);
}

void BuildChoiceLayout() {
    SetScreenFrame(450, 240);
    QuestionLabel = CreateScreenControl(MainWindow, "Static", "", kQuestionStyle, 5, 5, 435, 50);
    ChoiceButton1 = CreateScreenControl(MainWindow, "Button", "", kChoiceStyle, 5, 58, 435, kChoiceButtonHeight);
    ChoiceButton2 = CreateScreenControl(MainWindow, "Button", "", kChoiceStyle, 5, 80, 435, kChoiceButtonHeight);
    ChoiceButton3 = CreateScreenControl(MainWindow, "Button", "", kChoiceStyle, 5, 102, 435, kChoiceButtonHeight);
    ChoiceButton4 = CreateScreenControl(MainWindow, "Button", "", kChoiceStyle, 5, 124, 435, kChoiceButtonHeight);
    ChoiceButton5 = CreateScreenControl(MainWindow, "Button", "", kChoiceStyle, 5, 146, 435, kChoiceButtonHeight);
    ChoiceStopButton = CreateScreenControl(MainWindow, "Button", kStopTesting, kChoiceStyle, 5, 188, 435, 20);
    QuestionFont = CreateHeavyFont(kChoiceQuestionFontHeight);
    SendFont(QuestionFont, {QuestionLabel});
    ChoiceFont = CreateHeavyFont(kChoiceFontHeight);
    SendFont(ChoiceFont, {ChoiceButton1, ChoiceButton2, ChoiceButton3, ChoiceButton4, ChoiceButton5});
    ReplaceUiFont();
    SendFont(UiFont, {ChoiceStopButton});
    NextChoiceQuestion();
}

void BuildTypedLayout() {
    SetScreenFrame(450, 130);
    QuestionLabel = CreateScreenControl(MainWindow, "Static", "", kQuestionStyle, 6, 16, 431, 20);
    AnswerEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", kAnswerStyle, 6, 50, 431, 20, MainWindow,
                                 reinterpret_cast<HMENU>(kAnswerEditId), AppInstance, nullptr);
    // A Unicode procedure, so that the typed letters reach the edit control whole (see RunMessageLoop).
    PreviousAnswerEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(AnswerEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerEditProc)));
    TypedStopButton = CreateScreenControl(MainWindow, "Button", kStopTesting, kPushStyle, 6, 80, 431, 21);
    QuestionFont = CreateHeavyFont(kTypedQuestionFontHeight);
    SendFont(QuestionFont, {QuestionLabel});
    ReplaceUiFont();
    SendFont(UiFont, {TypedStopButton, AnswerEdit});
    NextTypedQuestion();
}

}  // namespace

HWND ChoiceButton(int number) {
    switch (number) {
    case 1: return ChoiceButton1;
    case 2: return ChoiceButton2;
    case 3: return ChoiceButton3;
    case 4: return ChoiceButton4;
    case 5: return ChoiceButton5;
    default: return nullptr;
    }
}

void BuildTestSetupScreen() {
    DestroyMainMenu();
    HintMode = WithHint;
    Direction = Mixed;
    SetScreenFrame(300, 110);
    HintModeGroup = CreateScreenControl(MainWindow, "Button", "", kGroupStyle, 5, 0, 139, 53);
    PreviousHintModeGroupProc = Subclass(HintModeGroup, HintModeGroupProc);
    WithHintRadio = CreateScreenControl(HintModeGroup, "Button", kWithHint, kRadioStyle, 5, 15, 120, 15);
    WithoutHintRadio = CreateScreenControl(HintModeGroup, "Button", kWithoutHint, kRadioStyle, 5, 33, 120, 15);
    SendFont(UiFont, {WithHintRadio, WithoutHintRadio});
    DirectionGroup = CreateScreenControl(MainWindow, "Button", "", kGroupStyle, 150, 0, 139, 80);
    PreviousDirectionGroupProc = Subclass(DirectionGroup, DirectionGroupProc);
    MixedRadio = CreateScreenControl(DirectionGroup, "Button", kMixed, kRadioStyle, 5, 15, 100, 15);
    RussianToItalianRadio = CreateScreenControl(DirectionGroup, "Button", kRussianToItalian, kRadioStyle, 5, 33, 130, 15);
    ItalianToRussianRadio = CreateScreenControl(DirectionGroup, "Button", kItalianToRussian, kRadioStyle, 5, 51, 130, 15);
    TestStartButton = CreateScreenControl(MainWindow, "Button", kStart, kPushStyle, 5, 58, 139, 20);
    SendFont(UiFont, {MixedRadio, RussianToItalianRadio, ItalianToRussianRadio, TestStartButton});
    SendMessageA(WithHintRadio, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(MixedRadio, BM_SETCHECK, BST_CHECKED, 0);
    UpdateWindow(MainWindow);
}

void BuildTestRunScreen() {
    DestroySetupScreen();
    if (HintMode == WithHint)
        BuildChoiceLayout();
    else
        BuildTypedLayout();
    UpdateWindow(MainWindow);
}

void StopTypedTest() {
    DestroyWindow(QuestionLabel);
    DestroyWindow(AnswerEdit);
    DestroyWindow(TypedStopButton);
    ReleaseFont(QuestionFont);
    SetScreenFrame(kMainMenuWidth, kMainMenuHeight);
    ShowMainMenu();
}

void StopChoiceTest() {
    DestroyWindow(QuestionLabel);
    DestroyWindow(ChoiceButton1);
    DestroyWindow(ChoiceButton2);
    DestroyWindow(ChoiceButton3);
    DestroyWindow(ChoiceButton4);
    DestroyWindow(ChoiceButton5);
    DestroyWindow(ChoiceStopButton);
    ReleaseFont(QuestionFont);
    ReleaseFont(ChoiceFont);
    SetScreenFrame(kMainMenuWidth, kMainMenuHeight);
    ShowMainMenu();
}

void PressChoice(int number) {
    Quiz.PressedChoice = number;
    JudgeChoice();
}

// The radio buttons report to their group box, not to the main window.
LRESULT CALLBACK HintModeGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == WithHintRadio) HintMode = WithHint;
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == WithoutHintRadio) HintMode = WithoutHint;
    return CallWindowProcA(PreviousHintModeGroupProc, window, message, wParam, lParam);
}

LRESULT CALLBACK DirectionGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == MixedRadio) Direction = Mixed;
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == RussianToItalianRadio) Direction = RussianToItalian;
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == ItalianToRussianRadio) Direction = ItalianToRussian;
    return CallWindowProcA(PreviousDirectionGroupProc, window, message, wParam, lParam);
}
