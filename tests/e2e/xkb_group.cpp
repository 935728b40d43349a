// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the keyboard's active XKB group (0 for the first configured layout);
// with an argument N, makes group N the active one instead.
#include <X11/XKBlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    XkbStateRec state{};
    if (argc > 1) XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(std::atoi(argv[1])));
    else if (XkbGetState(display, XkbUseCoreKbd, &state) == Success) std::printf("%d\n", state.group);
    XCloseDisplay(display);
    return 0;
}
