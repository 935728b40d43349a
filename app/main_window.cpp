#include "app/main_window.h"

#include "app/main_menu.h"

namespace {

// Buttons all have the id 0, so a command is told apart by the handle of the control that sent
// it. Every comparison is made, in this order, against the handles as they are at that moment.
void DispatchCommand(HWND source) {
    if (source == MailButton) OpenMailLink();
    if (source == HomePageButton) OpenHomePage();
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
        break;
    default:
        break;
    }
    return result;
}
