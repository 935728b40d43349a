// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "app/main_menu.h"
#include "learning/flash_cards.h"
#include "learning/learning_screens.h"
#include "quiz/quiz_screens.h"

namespace {

// Buttons all have the id 0, so a command is told apart by the handle of the control that sent
// it. Every comparison is made, in this order, against the handles as they are at that moment.
void DispatchCommand(HWND source) {
    if (!source) return;  // not from a control: it must not match a control not yet created
    if (source == LearningButton) BuildLearningSetupScreen();
    if (source == TestingButton) BuildTestSetupScreen();
    if (source == LearningStartButton) StartLearning();
    if (source == LearningStopButton) StopLearning();
    if (source == TestStartButton) BuildTestRunScreen();
    if (source == TypedStopButton) StopTypedTest();
    if (source == ChoiceStopButton) StopChoiceTest();
    if (source == ChoiceButton1) PressChoice(1);
    if (source == ChoiceButton2) PressChoice(2);
    if (source == ChoiceButton3) PressChoice(3);
    if (source == ChoiceButton4) PressChoice(4);
    if (source == ChoiceButton5) PressChoice(5);
    if (source == PauseButton) TogglePause();
    if (source == MailButton) OpenMailLink();
    if (source == HomePageButton) OpenHomePage();
}

// The control that had the focus when the window was last deactivated, by a message box say. On
// Windows the window is active again before the box's call returns, and the next question then
// puts the focus into the answer field; under a window manager (Wine on X) the activation comes
// later, and its default handling would take the focus from the field to the window itself.
HWND FocusBeforeDeactivation = nullptr;

void KeepFocusAcrossActivation(WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE)
        FocusBeforeDeactivation = GetFocus();
    else if (FocusBeforeDeactivation)
        SetFocus(FocusBeforeDeactivation);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        ExitProcess(0);
        break;
    case WM_COMMAND:
        DispatchCommand(reinterpret_cast<HWND>(lParam));
        break;
    case WM_TIMER:
        ShowNextCard();
        break;
    case WM_ACTIVATE:
        KeepFocusAcrossActivation(wParam);
        break;
    default:
        break;
    }
    return result;
}
