// LoadKeyboardLayoutA with KLF_ACTIVATE: on X11 the layout of that language becomes the active
// XKB group, provided the desktop has it among its configured layouts. Elsewhere, and for a
// layout the desktop lacks, nothing changes and the result is 0.
//
// On Windows the layout a thread activates applies to that thread's windows only; the XKB group
// is the whole desktop's. So the program's group is on only while the program's windows have the
// keyboard focus: the group the user had is remembered when the program's goes on, and given back
// when the focus leaves the program and when the process ends. A group the learner picks by hand
// inside the program stays the program's, as it would on Windows.
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
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
    const char* xkbName;
};
constexpr KnownLayout kLayouts[] = {{"00000419", "ru"}, {"00000409", "us"}};

std::string LastRequest;

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
    const char* field = reinterpret_cast<const char*>(data);
    const char* end = field + count;
    for (int i = 0; i < 2 && field < end; ++i) field += std::strlen(field) + 1;  // skip rules, model
    std::string list = field < end ? std::string(field) : std::string();
    XFree(data);
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        layouts.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return layouts;
}

int GroupOf(Display* display, const char* xkbName) {
    const std::vector<std::string> layouts = ConfiguredLayouts(display);
    for (std::size_t group = 0; group < layouts.size() && group < XkbNumKbdGroups; ++group)
        if (layouts[group] == xkbName) return static_cast<int>(group);
    return -1;
}

int ProgramGroup = -1;  // the group the program's windows type in; -1 before the first switch
int UserGroup = 0;      // the group to give back, while the program's is on
bool ProgramGroupOn = false;

int ActiveGroup(Display* display) {
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    return state.group;
}

void LockGroup(Display* display, int group) {
    XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group));
    XSync(display, False);  // in force when the call returns, also right before the process ends
}

void PutOnProgramGroup() {
    Display* display = X11Display();
    if (!display || ProgramGroup < 0) return;
    if (!ProgramGroupOn) UserGroup = ActiveGroup(display);
    ProgramGroupOn = true;
    LockGroup(display, ProgramGroup);
}

void FollowFocus(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive)
        PutOnProgramGroup();
    else
        GiveBackKeyboardLayout();
}

}  // namespace

std::string LastKeyboardLayoutRequest() { return LastRequest; }

void GiveBackKeyboardLayout() {
    Display* display = X11Display();
    if (!display || !ProgramGroupOn) return;
    ProgramGroup = ActiveGroup(display);
    ProgramGroupOn = false;
    LockGroup(display, UserGroup);
}

}  // namespace layer

HKL WINAPI LoadKeyboardLayoutA(LPCSTR layoutId, UINT flags) {
    if (!layoutId) return nullptr;
    layer::LastRequest = layoutId;
    layer::EnsureApplication();
    const layer::KnownLayout* known = nullptr;
    for (const auto& layout : layer::kLayouts)
        if (std::strcmp(layout.id, layoutId) == 0) known = &layout;
    Display* display = known ? layer::X11Display() : nullptr;
    const int group = display ? layer::GroupOf(display, known->xkbName) : -1;
    if (group < 0) return nullptr;
    if (flags & KLF_ACTIVATE) {
        if (layer::ProgramGroup < 0)
            QObject::connect(qApp, &QGuiApplication::applicationStateChanged, layer::FollowFocus);
        layer::ProgramGroup = group;
        if (QGuiApplication::applicationState() == Qt::ApplicationActive) layer::PutOnProgramGroup();
    }
    return reinterpret_cast<HKL>(static_cast<UINT_PTR>(std::strtoul(layoutId, nullptr, 16)));
}
