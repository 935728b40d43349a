// LoadKeyboardLayoutA with KLF_ACTIVATE: on X11 the layout of that language becomes the active
// XKB group, provided the desktop has it among its configured layouts. Elsewhere, and for a
// layout the desktop lacks, nothing changes and the result is 0.
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

}  // namespace

std::string LastKeyboardLayoutRequest() { return LastRequest; }

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
        XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group));
        XFlush(display);
    }
    return reinterpret_cast<HKL>(static_cast<UINT_PTR>(std::strtoul(layoutId, nullptr, 16)));
}
