// SPDX-License-Identifier: GPL-3.0-or-later
// Window classes, the handle table and the window functions of the Win32 subset.
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/qt/command_line.h"
#include "platform/qt/layer.h"
#include "platform/qt/layer_probes.h"
#include "platform/qt/resources.h"

namespace layer {
namespace {

// Outer size minus client size of a classic Win32 caption-and-border frame.
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 25;

std::uintptr_t NextHandle = 0x10000;
std::map<HWND, std::unique_ptr<Window>> Windows;  // ordered by handle, that is by creation
std::vector<QPointer<QWidget>> RetiredWidgets;
int DeliveryDepth = 0;  // messages being delivered right now, nested

struct ClassRecord {
    std::string name;
    WNDCLASSA fields;
};
std::map<std::string, ClassRecord> Classes;  // by lower-case name

std::string Lower(const char* text) {
    std::string result = text ? text : "";
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

// The top-level window: a click on its close box (or Alt+F4) becomes WM_CLOSE, whose default
// handling destroys the window; its activation and deactivation become WM_ACTIVATE.
class TopLevelWidget : public QWidget {
public:
    explicit TopLevelWidget(HWND handle) : handle_(handle) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        SendMessageA(handle_, kWmClose, 0, 0);
    }
    void changeEvent(QEvent* event) override {
        // Qt may tell of one change twice; Win32 sends one message for each.
        if (event->type() == QEvent::ActivationChange && isActiveWindow() != active_) {
            active_ = isActiveWindow();
            SendMessageA(handle_, WM_ACTIVATE, active_ ? WA_ACTIVE : WA_INACTIVE, 0);
        }
        QWidget::changeEvent(event);
    }
    // Like a Win32 window without dialog handling, Tab does not move the focus.
    bool focusNextPrevChild(bool) override { return false; }

private:
    HWND handle_;
    bool active_ = false;
};

QWidget* CreateTopLevelWidget(Window& window, const WNDCLASSA& windowClass, int x, int y, int width,
                              int height) {
    auto* widget = new TopLevelWidget(window.handle);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (window.style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (window.style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
    if (window.exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    widget->setWindowFlags(flags);
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
    widget->move(x, y);
    widget->setFixedSize(std::max(0, width - kFrameWidth), std::max(0, height - kFrameHeight));
    QIcon icon;
    if (FindIcon(windowClass.hIcon, icon)) widget->setWindowIcon(icon);
    return widget;
}

// Screen readers see the main window as a frame (a plain QWidget would be a filler).
QAccessibleInterface* AccessibleTopLevel(const QString&, QObject* object) {
    auto* widget = dynamic_cast<TopLevelWidget*>(object);
    return widget ? new QAccessibleWidget(widget, QAccessible::Window) : nullptr;
}

void DestroyTree(HWND handle) {
    Window* window = FindWindow(handle);
    if (!window || window->destroying) return;
    window->destroying = true;
    Deliver(handle, WM_DESTROY, 0, 0);
    std::vector<HWND> children;  // by handle: destroying one child may destroy others' records
    for (Window* child : AllWindows())
        if (child->parent == handle) children.push_back(child->handle);
    for (HWND child : children) DestroyTree(child);
    Deliver(handle, kWmNcDestroy, 0, 0);
    ForgetWindowMessages(handle);
    RemoveWindow(handle);
}

}  // namespace

bool OnDesktop() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

void EnsureApplication() {
    if (QApplication::instance()) return;
    CheckDisplay();
    // The program reads no command line: Qt sees the program's name and its own options.
    static std::vector<std::string> arguments;
    static std::vector<char*> argv;
    arguments = {"vocarta"};
    const std::vector<std::string>& options = TakenCommandLine().qtArguments;
    arguments.insert(arguments.end(), options.begin(), options.end());
    if (!ChosenPlatform.empty()) arguments.insert(arguments.end(), {"-platform", ChosenPlatform});
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    static int argc = static_cast<int>(arguments.size());
    auto* application = new QApplication(argc, argv.data());
    application->setQuitOnLastWindowClosed(false);
    QAccessible::installFactory(AccessibleTopLevel);
    QAccessible::installFactory(AccessibleControl);
    JoinAccessibilityBus();
    EndOnSignals();
}

std::uintptr_t NewHandleValue() { return NextHandle += 4; }

Window* FindWindow(HWND handle) {
    auto found = Windows.find(handle);
    return found == Windows.end() ? nullptr : found->second.get();
}

Window& AddWindow(HWND handle) {
    auto& slot = Windows[handle];
    slot = std::make_unique<Window>();
    slot->handle = handle;
    return *slot;
}

void RemoveWindow(HWND handle) { Windows.erase(handle); }

std::vector<Window*> AllWindows() {
    std::vector<Window*> result;
    for (auto& entry : Windows) result.push_back(entry.second.get());
    return result;
}

bool IsSelfOrDescendant(HWND ancestor, HWND window) {
    for (Window* current = FindWindow(window); current; current = FindWindow(current->parent))
        if (current->handle == ancestor) return true;
    return false;
}

LRESULT Deliver(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindow(handle);
    if (!window) return 0;
    ++DeliveryDepth;
    const LRESULT result = CallWindowProcA(window->procedure, handle, message, wParam, lParam);
    --DeliveryDepth;
    return result;
}

void RetireWidget(QWidget* widget) {
    widget->hide();
    RetiredWidgets.emplace_back(widget);
}

void DeleteRetiredWidgets() {
    if (DeliveryDepth > 0) return;  // a handler of one of them may still be running
    auto retired = std::move(RetiredWidgets);
    RetiredWidgets.clear();
    for (auto& widget : retired) delete widget.data();
}

}  // namespace layer

using namespace layer;

WORD WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) return 0;
    const std::string key = Lower(windowClass->lpszClassName);
    Kind ignored;
    if (Classes.count(key) || SystemClassKind(key, BS_PUSHBUTTON, ignored)) return 0;  // no system class's name
    ClassRecord& record = Classes[key];
    record.name = windowClass->lpszClassName;
    record.fields = *windowClass;
    record.fields.lpszClassName = record.name.c_str();
    record.fields.lpszMenuName = nullptr;
    return static_cast<WORD>(0xC000 + Classes.size());
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE, LPVOID) {
    EnsureApplication();
    const std::string key = Lower(className);
    auto registered = Classes.find(key);
    Kind kind = Kind::TopLevel;
    if (registered != Classes.end()) {
        if (style & WS_CHILD) return nullptr;  // the program's own class is only ever a top-level window
    } else if (!SystemClassKind(key, style, kind) || !(style & WS_CHILD)) {
        return nullptr;
    }
    Window* parentWindow = FindWindow(parent);
    if ((style & WS_CHILD) && (!parentWindow || !parentWindow->widget)) return nullptr;

    const HWND handle = reinterpret_cast<HWND>(NewHandleValue());
    Window& window = AddWindow(handle);
    window.kind = kind;
    window.className = className;
    window.style = style;
    window.exStyle = exStyle;
    window.parent = (style & WS_CHILD) ? parent : nullptr;
    window.id = reinterpret_cast<LONG_PTR>(menu);
    window.text = windowName ? windowName : "";
    if (kind == Kind::TopLevel) {
        window.procedure = registered->second.fields.lpfnWndProc;
        window.widget = CreateTopLevelWidget(window, registered->second.fields, x, y, width, height);
        window.widget->setWindowTitle(FromAnsi(window.text));
    } else {
        window.procedure = SystemProcedureFor(kind);
        window.widget = CreateControlWidget(window, parentWindow->widget);
        window.widget->setGeometry(x, y, width, height);
    }
    Deliver(handle, kWmCreate, 0, 0);
    if (FindWindow(handle) && (style & WS_VISIBLE)) window.widget->show();
    return FindWindow(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND handle) {
    Window* window = FindWindow(handle);
    if (!window || window->destroying) return FALSE;
    QWidget* widget = window->widget;
    DestroyTree(handle);
    if (widget) RetireWidget(widget);
    return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindow(handle);
    if (!window) return 0;
    switch (message) {
    case kWmClose:
        DestroyWindow(handle);
        return 0;
    case kWmSetText:
        window->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (window->kind == Kind::TopLevel) window->widget->setWindowTitle(FromAnsi(window->text));
        return TRUE;
    case kWmGetTextLength:
        return static_cast<LRESULT>(window->text.size());
    case kWmGetText: {
        auto* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || wParam == 0) return 0;
        const std::size_t count = std::min<std::size_t>(window->text.size(), wParam - 1);
        window->text.copy(buffer, count);
        buffer[count] = '\0';
        return static_cast<LRESULT>(count);
    }
    default:
        return 0;
    }
}

LRESULT WINAPI CallWindowProcA(WNDPROC procedure, HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure ? procedure(handle, message, wParam, lParam) : 0;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND handle, int index, LONG_PTR newValue) {
    Window* window = FindWindow(handle);
    if (!window || index != GWLP_WNDPROC || !newValue) return 0;
    const auto previous = reinterpret_cast<LONG_PTR>(window->procedure);
    window->procedure = reinterpret_cast<WNDPROC>(newValue);
    return previous;
}

LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(handle, message, wParam, lParam);
}

