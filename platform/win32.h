// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 API as Vocarta calls it: on Windows <windows.h> itself, elsewhere the subset the
// program uses, implemented on Qt Widgets in platform/qt/. Program code includes this header and
// nothing platform-specific.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#else
#include "platform/qt/win32_subset.h"
#endif
