// SPDX-License-Identifier: GPL-3.0-or-later
// The predefined control classes ("Static", "Button", "Edit", the up-down control) and their
// system window procedures.
// A control's widget only shows what the procedure tells it; texts and fonts always arrive as
// messages, so a procedure that replaces the system one sees them first.
#include <QAccessibleWidget>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <climits>
#include <vector>

#include "platform/qt/layer.h"
#include "platform/qt/layer_probes.h"

namespace layer {
namespace {

constexpr DWORD kButtonTypeMask = 0x0000000F;

// Win32 statics and buttons take "\r\n" as a line break.
QString DisplayText(const std::string& text) { return FromAnsi(text).replace(QStringLiteral("\r\n"), "\n"); }

void ShowText(Window& window) {
    const QString text = DisplayText(window.text);
    if (auto* label = qobject_cast<QLabel*>(window.widget)) label->setText(text);
    if (auto* button = qobject_cast<QAbstractButton*>(window.widget)) button->setText(text);
    if (auto* group = qobject_cast<QGroupBox*>(window.widget)) group->setTitle(text);
    if (auto* edit = qobject_cast<QLineEdit*>(window.widget)) edit->setText(FromAnsi(window.text));
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

// Radio buttons keep their check mark as Win32 does: BM_SETCHECK sets only the button it is
// sent to; a click checks the button and clears the others in the same parent.
LRESULT CALLBACK ButtonProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindow(handle);
    auto* radio = window ? qobject_cast<QRadioButton*>(window->widget) : nullptr;
    if (radio && message == BM_SETCHECK) {
        radio->setAutoExclusive(false);
        radio->setChecked(wParam == BST_CHECKED);
        radio->setAutoExclusive(true);
        return 0;
    }
    if (radio && message == kBmGetCheck) return radio->isChecked() ? BST_CHECKED : 0;
    return CommonControlMessage(handle, message, wParam, lParam);
}

// ---- Edit --------------------------------------------------------------------------------
//
// A key press in an edit field reaches the field's window procedure as WM_KEYDOWN first; only
// when the message gets through to the system procedure does the field act on the key. So a
// procedure that replaces the field's sees every key before the field does.

struct PendingKey {
    HWND window;
    QKeyEvent* event;
};
std::vector<PendingKey> PendingKeys;  // nested: a procedure may run a message loop
QKeyEvent* KeyLetThrough = nullptr;

WPARAM VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab: return 0x09;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Delete: return 0x2E;
    default: return 0;
    }
}

// ES_NUMBER refuses typed characters other than 0 to 9 (other scripts' digits have no place in
// the field's Windows-1251 text), whether a key or an input method brings them; pasted or set
// texts are not filtered.
bool RefusedByNumberStyle(const Window& window, const QString& typed) {
    if (!(window.style & ES_NUMBER)) return false;
    for (QChar c : typed)
        if (c.isPrint() && (c < u'0' || c > u'9')) return true;
    return false;
}

class EditKeys : public QObject {
public:
    explicit EditKeys(HWND handle, QObject* parent) : QObject(parent), handle_(handle) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::InputMethod) {
            const Window* window = FindWindow(handle_);
            return window && RefusedByNumberStyle(*window, static_cast<QInputMethodEvent*>(event)->commitString());
        }
        if (event->type() != QEvent::KeyPress || event == KeyLetThrough) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        PendingKeys.push_back({handle_, key});
        const LPARAM lParam = 1 | static_cast<LPARAM>((key->nativeScanCode() & 0xFF) << 16);
        Deliver(handle_, WM_KEYDOWN, VirtualKeyOf(*key), lParam);
        PendingKeys.pop_back();
        return true;
    }

private:
    HWND handle_;
};

void ApplyPendingKey(Window& window) {
    if (PendingKeys.empty() || PendingKeys.back().window != window.handle) return;
    QKeyEvent* key = PendingKeys.back().event;
    PendingKeys.back().window = nullptr;  // applied once
    const QString text = TypedText(*key);
    if (!(key->modifiers() & Qt::ControlModifier) && RefusedByNumberStyle(window, text)) {
        QApplication::beep();
        return;
    }
    QKeyEvent typed(key->type(), key->key(), key->modifiers(), key->nativeScanCode(), key->nativeVirtualKey(),
                    key->nativeModifiers(), text, key->isAutoRepeat(), key->count());
    KeyLetThrough = &typed;
    QCoreApplication::sendEvent(window.widget, &typed);
    KeyLetThrough = nullptr;
}

LRESULT CALLBACK EditProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindow(handle);
    if (!window) return 0;
    auto* edit = static_cast<QLineEdit*>(window->widget);
    switch (message) {
    case WM_KEYDOWN:
        ApplyPendingKey(*window);
        return 0;
    case kWmGetText:
    case kWmGetTextLength:
        window->text = ToAnsi(edit->text());
        return DefWindowProcA(handle, message, wParam, lParam);
    default:
        return CommonControlMessage(handle, message, wParam, lParam);
    }
}

