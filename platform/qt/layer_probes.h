// SPDX-License-Identifier: GPL-3.0-or-later
// Probes into the layer: what the tests and benchmarks may ask of the Qt layer beyond the Win32
// subset, where Win32 itself offers no way to see it. The program never includes this.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win32.h"

class QWidget;

namespace layer {

// The widget that shows a window; 0 for a handle that names no window (any more).
QWidget* WidgetOf(HWND handle);
// The id a control was created with (the menu argument of CreateWindowExA).
LONG_PTR ControlId(HWND handle);
// The children of a window, in the order of their creation.
std::vector<HWND> ChildrenOf(HWND parent);
std::size_t LiveWindowCount();
std::size_t LiveFontCount();
// Keys whose procedures are still running.
std::size_t PendingKeyCount();
// The period of a running timer in milliseconds; 0 where there is none.
UINT TimerPeriod(HWND window, UINT_PTR id);
// Queues a message as PostMessage would.
void Post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
// Lets Qt deliver what is pending (input, paints, timers) without waiting, then deletes the
// widgets of destroyed windows.
void ProcessPendingEvents();

}  // namespace layer
