// The predefined control classes ("Static", "Button") and their system window procedures.
// A control's widget only shows what the procedure tells it; texts and fonts always arrive as
// messages, so a procedure that replaces the system one sees them first.
#include <QLabel>
#include <QPushButton>

#include "platform/qt/layer.h"

namespace layer {
namespace {

constexpr DWORD kButtonTypeMask = 0x0000000F;

// Win32 statics and buttons take "\r\n" as a line break.
QString DisplayText(const std::string& text) { return FromAnsi(text).replace(QStringLiteral("\r\n"), "\n"); }

void ShowText(Window& window) {
    const QString text = DisplayText(window.text);
    if (auto* label = qobject_cast<QLabel*>(window.widget)) label->setText(text);
    if (auto* button = qobject_cast<QPushButton*>(window.widget)) button->setText(text);
}

void ApplyFont(Window& window, HFONT handle) {
    QFont font;
    if (!FindFont(handle, font)) {
        handle = nullptr;
        font = QFont();  // the system font
    }
    window.font = handle;
    window.widget->setFont(font);
}

// What every predefined control does with the messages common to all of them.
LRESULT CommonControlMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindow(handle);
    if (!window) return 0;
    switch (message) {
    case kWmSetText:
        DefWindowProcA(handle, message, wParam, lParam);
        ShowText(*window);
        return TRUE;
    case WM_SETFONT:
        ApplyFont(*window, reinterpret_cast<HFONT>(wParam));
        return 0;
    case kWmGetFont:
        return reinterpret_cast<LRESULT>(window->font);
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}

LRESULT CALLBACK StaticProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return CommonControlMessage(handle, message, wParam, lParam);
}

LRESULT CALLBACK ButtonProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return CommonControlMessage(handle, message, wParam, lParam);
}

QWidget* CreateStatic(Window& window, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    const Qt::Alignment horizontal = (window.style & SS_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    return label;
}

// A click is reported to the parent's procedure as WM_COMMAND with BN_CLICKED, the button's id
// and its handle, as Win32 buttons do.
QWidget* CreatePushButton(Window& window, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    const HWND handle = window.handle;
    QObject::connect(button, &QPushButton::clicked, button, [handle] {
        Window* self = FindWindow(handle);
        if (!self) return;
        const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(self->id), kBnClicked);
        Deliver(self->parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(handle));
    });
    return button;
}

}  // namespace

bool SystemClassKind(const std::string& className, DWORD style, Kind& kind) {
    if (className == "static") {
        kind = Kind::Static;
        return true;
    }
    if (className == "button" && (style & kButtonTypeMask) == BS_PUSHBUTTON) {
        kind = Kind::PushButton;
        return true;
    }
    return false;
}

WNDPROC SystemProcedureFor(Kind kind) {
    switch (kind) {
    case Kind::Static:
        return StaticProc;
    case Kind::PushButton:
        return ButtonProc;
    default:
        return nullptr;
    }
}

QWidget* CreateControlWidget(Window& window, QWidget* parent) {
    QWidget* widget = window.kind == Kind::Static ? CreateStatic(window, parent) : CreatePushButton(window, parent);
    window.widget = widget;
    ShowText(window);
    return widget;
}

}  // namespace layer