QWidget* CreateEdit(Window& window, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setAlignment((window.style & ES_CENTER) ? Qt::AlignCenter : Qt::AlignLeft);
    edit->setFrame((window.exStyle & WS_EX_CLIENTEDGE) || (window.style & WS_BORDER));
    edit->installEventFilter(new EditKeys(window.handle, edit));
    const HWND handle = window.handle;
    QObject::connect(edit, &QLineEdit::textChanged, edit, [handle] {
        Window* self = FindWindow(handle);
        if (!self) return;
        const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(self->id), kEnChange);
        Deliver(self->parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(handle));
    });
    return edit;
}

// ---- Up-down ----------------------------------------------------------------------------
//
// Each arrow click steps from the number the buddy shows now (or the last position, when it
// shows none), stays within the range without wrapping, writes the new position into the buddy
// (UDS_SETBUDDYINT) and reports it to the parent as WM_VSCROLL.

// The buddy's text as a number, where the whole text is one; else value stays as it was.
void ReadDecimal(const std::string& text, int& value) {
    int read = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, read);
    if (error == std::errc() && stop == end) value = read;
}

void StepUpDown(HWND handle, int delta) {
    Window* window = FindWindow(handle);
    if (!window) return;
    auto& state = window->upDown;
    char buffer[32] = "";
    int current = state.position;
    if (GetWindowTextA(state.buddy, buffer, sizeof buffer) > 0) ReadDecimal(buffer, current);
    const int low = std::min(state.lower, state.upper), high = std::max(state.lower, state.upper);
    const int step = state.upper >= state.lower ? delta : -delta;
    state.position = std::clamp(static_cast<int>(std::clamp<long long>(static_cast<long long>(current) + step,
                                                                         INT_MIN, INT_MAX)),
                                low, high);
    const int position = state.position;
    const HWND parent = window->parent;
    if (window->style & UDS_SETBUDDYINT) SetWindowTextA(state.buddy, std::to_string(position).c_str());
    Deliver(parent, kWmVScroll, MAKEWPARAM(kSbThumbPosition, position), reinterpret_cast<LPARAM>(handle));
}

// A screen reader names the arrows as Windows names those of its up-down control ("More", "Less"),
// in Russian as every other text of the program: what they do to the number, not their picture.
QToolButton* CreateArrow(QWidget* parent, Qt::ArrowType arrow, const QString& name, HWND handle, int delta) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAccessibleName(name);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, button, [handle, delta] { StepUpDown(handle, delta); });
    return button;
}

QWidget* CreateUpDown(Window& window, QWidget* parent) {
    auto* widget = new QWidget(parent);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateArrow(widget, Qt::UpArrow, QStringLiteral("Больше"), window.handle, +1));
    layout->addWidget(CreateArrow(widget, Qt::DownArrow, QStringLiteral("Меньше"), window.handle, -1));
    return widget;
}

LRESULT CALLBACK UpDownProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return CommonControlMessage(handle, message, wParam, lParam);
}

// ---- Static and push button -----------------------------------------------------------

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
void ReportClicks(QAbstractButton* button, HWND handle) {
    QObject::connect(button, &QPushButton::clicked, button, [handle] {
        Window* self = FindWindow(handle);
        if (!self) return;
        const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(self->id), kBnClicked);
        Deliver(self->parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(handle));
    });
}

QWidget* CreatePushButton(Window& window, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    ReportClicks(button, window.handle);
    return button;
}

// A Win32 button text marks its mnemonic with "&" and writes "&&" for an "&" itself.
QString WithoutMnemonic(QString text) {
    static const QRegularExpression marked(QStringLiteral("&(.)"));
    return text.replace(marked, QStringLiteral("\\1"));
}

