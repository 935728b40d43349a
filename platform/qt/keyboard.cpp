// SPDX-License-Identifier: GPL-3.0-or-later
// LoadKeyboardLayoutA with KLF_ACTIVATE: the program's edit fields type in the layout of that
// language. Where the desktop lets the program switch its layout and has that one among its
// configured layouts, the desktop's current layout is switched, so that its own indicator shows
// it: through Plasma's keyboard service where it answers on the session bus (Plasma on X11 or on
// Wayland), else, in an X11 session, by locking the X server's XKB group. Elsewhere (GNOME and
// other Wayland compositors, which let no program switch the layout and own XWayland's keyboard
// too; a desktop that lacks the layout) the fields type in the program's own layout: each key
// gives the character that XKB's layout of that name puts at its place (xkb_layouts.cpp).
//
// On Windows the layout a thread activates applies to that thread's windows only; a desktop's
// layout is the whole desktop's. So the program's layout is on only while the program's windows
// have the keyboard focus: the layout the user had is remembered when the program's goes on, and
// given back when the focus leaves the program and when the process ends. A layout the learner
// picks by hand inside the program stays the program's, as it would on Windows.
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QKeyEvent>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/layer.h"

// Xlib's macros (None, Bool, Status) clash with Qt's names, so Xlib comes last.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace layer {
namespace {

struct KnownLayout {
    const char* id;
    const char* shortName;  // XKB's name of the layout, which Plasma lists as its short name
};
constexpr KnownLayout kLayouts[] = {{"00000419", "ru"}, {"00000409", "us"}};

// The desktop's keyboard: its configured layouts by index, and the current one.
struct Keyboard {
    int (*indexOf)(const char* shortName);  // -1 where the desktop lacks the layout
    int (*current)();
    void (*makeCurrent)(int index);
};

// ---- X11: the layouts are the groups of the X server's keyboard --------------------------------

Display* X11Display() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// The layouts the desktop configured, in group order ("us,ru" gives us, ru), from the root
// window's _XKB_RULES_NAMES: rules, model, layout, variant, options.
std::vector<std::string> ConfiguredLayouts(Display* display) {
    std::vector<std::string> layouts;
    const Atom names = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (names == None) return layouts;
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), names, 0, 1024, False, XA_STRING, &type, &format,
                           &count, &remaining, &data) != Success || !data)
        return layouts;
    const std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);  // freed however this returns
    const char* field = reinterpret_cast<const char*>(data);
    const char* end = field + count;
    for (int i = 0; i < 2 && field < end; ++i) field += std::strlen(field) + 1;  // skip rules, model
    std::string list = field < end ? std::string(field) : std::string();
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        layouts.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return layouts;
}

int XkbIndexOf(const char* shortName) {
    const std::vector<std::string> layouts = ConfiguredLayouts(X11Display());
    for (std::size_t group = 0; group < layouts.size() && group < XkbNumKbdGroups; ++group)
        if (layouts[group] == shortName) return static_cast<int>(group);
    return -1;
}

int XkbCurrent() {
    XkbStateRec state{};
    XkbGetState(X11Display(), XkbUseCoreKbd, &state);
    return state.group;
}

void XkbMakeCurrent(int group) {
    XkbLockGroup(X11Display(), XkbUseCoreKbd, static_cast<unsigned>(group));
    XSync(X11Display(), False);  // in force when the call returns, also right before the process ends
}

constexpr Keyboard kXkb{XkbIndexOf, XkbCurrent, XkbMakeCurrent};

// ---- Plasma's keyboard service, on X11 and on Wayland -------------------------------------------

// A service that hangs holds up the interface no longer than this, and is not asked again.
constexpr int kPlasmaTimeout = 200;  // milliseconds
bool PlasmaFailed = false;

QDBusMessage AskPlasma(const char* method, const QVariantList& arguments = {}) {
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.kde.keyboard", "/Layouts", "org.kde.KeyboardLayouts", method);
    call.setArguments(arguments);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kPlasmaTimeout);
    if (reply.type() != QDBusMessage::ReplyMessage) PlasmaFailed = true;
    return reply;
}

// getLayoutsList gives (short name, display name, long name) for each layout, in index order.
int PlasmaIndexOf(const char* shortName) {
    const auto list = AskPlasma("getLayoutsList").arguments().value(0).value<QDBusArgument>();
    if (list.currentSignature() != "a(sss)") return -1;
    int found = -1;
    list.beginArray();
    for (int index = 0; !list.atEnd(); ++index) {
        QString name, displayName, longName;
        list.beginStructure();
        list >> name >> displayName >> longName;
        list.endStructure();
        if (found < 0 && name == QLatin1String(shortName)) found = index;
    }
    list.endArray();
    return found;
}

int PlasmaCurrent() { return AskPlasma("getLayout").arguments().value(0).toInt(); }

void PlasmaMakeCurrent(int index) { AskPlasma("setLayout", {QVariant::fromValue(static_cast<uint>(index))}); }

constexpr Keyboard kPlasma{PlasmaIndexOf, PlasmaCurrent, PlasmaMakeCurrent};

// Plasma's switching policy, SwitchMode in kxkbrc: "Global" (one layout for the desktop, the
// default), or "Desktop", "WinClass", "Window", under which Plasma keeps a layout for each virtual
// desktop, application or window and puts it back itself when the user turns to it.
bool PlasmaKeepsLayoutsApart() {
    static const bool apart = [] {
        const char* configured = std::getenv("XDG_CONFIG_HOME");
        const char* home = std::getenv("HOME");
        const std::string folder = configured && *configured == '/' ? configured
                                   : home                          ? std::string(home) + "/.config"
                                                                   : std::string();
        std::ifstream file(folder + "/kxkbrc");
        std::string section, line, mode = "Global";
        while (std::getline(file, line)) {
            if (line.rfind('[', 0) == 0) section = line;
            if (section == "[Layout]" && line.rfind("SwitchMode=", 0) == 0) mode = line.substr(11);
        }
        return mode == "Desktop" || mode == "WinClass" || mode == "Window";
    }();
    return apart;
}

