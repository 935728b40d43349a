// SPDX-License-Identifier: GPL-3.0-or-later
// Internals shared by the files of the Qt implementation of the Win32 subset.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "platform/win32.h"

class QAccessibleInterface;
class QFont;
class QKeyEvent;
class QObject;
class QWidget;

namespace layer {

// Messages and codes that only the layer itself produces or handles.
constexpr UINT kWmCreate = 0x0001;
constexpr UINT kWmSetText = 0x000C;
constexpr UINT kWmGetText = 0x000D;
constexpr UINT kWmGetTextLength = 0x000E;
constexpr UINT kWmClose = 0x0010;
constexpr UINT kWmQuit = 0x0012;
constexpr UINT kWmGetFont = 0x0031;
constexpr UINT kWmNcDestroy = 0x0082;
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kWmVScroll = 0x0115;
constexpr WORD kBnClicked = 0;
constexpr WORD kEnChange = 0x0300;
constexpr WORD kSbThumbPosition = 4;

enum class Kind { TopLevel, Static, PushButton, GroupBox, RadioButton, Edit, UpDown };

struct Window {
    HWND handle = nullptr;
    Kind kind = Kind::TopLevel;
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    LONG_PTR id = 0;
    WNDPROC procedure = nullptr;
    QWidget* widget = nullptr;
    HFONT font = nullptr;
    HICON icon = nullptr;
    std::string text;  // Windows-1251 bytes, as the window's procedure last stored them
    bool destroying = false;
    struct {
        HWND buddy = nullptr;
        int lower = 0, upper = 0, position = 0;
    } upDown;  // an up-down control's range, position and buddy
};

// Creates the QApplication on first use; every call that touches windows goes through it.
void EnsureApplication();

// Before Qt starts, at the first call into the layer: chooses the platform where the user chose
// none; without a display to open, prints one line and ends the process with 1.
void CheckDisplay();
// The platform chosen for Qt ("xcb"), or "" for Qt's own choice.
extern std::string ChosenPlatform;
// Whether Qt shows the windows on a desktop (X11 or Wayland), not on its offscreen or minimal
// platform, which has no keyboard to switch and no accessibility bridge.
bool OnDesktop();

// Gives the desktop back the keyboard layout the user had, where the program's is on.
void GiveBackKeyboardLayout();
// The text a key types into an edit field: where the program types in its own layout, the
// character that layout gives at the key's place, unless Ctrl, Alt or Meta is held; else the
// text the desktop gave the key.
QString TypedText(const QKeyEvent& key);
// What the key with this XKB key code types in XKB's layout of that name ("us", "ru"), with
// Shift and Caps Lock as given; "" where it types no character. LayoutCompiles tells whether the
// system's XKB data has the layout.
QString LayoutKeyText(const char* layout, unsigned keyCode, bool shift, bool capsLock);
bool LayoutCompiles(const char* layout);

// From here on SIGTERM, SIGINT and SIGHUP give back the user's keyboard layout before they end the
// process; handled by the event loop, so it needs the application. Called once.
void EndOnSignals();

// Handle table. A handle is never 0 and never given out twice; a destroyed window's handle
// finds nothing, so every call on it fails without effect.
std::uintptr_t NewHandleValue();
Window* FindWindow(HWND handle);
Window& AddWindow(HWND handle);
void RemoveWindow(HWND handle);
std::vector<Window*> AllWindows();

// The one path by which a message reaches a window procedure.
LRESULT Deliver(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
bool IsSelfOrDescendant(HWND ancestor, HWND window);

// The system procedures of the predefined control classes.
WNDPROC SystemProcedureFor(Kind kind);
bool SystemClassKind(const std::string& className, DWORD style, Kind& kind);
QWidget* CreateControlWidget(Window& window, QWidget* parent);
// Assistive technology's view of the controls whose actions must reach their procedures.
QAccessibleInterface* AccessibleControl(const QString& className, QObject* object);
// Where Qt's bridge to assistive technology will join the accessibility bus, starts the bus if need
// be and returns once the bridge has joined (or after a few seconds).
void JoinAccessibilityBus();

// Fonts
bool FindFont(HFONT handle, QFont& font);

// Message queue: drops the posted messages and timers of a window that is going away.
void ForgetWindowMessages(HWND handle);

// Windows-1251 <-> QString; characters outside the code page become '?'. Italian lines show the
// accented letters that their Cyrillic stand-ins write, and typed accented letters become those.
QString FromAnsi(const char* text);
QString FromAnsi(const std::string& text);
std::string ToAnsi(const QString& text);

// Widgets of destroyed windows are hidden at once and deleted at the next safe point, when no
// handler of theirs can still be on the stack.
// (The safe point: no message is being delivered.)
void RetireWidget(QWidget* widget);
void DeleteRetiredWidgets();

// One pass of a message loop for every window: delivers one posted message or timer tick if
// there is one, else lets Qt deliver input, waiting for it when asked to.
void PumpMessages(bool wait);

}  // namespace layer
