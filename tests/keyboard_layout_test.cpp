// LoadKeyboardLayoutA in a real X server: the layout of the language becomes the active XKB
// group when the desktop has it, and nothing changes when it has not; the program's group is on
// only while the program's window has the keyboard focus. Run again with a stand-in of Plasma's
// keyboard service on the session bus (tests/plasma_keyboard.py), it switches through that.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QGuiApplication>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "platform/qt/inspect.h"
#include "platform/qt/layer.h"
#include "platform/win32.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

Display* TestDisplay() {  // a connection of the test's own
    static Display* display = XOpenDisplay(nullptr);
    return display;
}

int ActiveGroup() {
    XkbStateRec state{};
    XkbGetState(TestDisplay(), XkbUseCoreKbd, &state);
    return state.group;
}

// Lets the program handle its events until the condition holds, for at most 5 s.
bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 500 && !condition(); ++i) {
        layer::ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

bool Shown(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(TestDisplay(), window, &attributes) && attributes.map_state == IsViewable;
}

// The keyboard focus to the window, as a window manager gives it; true once the program knows.
bool Focus(Window window, Qt::ApplicationState programState) {
    if (!Eventually([&] { return Shown(window); })) return false;
    XSetInputFocus(TestDisplay(), window, RevertToNone, CurrentTime);
    XSync(TestDisplay(), False);
    return Eventually([&] { return QGuiApplication::applicationState() == programState; });
}

Window ProgramWindow() {
    static const HWND handle = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "KeyboardTest";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, "KeyboardTest", "", WS_VISIBLE | WS_CAPTION, 0, 0, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
    }();
    return layer::WidgetOf(handle)->winId();
}

Window OtherProgramsWindow() {
    static const Window window = [] {
        const Window created = XCreateSimpleWindow(TestDisplay(), DefaultRootWindow(TestDisplay()), 300, 0, 100, 100,
                                                   0, 0, 0);
        XMapWindow(TestDisplay(), created);
        return created;
    }();
    return window;
}

class KeyboardLayout : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Focus(ProgramWindow(), Qt::ApplicationActive)); }
};

TEST_F(KeyboardLayout, ActivatesTheGroupOfTheLanguage) {
    ASSERT_EQ(std::system("setxkbmap -layout us,ru"), 0);
    EXPECT_NE(LoadKeyboardLayoutA("00000419", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 1);
    EXPECT_NE(LoadKeyboardLayoutA("00000409", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 0);
    EXPECT_NE(LoadKeyboardLayoutA("00000419", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 1);
}

TEST_F(KeyboardLayout, FollowsTheOrderTheDesktopConfigured) {
    ASSERT_EQ(std::system("setxkbmap -layout ru,de,us"), 0);
    EXPECT_NE(LoadKeyboardLayoutA("00000409", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 2);
    EXPECT_NE(LoadKeyboardLayoutA("00000419", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 0);
}

TEST_F(KeyboardLayout, LayoutTheDesktopLacksChangesNothing) {
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

// As on Windows, where a layout applies to the windows of the thread that activated it.
TEST_F(KeyboardLayout, TheProgramsGroupIsOnOnlyWhileItsWindowHasTheFocus) {
    ASSERT_TRUE(Focus(OtherProgramsWindow(), Qt::ApplicationInactive));
    ASSERT_EQ(std::system("setxkbmap -layout us,ru"), 0);
    XkbLockGroup(TestDisplay(), XkbUseCoreKbd, 1);  // the user types Russian in the other program
    ASSERT_TRUE(Focus(ProgramWindow(), Qt::ApplicationActive));
    EXPECT_NE(LoadKeyboardLayoutA("00000409", KLF_ACTIVATE), nullptr);
    EXPECT_EQ(ActiveGroup(), 0);
    ASSERT_TRUE(Focus(OtherProgramsWindow(), Qt::ApplicationInactive));
    EXPECT_EQ(ActiveGroup(), 1) << "the user's group is given back when the focus leaves the program";
    ASSERT_TRUE(Focus(ProgramWindow(), Qt::ApplicationActive));
    EXPECT_EQ(ActiveGroup(), 0) << "the program's group is on again when the focus comes back";
}

// ---- Plasma's keyboard service --------------------------------------------------------------

QDBusMessage StandIn(const char* method, const QVariantList& arguments = {}) {
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.kde.keyboard", "/Layouts", "org.vocarta.StandIn", method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
}

struct PlasmaCase {
    const char* name;
    QStringList layouts;  // short names, in index order
    uint usersIndex;
    const char* layoutId;
    QList<uint> setLayoutCalls;  // the program's index, then the user's given back; none if lacking
};
void PrintTo(const PlasmaCase& row, std::ostream* out) { *out << row.name; }

class PlasmaKeyboard : public KeyboardLayout, public testing::WithParamInterface<PlasmaCase> {
protected:
    void SetUp() override {
        KeyboardLayout::SetUp();
        ASSERT_TRUE(Eventually([] { return StandIn("setLayoutCalls").type() == QDBusMessage::ReplyMessage; }));
    }
};

TEST_P(PlasmaKeyboard, SwitchesToTheLayoutOfThatShortNameAndGivesTheUsersBackAtExit) {
    StandIn("configure", {GetParam().layouts, GetParam().usersIndex});
    EXPECT_EQ(LoadKeyboardLayoutA(GetParam().layoutId, KLF_ACTIVATE) != nullptr,
              !GetParam().setLayoutCalls.isEmpty());
    layer::GiveBackKeyboardLayout();  // what ExitProcess does first
    EXPECT_EQ(qdbus_cast<QList<uint>>(StandIn("setLayoutCalls").arguments().value(0)), GetParam().setLayoutCalls);
}

// A question shown in Russian asks for "00000409", one shown in Italian for "00000419".
INSTANTIATE_TEST_SUITE_P(
    KeyboardLayout, PlasmaKeyboard,
    testing::Values(PlasmaCase{"UsForARussianQuestion", {"us", "ru"}, 1, "00000409", {0, 1}},
                    PlasmaCase{"RuForAnItalianQuestion", {"de", "us", "ru"}, 0, "00000419", {2, 0}},
                    PlasmaCase{"ALayoutTheDesktopLacks", {"us", "de"}, 1, "00000419", {}}),
    [](const testing::TestParamInfo<PlasmaCase>& info) { return std::string(info.param.name); });

}  // namespace
