// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app.h"

HINSTANCE AppInstance = nullptr;
HWND MainWindow = nullptr;
HFONT UiFont = nullptr;

HWND CreateControl(LPCSTR className, LPCSTR text, DWORD style, int x, int y, int width, int height, HWND parent,
                   HMENU menu, HINSTANCE instance, LPVOID param) {
    return CreateWindowExA(0, className, text, style, x, y, width, height, parent, menu, instance, param);
}

HWND CreateScreenControl(HWND parent, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int width,
                         int height) {
    return CreateControl(className, text, style, x, y, width, height, parent, nullptr, AppInstance, nullptr);
}

HFONT CreateUiFont() {
    return CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

HFONT CreateHeavyFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_HEAVY, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

void ReleaseFont(HFONT& font) {
    if (font) DeleteObject(font);
    font = nullptr;
}

void SendFont(HFONT font, std::initializer_list<HWND> controls) {
    if (!font) return;
    for (HWND control : controls) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
}

void SetScreenFrame(int width, int height) {
    SetWindowPos(MainWindow, HWND_TOP, kScreenX, kScreenY, width, height, 0);
}
