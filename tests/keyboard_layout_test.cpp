// The typed quiz's keyboard layouts in a real X server: a question activates the layout of the
// language its answer is typed in, among those the desktop configured, only while the program
// has the keyboard focus. Then Plasma's keyboard service, played by a stand-in.
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

#include "app/app.h"
#include "app/start_up.h"
#include "platform/qt/layer.h"
#include "platform/qt/test_hooks.h"
#include "quiz/quiz.h"
#include "quiz/test_settings.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

Display* Own() {  // the test's own connection
    static Display* display = XOpenDisplay(nullptr);
    return display;
}

int ActiveGroup() {
    XkbStateRec state{};
    XkbGetState(Own(), XkbUseCoreKbd, &state);
    return state.group;
}

void LockGroup(int group) {
    XkbLockGroup(Own(), XkbUseCoreKbd, static_cast<unsigned>(group));
    XSync(Own(), False);
}

// Lets the program handle its events until the condition holds, for at most 5 s.
bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 500 && !condition(); ++i) {
        layer::ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// The keyboard focus to a window, as a window manager gives it, until the program knows.
bool FocusOn(Window window, bool programsWindow) {
    XWindowAttributes attributes{};
    if (!Eventually([&] { return XGetWindowAttributes(Own(), window, &attributes) && attributes.map_state == IsViewable; }))
        return false;
    XSetInputFocus(Own(), window, RevertToNone, CurrentTime);
    XSync(Own(), False);
    return Eventually([&] { return (QGuiApplication::applicationState() == Qt::ApplicationActive) == programsWindow; });
}

Window ProgramWindow() { return layer::WidgetOf(MainWindow)->winId(); }

Window OtherProgramsWindow() {
    static const Window window = XCreateSimpleWindow(Own(), DefaultRootWindow(Own()), 400, 0, 100, 100, 0, 0, 0);
    XMapWindow(Own(), window);
    return window;
}

class KeyboardLayout : public testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow();
        ASSERT_TRUE(FocusOn(ProgramWindow(), true));
    }
};

struct LayoutRow {
    const char* layouts;  // as the desktop configured them
    bool typed;
    std::int32_t direction;
    int group;  // the active group afterwards; each question starts from group 1
};

TEST_F(KeyboardLayout, TypedQuestionsActivateTheLayoutOfTheAnswer) {
    const LayoutRow rows[] = {
        {"us,ru", true, RussianToItalian, 0},     {"us,ru", true, ItalianToRussian, 1},
        {"ru,us", true, RussianToItalian, 1},     {"ru,de,us", true, RussianToItalian, 2},
        {"ru,de,us", true, ItalianToRussian, 0},  {"us,de", true, ItalianToRussian, 1},  // no Russian: unchanged
        {"us,ru", false, RussianToItalian, 1},    // a choice question leaves the layout alone
    };
    for (const LayoutRow& row : rows) {
        SCOPED_TRACE(std::string(row.layouts) + (row.typed ? " typed " : " choice ") + std::to_string(row.direction));
        ASSERT_EQ(std::system((std::string("setxkbmap -layout ") + row.layouts).c_str()), 0);
        LockGroup(1);
        Direction = row.direction;
        row.typed ? NextTypedQuestion() : NextChoiceQuestion();
        EXPECT_EQ(ActiveGroup(), row.group);
    }
}

// As on Windows, where a layout applies to the windows of the thread that activated it.
TEST_F(KeyboardLayout, TheProgramsLayoutIsOnOnlyWhileItHasTheFocus) {
    ASSERT_EQ(std::system("setxkbmap -layout us,ru"), 0);
    ASSERT_TRUE(FocusOn(OtherProgramsWindow(), false));
    LockGroup(1);  // the learner types Russian in another program
    ASSERT_TRUE(FocusOn(ProgramWindow(), true));
    Direction = RussianToItalian;
    NextTypedQuestion();
    EXPECT_EQ(ActiveGroup(), 0);
    ASSERT_TRUE(FocusOn(OtherProgramsWindow(), false));
    EXPECT_EQ(ActiveGroup(), 1) << "given back when the focus leaves the program";
    ASSERT_TRUE(FocusOn(ProgramWindow(), true));
    EXPECT_EQ(ActiveGroup(), 0) << "on again when the focus comes back";
}

// ---- Plasma's keyboard service ----------------------------------------------------------------

QDBusMessage StandIn(const char* method, const QVariantList& arguments = {}) {
    auto call = QDBusMessage::createMethodCall("org.kde.keyboard", "/Layouts", "org.vocarta.StandIn", method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
}

struct PlasmaRow {
    QStringList layouts;  // short names, in index order
    uint usersIndex;
    std::int32_t direction;
    QList<uint> setLayoutCalls;  // the program's index, then at the exit the user's; none if lacking
};

TEST_F(KeyboardLayout, PlasmaSwitchesToTheLayoutOfThatShortNameAndGivesTheUsersBackAtTheExit) {
    const PlasmaRow rows[] = {
        {{"us", "ru"}, 1, RussianToItalian, {0, 1}},
        {{"de", "us", "ru"}, 0, ItalianToRussian, {2, 0}},
        {{"us", "de"}, 1, ItalianToRussian, {}},
    };
    ASSERT_TRUE(Eventually([] { return StandIn("setLayoutCalls").type() == QDBusMessage::ReplyMessage; }));
    for (const PlasmaRow& row : rows) {
        SCOPED_TRACE(row.layouts.join(",").toStdString());
        StandIn("configure", {row.layouts, row.usersIndex});
        Direction = row.direction;
        NextTypedQuestion();
        layer::GiveBackKeyboardLayout();  // what ExitProcess does first
        EXPECT_EQ(qdbus_cast<QList<uint>>(StandIn("setLayoutCalls").arguments().value(0)), row.setLayoutCalls);
    }
}

}  // namespace
