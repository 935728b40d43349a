// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app.h"

#include "app/ansi_text.h"

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

namespace {

// MS Sans Serif, a bitmap font, has the letters of one code page: enough for Windows-1251 texts.
// UTF-8 texts mix Cyrillic and accented Latin letters, so they take MS Shell Dlg, the name under
// which Windows gives the face that stands in for MS Sans Serif with both (Microsoft Sans Serif,
// of the same metrics; Wine gives its Tahoma).
const char* UiFaceName() { return TextsAreUtf8() ? "MS Shell Dlg" : "MS Sans Serif"; }

}  // namespace

HFONT CreateUiFont() {
    return CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, UiFaceName());
}

HFONT CreateHeavyFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_HEAVY, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, UiFaceName());
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