// What assistive technology sees of a button: all that Qt's own interface shows and offers (name,
// states, key bindings, the focus action), but a press, or a radio button's toggle, is a click at
// once, which the program hears of as BN_CLICKED, as it does of UI Automation's invoke and toggle
// on Windows. (Qt's own press clicks only after 100 ms, and not at all where the focus moves
// meanwhile; its toggle checks a radio button behind the program's back.)
class AccessibleButton : public QAccessibleWidget {
public:
    explicit AccessibleButton(QAbstractButton* button)
        : QAccessibleWidget(button, qobject_cast<QRadioButton*>(button) ? QAccessible::RadioButton
                                                                         : QAccessible::PushButton) {}
    QString text(QAccessible::Text kind) const override {
        QString text;
        if (kind == QAccessible::Name) text = Button()->accessibleName();
        if (kind == QAccessible::Name && text.isEmpty()) text = WithoutMnemonic(Button()->text());
        if (kind == QAccessible::Accelerator)
            text = IsDefault() ? QKeySequence(Qt::Key_Enter).toString(QKeySequence::NativeText)
                               : QKeySequence::mnemonic(Button()->text()).toString(QKeySequence::NativeText);
        return text.isEmpty() ? QAccessibleWidget::text(kind) : text;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = Button()->isCheckable();
        state.checked = Button()->isChecked();
        state.pressed = Button()->isDown();
        state.defaultButton = IsDefault();
        return state;
    }
    QStringList actionNames() const override {
        QStringList names;
        if (Button()->isEnabled()) names = ClickActions();
        return names + QAccessibleWidget::actionNames();  // the focus action
    }
    void doAction(const QString& action) override {
        if (!Button()->isEnabled()) return;
        if (ClickActions().contains(action))
            Button()->click();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction() ? QStringList{Button()->shortcut().toString()} : QStringList{};
    }

private:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
    QStringList ClickActions() const {
        return Button()->isCheckable() ? QStringList{toggleAction(), pressAction()} : QStringList{pressAction()};
    }
    bool IsDefault() const {
        auto* push = qobject_cast<QPushButton*>(widget());
        return push && push->isDefault();
    }
};

QWidget* CreateRadioButton(Window& window, QWidget* parent) {
    auto* radio = new QRadioButton(parent);
    radio->setAutoExclusive(true);
    ReportClicks(radio, window.handle);
    return radio;
}

QWidget* CreateGroupBox(Window&, QWidget* parent) { return new QGroupBox(parent); }

}  // namespace

// Push and radio buttons; the up-down's arrows (tool buttons) keep Qt's, as they repeat.
QAccessibleInterface* AccessibleControl(const QString&, QObject* object) {
    auto* button = qobject_cast<QAbstractButton*>(object);
    const bool ours = qobject_cast<QPushButton*>(object) || qobject_cast<QRadioButton*>(object);
    return ours ? new AccessibleButton(button) : nullptr;
}

bool SystemClassKind(const std::string& className, DWORD style, Kind& kind) {
    if (className == "static") {
        kind = Kind::Static;
        return true;
    }
    if (className == "button") {
        switch (style & kButtonTypeMask) {
        case BS_PUSHBUTTON: kind = Kind::PushButton; return true;
        case BS_GROUPBOX: kind = Kind::GroupBox; return true;
        case BS_AUTORADIOBUTTON: kind = Kind::RadioButton; return true;
        default: return false;
        }
    }
    if (className == "edit") {
        kind = Kind::Edit;
        return true;
    }
    if (className == "msctls_updown32") {
        kind = Kind::UpDown;
        return true;
    }
    return false;
}

WNDPROC SystemProcedureFor(Kind kind) {
    switch (kind) {
    case Kind::Static:
        return StaticProc;
    case Kind::PushButton:
    case Kind::GroupBox:
    case Kind::RadioButton:
        return ButtonProc;
    case Kind::Edit:
        return EditProc;
    case Kind::UpDown:
        return UpDownProc;
    default:
        return nullptr;
    }
}

QWidget* CreateControlWidget(Window& window, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (window.kind) {
    case Kind::Static: widget = CreateStatic(window, parent); break;
    case Kind::Edit: widget = CreateEdit(window, parent); break;
    case Kind::UpDown: widget = CreateUpDown(window, parent); break;
    case Kind::GroupBox: widget = CreateGroupBox(window, parent); break;
    case Kind::RadioButton: widget = CreateRadioButton(window, parent); break;
    default: widget = CreatePushButton(window, parent); break;
    }
    window.widget = widget;
    ShowText(window);
    return widget;
}

std::size_t PendingKeyCount() { return PendingKeys.size(); }

}  // namespace layer

using namespace layer;

HWND WINAPI CreateUpDownControl(DWORD style, int x, int y, int width, int height, HWND parent, int id,
                                HINSTANCE instance, HWND buddy, int upper, int lower, int position) {
    const HWND handle = CreateWindowExA(0, "msctls_updown32", "", style, x, y, width, height, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    Window* window = FindWindow(handle);
    if (!window) return nullptr;
    window->upDown = {FindWindow(buddy) ? buddy : nullptr, lower, upper, position};
    Window* buddyWindow = FindWindow(buddy);
    if (buddyWindow && (style & UDS_ALIGNRIGHT)) {
        // Against the buddy's right edge, as high as the buddy, which gives up that width.
        const QRect field = buddyWindow->widget->geometry();
        window->widget->setGeometry(field.right() + 1 - width, field.y(), width, field.height());
        buddyWindow->widget->resize(std::max(0, field.width() - width), field.height());
    }
    if (buddyWindow && (style & UDS_SETBUDDYINT)) SetWindowTextA(buddy, std::to_string(position).c_str());
    return handle;
}
