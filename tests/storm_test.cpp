// Endurance: a long storm of random input over every screen, while message boxes are up too.
// Clicks land on random points of random controls, keys go to the control with the focus (or to
// a box that is up), timer ticks pass through the message loop. The generator has a fixed seed,
// so every run is the same storm. Afterwards a stop must lead back to a working main menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTest>
#include <QWidget>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <string>

#include "app/app.h"
#include "app/main_menu.h"
#include "app/start_up.h"
#include "learning/learning_screens.h"
#include "platform/qt/inspect.h"
#include "platform/qt/layer.h"
#include "testing/test_screens.h"
#include "tests/gui_support.h"

namespace {

constexpr int kInputs = 20000;
constexpr int kDeepestBox = 3;  // boxes opened under boxes, at most this many at once

const char* ScreenNow() {
    if (layer::IsWindowHandle(AboutText)) return "main menu";
    if (layer::IsWindowHandle(DisplayTimeEdit)) return "learning set-up";
    if (layer::IsWindowHandle(WordLine)) return "learning run";
    if (layer::IsWindowHandle(TestStartButton)) return "test set-up";
    if (layer::IsWindowHandle(ChoiceButton1)) return "choice run";
    if (layer::IsWindowHandle(AnswerEdit)) return "typed run";
    return "none";
}

QMessageBox* TopmostBox() {
    QMessageBox* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) found = box;
    return found;
}

class Storm {
public:
    int inputs = 0;
    int boxes = 0;
    int inputsUnderABox = 0;
    std::map<std::string, int> screens;  // how many inputs ended on each screen

    // One random input, and more while any box it opens is up.
    void Input(int depth) {
        if (inputs >= kInputs) return;
        ++inputs;
        if (depth > 0) ++inputsUnderABox;
        const auto opened = DismissingBoxes([&] { RandomInput(depth); },
                                            [&](int) {
                                                if (depth >= kDeepestBox) return;
                                                const int more = Below(5);
                                                for (int i = 0; i < more; ++i) Input(depth + 1);
                                            });
        boxes += static_cast<int>(opened.size());
        ++screens[ScreenNow()];
    }

private:
    std::mt19937 random_{20260607};

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    void RandomInput(int depth) {
        const int kind = Below(100);
        if (kind < 50)
            ClickSomewhere();
        else if (kind < 80)
            PressAKey(depth);
        else
            TickThroughTheLoop(MainWindow, Below(4) == 0 ? static_cast<UINT_PTR>(Below(3)) : 1);
    }

    // A click, sometimes a double click, on a random point of a random visible widget of the
    // main window (the window itself included).
    void ClickSomewhere() {
        QWidget* window = layer::WidgetOf(MainWindow);
        ASSERT_NE(window, nullptr);
        QList<QWidget*> targets{window};
        for (QWidget* child : window->findChildren<QWidget*>())
            if (child->isVisible()) targets.append(child);
        QWidget* target = targets.at(Below(static_cast<int>(targets.size())));
        const QPoint point(Below(std::max(target->width(), 1)), Below(std::max(target->height(), 1)));
        if (Below(10) == 0)
            QTest::mouseDClick(target, Qt::LeftButton, {}, point);
        else
            QTest::mouseClick(target, Qt::LeftButton, {}, point);
        layer::ProcessPendingEvents();
    }

    // A key for the control with the focus; while a box is up, now and then for the box.
    void PressAKey(int depth) {
        static const Qt::Key kKeys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab,  Qt::Key_Escape, Qt::Key_Space,
                                        Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left,
                                        Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp};
        static const char* const kTexts[] = {"0", "1", "2", "5", "9", "a", "z", "è", "ж", "Я", "-", " ", "✓"};
        QWidget* target = nullptr;
        if (depth > 0 && Below(4) == 0) target = TopmostBox();
        if (!target) target = QApplication::focusWidget();
        if (!target) target = layer::WidgetOf(MainWindow);
        ASSERT_NE(target, nullptr);
        const int which = Below(3);
        if (which == 0) {
            const QString text = QString::fromUtf8(kTexts[Below(std::size(kTexts))]);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        } else if (which == 1) {
            QTest::keyClick(target, kKeys[Below(std::size(kKeys))]);
        } else {
            static const Qt::Key kWithControl[] = {Qt::Key_A, Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_Z};
            QTest::keyClick(target, kWithControl[Below(std::size(kWithControl))], Qt::ControlModifier);
        }
        layer::ProcessPendingEvents();
    }
};

