// SPDX-License-Identifier: GPL-3.0-or-later
// The window procedure of the main window: every click of a button that is a direct child of
// the main window, every timer tick and the end of the program pass through it.
#pragma once

#include "platform/win32.h"

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
