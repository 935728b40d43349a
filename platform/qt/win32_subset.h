// SPDX-License-Identifier: GPL-3.0-or-later
// The part of the Win32 API that Vocarta calls, under Win32's own names and signatures,
// implemented on Qt Widgets by the other files of this folder.
#pragma once

#include <cstdint>

// ---- Basic types -------------------------------------------------------------------------
typedef int BOOL;
typedef unsigned char BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef unsigned int UINT;
typedef std::intptr_t INT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t UINT_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef char CHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* LPVOID;
typedef void* HANDLE;
typedef void* HGDIOBJ;

#define DECLARE_HANDLE(name) \
    struct name##__;         \
    typedef name##__* name
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HKL);
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;

#define WINAPI
#define CALLBACK
#define FALSE 0
#define TRUE 1

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct POINT {
    LONG x;
    LONG y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
typedef MSG* LPMSG;

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
typedef SYSTEMTIME* LPSYSTEMTIME;

// ---- Macros ------------------------------------------------------------------------------
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<WORD>(i))))
#define LOWORD(l) (static_cast<WORD>(static_cast<UINT_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<UINT_PTR>(l) >> 16) & 0xffff))
#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<DWORD>((static_cast<WORD>(l)) | (static_cast<DWORD>(static_cast<WORD>(h)) << 16))))

// ---- Window styles -----------------------------------------------------------------------
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_SYSMENU 0x00080000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_EX_WINDOWEDGE 0x00000100L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_CLIENTEDGE 0x00000200L

#define CS_CLASSDC 0x0040
#define CS_PARENTDC 0x0080
#define COLOR_BTNFACE 15

#define SS_LEFT 0x00000000L
#define SS_CENTER 0x00000001L

#define BS_PUSHBUTTON 0x00000000L
#define BS_GROUPBOX 0x00000007L
#define BS_AUTORADIOBUTTON 0x00000009L
#define BS_PUSHLIKE 0x00001000L

#define ES_CENTER 0x0001L
#define ES_NUMBER 0x2000L

#define UDS_SETBUDDYINT 0x0002
#define UDS_ALIGNRIGHT 0x0004

// ---- Messages ----------------------------------------------------------------------------
#define WM_DESTROY 0x0002
#define WM_ACTIVATE 0x0006
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WM_SETFONT 0x0030
#define WM_KEYDOWN 0x0100
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define BM_SETCHECK 0x00F1
#define BST_CHECKED 0x0001
#define VK_RETURN 0x0D

// ---- Other constants ---------------------------------------------------------------------
#define HWND_TOP (reinterpret_cast<HWND>(0))
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED 0x00000080L
#define WAIT_TIMEOUT 0x00000102L
#define WAIT_FAILED 0xFFFFFFFFu
#define FW_NORMAL 400
#define FW_HEAVY 900
#define DEFAULT_CHARSET 1
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0
#define FF_DONTCARE 0
#define SW_HIDE 0
#define KLF_ACTIVATE 0x00000001
#define MB_OK 0x00000000L
#define MB_TOPMOST 0x00040000L
#define GWLP_WNDPROC (-4)
#define CP_UTF8 65001

// ---- kernel32 ----------------------------------------------------------------------------
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);
HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name);
DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
void WINAPI GetSystemTime(LPSYSTEMTIME systemTime);
void WINAPI ExitProcess(UINT exitCode);
UINT WINAPI GetACP();

// ---- user32: classes, windows, messages --------------------------------------------------
WORD WINAPI RegisterClassA(const WNDCLASSA* windowClass);
HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL WINAPI DestroyWindow(HWND window);
LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LONG_PTR WINAPI SetWindowLongPtrA(HWND window, int index, LONG_PTR newValue);
LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax);
BOOL WINAPI TranslateMessage(const MSG* message);
LRESULT WINAPI DispatchMessageA(const MSG* message);
BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text);
int WINAPI GetWindowTextLengthA(HWND window);
int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int bufferSize);
HWND WINAPI SetFocus(HWND window);
HWND WINAPI GetFocus();
BOOL WINAPI UpdateWindow(HWND window);
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name);
int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferSize);
UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, void* timerProc);
BOOL WINAPI KillTimer(HWND window, UINT_PTR id);
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
HKL WINAPI LoadKeyboardLayoutA(LPCSTR layoutId, UINT flags);

// Messages here carry no text in a code page, so their Unicode entry points are the ANSI ones.
inline BOOL WINAPI GetMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
    return GetMessageA(message, window, filterMin, filterMax);
}
inline LRESULT WINAPI DispatchMessageW(const MSG* message) { return DispatchMessageA(message); }
inline LONG_PTR WINAPI SetWindowLongPtrW(HWND window, int index, LONG_PTR newValue) {
    return SetWindowLongPtrA(window, index, newValue);
}
inline LRESULT WINAPI CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(procedure, window, message, wParam, lParam);
}

// ---- gdi32 -------------------------------------------------------------------------------
HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outputPrecision,
                         DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);
BOOL WINAPI DeleteObject(HGDIOBJ object);

// ---- comctl32 ----------------------------------------------------------------------------
HWND WINAPI CreateUpDownControl(DWORD style, int x, int y, int width, int height, HWND parent, int id,
                                HINSTANCE instance, HWND buddy, int upper, int lower, int position);

// ---- shell32 -----------------------------------------------------------------------------
HINSTANCE WINAPI ShellExecuteA(HWND window, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                               LPCSTR directory, int showCommand);

