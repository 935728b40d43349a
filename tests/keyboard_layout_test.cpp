// The typed quiz's keyboard layouts in a real X server: a question activates the layout of the
// language the answer is typed in, found among the layouts the desktop configured.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "quiz/quiz.h"
#include "quiz/test_settings.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

int ActiveGroup() {
    Display* display = XOpenDisplay(nullptr);
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    XCloseDisplay(display);
    return state.group;
}

void LockGroup(int group) {
    Display* display = XOpenDisplay(nullptr);
    XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group));
    XCloseDisplay(display);
}

struct LayoutRow {
    const char* layouts;  // as the desktop configured them
    bool typed;
    std::int32_t direction;
    int group;  // the active group afterwards; the question starts from group 1
};

TEST(KeyboardLayout, TypedQuestionsActivateTheLayoutOfTheAnswer) {
    const LayoutRow rows[] = {
        {"us,ru", true, RussianToItalian, 0},  {"us,ru", true, ItalianToRussian, 1},
        {"ru,us", true, RussianToItalian, 1},  {"ru,de,us", true, RussianToItalian, 2},
        {"ru,de,us", true, ItalianToRussian, 0}, {"us,de", true, ItalianToRussian, 1},  // no Russian: unchanged
        {"us,ru", false, RussianToItalian, 1},  // a choice question leaves the layout alone
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

}  // namespace