BOOL WINAPI SetWindowPos(HWND handle, HWND, int x, int y, int width, int height, UINT) {
    Window* window = FindWindow(handle);
    if (!window) return FALSE;
    QWidget* widget = window->widget;
    if (window->kind != Kind::TopLevel) {
        widget->setGeometry(x, y, width, height);
        return TRUE;
    }
    widget->move(x, y);
    widget->setFixedSize(std::max(0, width - kFrameWidth), std::max(0, height - kFrameHeight));
    widget->raise();
    widget->activateWindow();
    return TRUE;
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text) {
    if (!FindWindow(handle)) return FALSE;
    return Deliver(handle, kWmSetText, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextLengthA(HWND handle) {
    return static_cast<int>(Deliver(handle, kWmGetTextLength, 0, 0));
}

int WINAPI GetWindowTextA(HWND handle, LPSTR buffer, int bufferSize) {
    if (!buffer || bufferSize <= 0) return 0;
    buffer[0] = '\0';
    return static_cast<int>(
        Deliver(handle, kWmGetText, static_cast<WPARAM>(bufferSize), reinterpret_cast<LPARAM>(buffer)));
}

HWND WINAPI GetFocus() {
    for (Window* candidate : AllWindows())
        if (candidate->widget && candidate->widget == QApplication::focusWidget()) return candidate->handle;
    return nullptr;
}

HWND WINAPI SetFocus(HWND handle) {
    Window* window = FindWindow(handle);
    if (!window) return nullptr;
    const HWND previous = GetFocus();
    window->widget->setFocus(Qt::OtherFocusReason);
    return previous;
}

BOOL WINAPI UpdateWindow(HWND handle) {
    Window* window = FindWindow(handle);
    if (!window) return FALSE;
    window->widget->repaint();
    return TRUE;
}
