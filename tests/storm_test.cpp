// SPDX-License-Identifier: GPL-3.0-or-later
// Endurance: 20,000 random inputs from a fixed seed over every screen, more of them while message
// boxes are up (boxes under boxes, three deep): clicks on random points of random controls, keys
// for the focus or a box, timer ticks. Afterwards a stop must lead back to a working main menu.

#include <QKeyEvent>
#include <random>
#include <set>

#include "tests/support.h"

namespace {

constexpr int kInputs = 20000;
constexpr int kDeepestBox = 3;

std::mt19937 Random{20260607};
int Inputs = 0, BoxesSeen = 0;
std::set<HWND*> ScreensReached;  // each screen by a control only it has

int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Random); }

void RandomInput(int depth) {
    const int kind = Below(10);
    if (kind < 5) {
        QList<QWidget*> targets{layer::WidgetOf(MainWindow)};
        for (QWidget* child : targets[0]->findChildren<QWidget*>())
            if (child->isVisible()) targets.append(child);
        QWidget* target = targets.at(Below(static_cast<int>(targets.size())));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(Below(target->width() + 1), Below(target->height() + 1)));
    } else if (kind < 8) {
        static const char* const kTexts[] = {"0", "2", "9", "a", "è", "ж", "Я", "-", " ", "✓"};
        static const Qt::Key kKeys[] = {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Space,
                                        Qt::Key_Backspace, Qt::Key_Up, Qt::Key_Down, Qt::Key_V};
        QWidget* target = depth > 0 && Below(4) == 0 ? BoxUp() : QApplication::focusWidget();
        if (!target) target = layer::WidgetOf(MainWindow);
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(kTexts[Below(10)]));
        if (Below(2) == 0) QApplication::sendEvent(target, &typed);
        else QTest::keyClick(target, kKeys[Below(8)], Below(4) ? Qt::NoModifier : Qt::ControlModifier);
    } else {
        Tick(MainWindow);
    }
    layer::ProcessPendingEvents();
}

void Input(int depth) {
    if (Inputs++ >= kInputs) return;
    BoxesSeen += static_cast<int>(Boxes([&] { RandomInput(depth); }, [&] {
                                      for (int i = Below(5); i > 0 && depth < kDeepestBox; --i) Input(depth + 1);
                                  }).size());
    for (HWND* only : {&AboutText, &DisplayTimeEdit, &WordLine, &TestStartButton, &ChoiceButton1, &AnswerEdit})
        if (layer::WidgetOf(*only)) ScreensReached.insert(only);
}

TEST(Endurance, RandomInputStormLeavesAWorkingMainMenu) {
    Opened links;
    OpenMainWindow();
    const std::size_t windows = layer::LiveWindowCount(), widgets = QApplication::allWidgets().size();
    while (Inputs < kInputs) Input(0);
    EXPECT_EQ(ScreensReached.size(), 6u) << "every screen";
    EXPECT_GT(BoxesSeen, 100);

    Boxes([] {
        SetWindowTextA(DisplayTimeEdit, "2");
        for (HWND* stop : {&LearningStartButton, &TestStartButton, &LearningStopButton, &ChoiceStopButton,
                           &TypedStopButton})
            Click(*stop);
    });
    EXPECT_EQ(layer::ChildrenOf(MainWindow),
              (std::vector<HWND>{AboutText, LearningButton, TestingButton, MailButton, HomePageButton}));
    EXPECT_EQ(layer::LiveFontCount(), 1u) << "only the interface font is left";
    EXPECT_EQ(layer::LiveWindowCount(), windows) << "nothing left behind";
    EXPECT_EQ(static_cast<std::size_t>(QApplication::allWidgets().size()), widgets);
    Click(LearningButton);
    Click(LearningStartButton);
    EXPECT_FALSE(Text(WordLine).empty()) << "the menu still leads to the cards";
}

}  // namespace
