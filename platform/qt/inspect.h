// What tests and benchmarks may ask of the Qt layer beyond the Win32 subset: the widget behind a
// handle, the records the layer keeps, and a few ways to steer it. The program never includes this.
#pragma once

#include <QFont>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

class QWidget;

namespace layer {

struct WindowInfo {
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    LONG_PTR id = 0;
    HFONT font = nullptr;
    std::string text;  // Windows-1251 bytes
};

QWidget* WidgetOf(HWND handle);
bool IsWindowHandle(HWND handle);
bool GetWindowInfo(HWND handle, WindowInfo& info);
std::vector<HWND> ChildrenOf(HWND parent);  // in the order of creation
std::size_t LiveWindowCount();

bool FontOf(HFONT handle, QFont& font);
std::size_t LiveFontCount();
void SetFontCreationFails(bool fails);

// Called with every message the layer hands to a window procedure, before the procedure runs.
using MessageSpy = std::function<void(HWND, UINT, WPARAM, LPARAM)>;
void SetMessageSpy(MessageSpy spy);

// The layout id of the last LoadKeyboardLayoutA call ("" before the first).
std::string LastKeyboardLayoutRequest();

// The period of a running timer.
bool TimerPeriod(HWND window, UINT_PTR id, UINT& milliseconds);

// Queues a message as PostMessage would.
void Post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

// Lets Qt deliver what is pending (input, paints, timers) without waiting, then deletes the
// widgets of destroyed windows.
void ProcessPendingEvents();

}  // namespace layer
