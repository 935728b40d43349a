// LoadKeyboardLayoutA in a real X server: the layout of the language becomes the active XKB
// group when the desktop has it, and nothing changes when it has not.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win32.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

// The active group, read over a connection of the test's own.
int ActiveGroup() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return -1;
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    XCloseDisplay(display);
    return state.group;
}

TEST(KeyboardLayout, ActivatesTheGroupOfTheLanguage) {
    ASSERT_EQ(std::system("setxkbmap -layout us,ru"), 0);
    EXPECT_NE(LoadKeyboardLayoutA("00000419", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 1);
    EXPECT_NE(LoadKeyboardLayoutA("00000409", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 0);
    EXPECT_NE(LoadKeyboardLayoutA("00000419", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 1);
}

TEST(KeyboardLayout, FollowsTheOrderTheDesktopConfigured) {
    ASSERT_EQ(std::system("setxkbmap -layout ru,de,us"), 0);
    EXPECT_NE(LoadKeyboardLayoutA("00000409", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 2);
    EXPECT_NE(LoadKeyboardLayoutA("00000419", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 0);
}

TEST(KeyboardLayout, LayoutTheDesktopLacksChangesNothing) {
    ASSERT_EQ(std::system("setxkbmap -layout us,de"), 0);
    EXPECT_EQ(LoadKeyboardLayoutA("00000407", KLF_ACTIVATE), nullptr) << "German is not one the program uses";
    ASSERT_EQ(std::system("setxkbmap -layout de,us"), 0);
    EXPECT_NE(LoadKeyboardLayoutA("00000409", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 1);
    EXPECT_EQ(LoadKeyboardLayoutA("00000419", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 1);
    EXPECT_EQ(LoadKeyboardLayoutA("bogus", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(LoadKeyboardLayoutA(nullptr, KLF_ACTIVATE), nullptr);
}

}  // namespace