// Looked for once: a desktop without the service costs nothing after the first call.
bool PlasmaAnswers() {
    static const bool present = [] {
        auto ask = QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                  "org.freedesktop.DBus", "NameHasOwner");
        ask << QStringLiteral("org.kde.keyboard");
        const QDBusMessage reply = QDBusConnection::sessionBus().call(ask, QDBus::Block, kPlasmaTimeout);
        return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
    }();
    return present && !PlasmaFailed;
}

// Under a Wayland compositor the program's X server is XWayland, to which the compositor gives its
// own layout again at the next modifier or focus change: a group locked there would hold only
// until then, so it is never locked.
bool UnderWaylandCompositor() {
    const char* session = std::getenv("WAYLAND_DISPLAY");
    return session && *session;
}

// The keyboard of the desktop that shows the program's windows, where the program may switch its
// layout.
const Keyboard* DesktopKeyboard() {
    if (!OnDesktop()) return nullptr;
    if (PlasmaAnswers()) return &kPlasma;
    return X11Display() && !UnderWaylandCompositor() ? &kXkb : nullptr;
}

// The index of the layout in the desktop's keyboard, where the program may switch to it; -1 where
// the program types in it itself. Where Plasma's service fails, the X server's keyboard is asked.
int DesktopIndexOf(const KnownLayout& layout, const Keyboard*& keyboard) {
    keyboard = DesktopKeyboard();
    int index = keyboard ? keyboard->indexOf(layout.shortName) : -1;
    if (index < 0 && keyboard == &kPlasma && PlasmaFailed) {
        keyboard = DesktopKeyboard();
        index = keyboard ? keyboard->indexOf(layout.shortName) : -1;
    }
    return index;
}

// ---- The program's own layout, where the desktop's cannot be switched ---------------------------

const char* OwnLayout = nullptr;  // the XKB name of the layout the fields type in themselves, or 0

// The X11 and Wayland platforms give a key's XKB key code as its native scan code, and the
// modifiers of the core protocol as its native modifiers, Caps Lock (Lock) among them.
constexpr quint32 kLockMask = 1 << 1;

// ---- The program's layout, on while its windows have the focus ---------------------------------

int ProgramLayout = -1;  // the desktop's layout the program's windows type in; -1 for none
int UserLayout = 0;      // the layout to give back, while the program's is on
bool ProgramLayoutOn = false;

// Where Plasma keeps each window's layout, it puts the other windows' back itself: the program
// then only puts its own on, and has nothing to give back.
void PutOnProgramLayout() {
    const Keyboard* keyboard = DesktopKeyboard();
    if (!keyboard || ProgramLayout < 0) return;
    const bool givesBack = keyboard != &kPlasma || !PlasmaKeepsLayoutsApart();
    if (givesBack && !ProgramLayoutOn) UserLayout = keyboard->current();
    ProgramLayoutOn = givesBack;
    keyboard->makeCurrent(ProgramLayout);
}

void FollowFocus(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive)
        PutOnProgramLayout();
    else
        GiveBackKeyboardLayout();
}

}  // namespace

void GiveBackKeyboardLayout() {
    const Keyboard* keyboard = ProgramLayoutOn ? DesktopKeyboard() : nullptr;
    if (!keyboard) return;
    ProgramLayout = keyboard->current();
    ProgramLayoutOn = false;
    keyboard->makeCurrent(UserLayout);
}

QString TypedText(const QKeyEvent& key) {
    const auto commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!OwnLayout || key.text().isEmpty() || !key.text().at(0).isPrint() || (key.modifiers() & commands))
        return key.text();
    const QString typed = LayoutKeyText(OwnLayout, key.nativeScanCode(), key.modifiers() & Qt::ShiftModifier,
                                        key.nativeModifiers() & kLockMask);
    return typed.isEmpty() ? key.text() : typed;
}

}  // namespace layer

HKL WINAPI LoadKeyboardLayoutA(LPCSTR layoutId, UINT flags) {
    if (!layoutId) return nullptr;
    layer::EnsureApplication();
    const layer::KnownLayout* known = nullptr;
    for (const auto& layout : layer::kLayouts)
        if (std::strcmp(layout.id, layoutId) == 0) known = &layout;
    if (!known) return nullptr;
    const layer::Keyboard* keyboard = nullptr;
    const int index = layer::DesktopIndexOf(*known, keyboard);
    if (index < 0 && !layer::LayoutCompiles(known->shortName)) return nullptr;
    if (flags & KLF_ACTIVATE) {
        [[maybe_unused]] static const auto following =  // from the first switch on, once
            QObject::connect(qApp, &QGuiApplication::applicationStateChanged, layer::FollowFocus);
        layer::OwnLayout = index < 0 ? known->shortName : nullptr;
        if (index < 0) layer::GiveBackKeyboardLayout();  // the desktop's is the learner's again
        layer::ProgramLayout = index;
        if (index >= 0 && QGuiApplication::applicationState() == Qt::ApplicationActive) layer::PutOnProgramLayout();
    }
    return reinterpret_cast<HKL>(static_cast<UINT_PTR>(std::strtoul(layoutId, nullptr, 16)));
}
