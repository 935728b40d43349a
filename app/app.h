// SPDX-License-Identifier: GPL-3.0-or-later
// What every screen shares: the main window, the module instance, the interface font and the
// routines by which screens create their controls and take over the window.
#pragma once

#include <initializer_list>

#include "platform/win32.h"

// Where every screen puts the main window, and the main menu's outer size.
inline constexpr int kScreenX = 100;
inline constexpr int kScreenY = 50;
inline constexpr int kMainMenuWidth = 300;
inline constexpr int kMainMenuHeight = 180;

extern HINSTANCE AppInstance;
extern HWND MainWindow;
extern HFONT UiFont;  // 0 when its creation failed

HWND CreateControl(LPCSTR className, LPCSTR text, DWORD style, int x, int y, int width, int height, HWND parent,
                   HMENU menu, HINSTANCE instance, LPVOID param);

// A control of a screen: identifier 0, this program's instance, no creation data.
HWND CreateScreenControl(HWND parent, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int width,
                         int height);

// A new font with the interface font's look: MS Sans Serif, 11 pixels, normal weight.
HFONT CreateUiFont();
// A heavy MS Sans Serif of the given height, for words and questions.
HFONT CreateHeavyFont(int height);

// Gives back a font no control shows any more, and forgets it.
void ReleaseFont(HFONT& font);

// Sends WM_SETFONT (without redraw) to each control, unless the font is 0.
void SendFont(HFONT font, std::initializer_list<HWND> controls);

// Every screen puts the main window back at 100, 50, on top and active, with its own outer size.
void SetScreenFrame(int width, int height);