// From whichever screen is up, the way back to the main menu: finish a set-up and stop the run.
void StopWhateverRuns() {
    DismissingBoxes([] {
        if (layer::IsWindowHandle(DisplayTimeEdit)) {
            SetWindowTextA(DisplayTimeEdit, "2");
            Click(LearningStartButton);
        }
        if (layer::IsWindowHandle(TestStartButton)) Click(TestStartButton);
        if (layer::IsWindowHandle(LearningStopButton)) Click(LearningStopButton);
        if (layer::IsWindowHandle(ChoiceStopButton)) Click(ChoiceStopButton);
        if (layer::IsWindowHandle(TypedStopButton)) Click(TypedStopButton);
    });
}

void ExpectTheMainMenu() {
    ASSERT_EQ(layer::ChildrenOf(MainWindow),
              (std::vector<HWND>{AboutText, LearningButton, TestingButton, MailButton, HomePageButton}));
    EXPECT_EQ(Utf8TextOf(AboutText).rfind("Изучение словаря итальянских слов.", 0), 0u);
    EXPECT_EQ(Utf8TextOf(LearningButton), "Обучение");
    EXPECT_EQ(Utf8TextOf(TestingButton), "Тестирование");
    EXPECT_EQ(Utf8TextOf(MailButton), "Авторы: команда Vocarta (написать письмо)");
    EXPECT_EQ(Utf8TextOf(HomePageButton), "Домашняя страница");
    for (HWND control : layer::ChildrenOf(MainWindow)) EXPECT_TRUE(layer::WidgetOf(control)->isVisible());
    EXPECT_EQ(layer::WidgetOf(MainWindow)->size(), QSize(294, 155));
}

class Endurance : public testing::Test {
protected:
    void SetUp() override {
        // The two links would start the desktop's mail program and browser.
        QDesktopServices::setUrlHandler("mailto", &links_, "open");
        QDesktopServices::setUrlHandler("http", &links_, "open");
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler("mailto");
        QDesktopServices::unsetUrlHandler("http");
    }
    UrlCatcher links_;
};

TEST_F(Endurance, RandomInputStormLeavesAWorkingMainMenu) {
    OpenMainWindow();
    Storm storm;
    while (storm.inputs < kInputs) storm.Input(0);

    std::cout << storm.inputs << " inputs, " << storm.inputsUnderABox << " of them under a box, " << storm.boxes
              << " boxes, " << links_.opened.size() << " links opened; inputs ending on each screen:";
    std::set<std::string> screens;
    for (const auto& [screen, count] : storm.screens) {
        std::cout << " " << screen << " " << count << ",";
        screens.insert(screen);
    }
    std::cout << "\n";
    EXPECT_EQ(storm.inputs, kInputs);
    // The storm went everywhere it should have.
    EXPECT_EQ(screens, (std::set<std::string>{"main menu", "learning set-up", "learning run", "test set-up",
                                              "choice run", "typed run"}));
    EXPECT_GT(storm.boxes, 100);
    EXPECT_GT(storm.inputsUnderABox, 100);
    EXPECT_GT(links_.opened.size(), 0);
    EXPECT_EQ(TopmostBox(), nullptr) << "every box was dismissed";

    StopWhateverRuns();
    ExpectTheMainMenu();
    EXPECT_EQ(layer::LiveFontCount(), 1u) << "only the interface font is left";

    // The menu works: a learning run starts and stops, and so does a test.
    Click(LearningButton);
    ASSERT_TRUE(layer::IsWindowHandle(DisplayTimeEdit));
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "2");
    Click(LearningStartButton);
    ASSERT_TRUE(layer::IsWindowHandle(WordLine));
    EXPECT_FALSE(Utf8TextOf(WordLine).empty());
    Click(LearningStopButton);
    ExpectTheMainMenu();
    Click(TestingButton);
    Click(WithHintRadio);
    Click(TestStartButton);
    ASSERT_TRUE(layer::IsWindowHandle(ChoiceButton5));
    EXPECT_FALSE(Utf8TextOf(QuestionLabel).empty());
    Click(ChoiceStopButton);
    ExpectTheMainMenu();
}

}  // namespace
