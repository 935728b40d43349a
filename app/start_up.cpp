// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_up.h"

#include "app/app.h"
#include "app/main_menu.h"
#include "app/main_window.h"
#include "quiz/quiz_settings.h"

namespace {

WNDCLASSA WindowClass;
MSG Message;

constexpr DWORD kMainWindowExStyle = WS_EX_WINDOWEDGE | WS_EX_TOPMOST;
constexpr DWORD kMainWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void RegisterMainWindowClass() {
    WindowClass.style = CS_CLASSDC | CS_PARENTDC;
    WindowClass.lpfnWndProc = MainWindowProc;
    WindowClass.hInstance = AppInstance;
    WindowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
    WindowClass.lpszClassName = "Vocarta_2_0";
    WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    WindowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), "lev1");
    RegisterClassA(&WindowClass);
}

}  // namespace

bool IsFirstInstance() {
    HANDLE singleInstanceMutex = CreateMutexA(nullptr, FALSE, "Vocarta20");
    return WaitForSingleObject(singleInstanceMutex, 0) != WAIT_TIMEOUT;
}

void OpenMainWindow() {
    AppInstance = GetModuleHandleA(nullptr);
    RegisterMainWindowClass();
    MainWindow = CreateWindowExA(kMainWindowExStyle, "Vocarta_2_0", "Vocarta 2.0", kMainWindowStyle, kScreenX,
                                 kScreenY, kMainMenuWidth, kMainMenuHeight, nullptr, nullptr, AppInstance, nullptr);
    UiFont = CreateUiFont();
    HintMode = WithHint;
    Direction = Mixed;
    ShowMainMenu();
}

void RunMessageLoop() {
    // GetMessageW gives -1 on an error, which must end the loop rather than spin it. The loop takes
    // the messages as Unicode, so that a typed letter reaches the answer field as the letter itself:
    // an ANSI loop would cut a letter of the UTF-8 code page into bytes, which Wine's edit control
    // does not join again.
    while (GetMessageW(&Message, MainWindow, 0, 0) > 0) {
        TranslateMessage(&Message);
        DispatchMessageW(&Message);
    }
}
