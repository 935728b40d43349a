// The learning mode through its widgets: set-up, start check, cards, pause, stop, and what
// repeated use leaves behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include "app/app.h"
#include "app/main_menu.h"
#include "app/start_up.h"
#include "dictionary/dictionary.h"
#include "dictionary/random.h"
#include "learning/flash_cards.h"
#include "learning/learning_screens.h"
#include "platform/qt/inspect.h"
#include "platform/qt/layer.h"
#include "tests/gui_support.h"

namespace {

const char* const kRefusal =
    "Время задержки показа перевода\n"
    "не может быть меньше или равно времени показа слова.\n"
    "Исправьте, пожалуйста, соответствующие цифры.";

class Learning : public testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow();
        Click(LearningButton);
    }

    // Sets the field as a paste would and starts; returns the boxes shown.
    std::vector<SeenBox> StartWith(const char* text) {
        SetWindowTextA(DisplayTimeEdit, text);
        return DismissingBoxes([] { Click(LearningStartButton); });
    }

    static QToolButton* Arrow(int which) {
        return layer::WidgetOf(DisplayTimeUpDown)->findChildren<QToolButton*>().at(which);
    }

    static UINT Period() {
        UINT milliseconds = 0;
        return layer::TimerPeriod(MainWindow, 1, milliseconds) ? milliseconds : 0;
    }

    // The index whose Russian text the lower line shows (headwords are unique).
    static WordIndex IndexOnTheCard() {
        char lower[1024] = "";
        GetWindowTextA(TranslationLine, lower, sizeof lower);
        for (WordIndex index = 1; index <= kWordCount; ++index)
            if (RussianText(index) == lower) return index;
        return 0;
    }

    static std::string Upper() { return Utf8TextOf(WordLine); }
};

TEST_F(Learning, SetupScreenAsItOpens) {
    QWidget* window = layer::WidgetOf(MainWindow);
    EXPECT_EQ(window->pos(), QPoint(100, 50));
    EXPECT_EQ(window->size(), QSize(292, 78)) << "outer 298 x 103";
    EXPECT_EQ(layer::ChildrenOf(MainWindow),
              (std::vector<HWND>{DisplayTimeLabel, DisplayTimeEdit, DisplayTimeUpDown, LearningStartButton}));
    EXPECT_FALSE(layer::IsWindowHandle(AboutText));
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "2");
    EXPECT_EQ(Utf8TextOf(DisplayTimeLabel), "Время показа слова (секунды)");
    EXPECT_EQ(Utf8TextOf(LearningStartButton), "Начать");
    EXPECT_TRUE(HasFocusInItsWindow(DisplayTimeEdit));
    EXPECT_EQ(GeometryOf(DisplayTimeLabel), QRect(6, 6, 225, 21));
    EXPECT_EQ(GeometryOf(DisplayTimeEdit), QRect(225, 6, 40, 21)) << "narrowed by the arrows";
    EXPECT_EQ(GeometryOf(DisplayTimeUpDown), QRect(265, 6, 20, 21)) << "against the field's right edge";
    EXPECT_EQ(GeometryOf(LearningStartButton), QRect(6, 55, 278, 18));
    layer::WindowInfo info;
    for (HWND control : {DisplayTimeLabel, DisplayTimeEdit, LearningStartButton}) {
        ASSERT_TRUE(layer::GetWindowInfo(control, info));
        EXPECT_EQ(info.font, UiFont);
    }
    ASSERT_TRUE(layer::GetWindowInfo(DisplayTimeEdit, info));
    EXPECT_EQ(info.exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(info.style, 0x50802001u);
}

TEST_F(Learning, ArrowsStepBetweenOneAndTenWithoutWrapping) {
    for (int expected = 3; expected <= 10; ++expected) {
        Arrow(0)->click();
        EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), std::to_string(expected));
    }
    Arrow(0)->click();
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "10");
    for (int expected = 9; expected >= 1; --expected) Arrow(1)->click();
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "1");
    Arrow(1)->click();
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "1");
    SetWindowTextA(DisplayTimeEdit, "25");  // typed by hand, above the range
    Arrow(1)->click();
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "10");
    SetWindowTextA(DisplayTimeEdit, "7");
    Arrow(0)->click();
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "8") << "steps from what the field shows";
}

TEST_F(Learning, OnlyDigitsCanBeTyped) {
    SetWindowTextA(DisplayTimeEdit, "");
    Type(DisplayTimeEdit, "a1b2 -x3ж");
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "123");
    SetWindowTextA(DisplayTimeEdit, "abc");  // a pasted or set text is not filtered
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "abc");
}

TEST_F(Learning, EnterStartsNothingAndTabKeepsTheFocus) {
    QTest::keyClick(layer::WidgetOf(DisplayTimeEdit), Qt::Key_Return);
    QTest::keyClick(layer::WidgetOf(DisplayTimeEdit), Qt::Key_Tab);
    layer::ProcessPendingEvents();
    EXPECT_TRUE(layer::IsWindowHandle(LearningStartButton));
    EXPECT_TRUE(HasFocusInItsWindow(DisplayTimeEdit));
}

TEST_F(Learning, StartShowsTheRunScreenAndTheFirstCardAtOnce) {
    RandomSeed = 0;
    EXPECT_TRUE(StartWith("2").empty());
    QWidget* window = layer::WidgetOf(MainWindow);
    EXPECT_EQ(window->pos(), QPoint(100, 50));
    EXPECT_EQ(window->size(), QSize(444, 105)) << "outer 450 x 130";
    EXPECT_EQ(layer::ChildrenOf(MainWindow),
              (std::vector<HWND>{WordLine, TranslationLine, LearningStopButton, PauseButton}));
    EXPECT_EQ(Period(), 2000u);
    EXPECT_EQ(Upper(), "linea, settore, paragrafo");
    EXPECT_EQ(Utf8TextOf(TranslationLine), "абзац");
    EXPECT_EQ(Utf8TextOf(PauseButton), "Пауза");
    EXPECT_EQ(Utf8TextOf(LearningStopButton), "Стоп");
    EXPECT_EQ(GeometryOf(PauseButton), QRect(6, 80, 215, 21));
    EXPECT_EQ(GeometryOf(LearningStopButton), QRect(221, 80, 215, 21));
    EXPECT_EQ(CardsRunning, 1);
}

TEST_F(Learning, EachTickShowsTheTwoTextsOfOneIndex) {
    StartWith("2");
    for (int tick = 0; tick < 30; ++tick) {
        TickThroughTheLoop(MainWindow, 1);
        const WordIndex index = IndexOnTheCard();
        ASSERT_NE(index, 0);
        EXPECT_EQ(Upper(), layer::FromAnsi(ItalianText(index)).toStdString());
    }
}

TEST_F(Learning, TimerMessagesWithAnyIdentifierShowTheNextCard) {
    StartWith("2");
    RandomSeed = 0;
    SendMessageA(MainWindow, WM_TIMER, 77, 0);
    EXPECT_EQ(Utf8TextOf(TranslationLine), "абзац");
    SendMessageA(MainWindow, WM_TIMER, 0, 0);
    EXPECT_EQ(Utf8TextOf(TranslationLine), "береза");
}

TEST_F(Learning, HeavyFontOnTheLinesAndTheReplacedFontsGiveBack) {
    const HFONT startUpFont = UiFont;
    StartWith("2");
    layer::WindowInfo line, button;
    ASSERT_TRUE(layer::GetWindowInfo(WordLine, line));
    ASSERT_TRUE(layer::GetWindowInfo(PauseButton, button));
    QFont card, normal;
    ASSERT_TRUE(layer::FontOf(line.font, card));
    ASSERT_TRUE(layer::FontOf(button.font, normal));
    EXPECT_EQ(line.font, CardFont);
    EXPECT_EQ(card.weight(), QFont::Black);
    EXPECT_EQ(button.font, UiFont);
    EXPECT_NE(UiFont, startUpFont);
    EXPECT_EQ(normal.pixelSize(), 11);
    QFont gone;
    EXPECT_FALSE(layer::FontOf(startUpFont, gone)) << "no control shows the start-up font any more";
    EXPECT_EQ(layer::LiveFontCount(), 2u);
    Click(LearningStopButton);
    EXPECT_EQ(layer::LiveFontCount(), 1u) << "the card font went with its lines";
}

TEST_F(Learning, HandTypedValueAboveTheRangeIsAccepted) {
    EXPECT_TRUE(StartWith("25").empty());
    EXPECT_EQ(Period(), 25000u);
}

TEST_F(Learning, OneSecondIsTheShortestAccepted) {
    EXPECT_TRUE(StartWith("1").empty());
    EXPECT_EQ(Period(), 1000u);
}

TEST_F(Learning, PeriodsBeyondTheTimerAreHeldAtItsLongest) {
    EXPECT_TRUE(StartWith("4294968").empty());  // 4294968000 ms would wrap to 704 ms in 32 bits
    EXPECT_EQ(Period(), 0x7FFFFFFFu);
}

struct RefusedText {
    const char* name;
    const char* text;
};
void PrintTo(const RefusedText& row, std::ostream* out) { *out << row.name; }

class LearningRefusal : public Learning, public testing::WithParamInterface<RefusedText> {};

TEST_P(LearningRefusal, ShowsTheBoxAndKeepsTheSetupScreen) {
    bool mainWindowUsable = false;
    SetWindowTextA(DisplayTimeEdit, GetParam().text);
    const auto boxes = DismissingBoxes([] { Click(LearningStartButton); },
                                       [&](int) { mainWindowUsable = layer::WidgetOf(MainWindow)->isEnabled(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Упс...");
    EXPECT_EQ(boxes[0].text, kRefusal);
    EXPECT_TRUE(boxes[0].topmost);
    EXPECT_FALSE(boxes[0].hasOwner);
    EXPECT_FALSE(boxes[0].blocksOtherWindows);
    EXPECT_FALSE(boxes[0].hasIcon);
    EXPECT_EQ(boxes[0].buttons, 1);
    EXPECT_TRUE(mainWindowUsable);
    EXPECT_TRUE(layer::IsWindowHandle(LearningStartButton));
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), GetParam().text);
    EXPECT_EQ(Period(), 0u) << "no timer";
}

INSTANTIATE_TEST_SUITE_P(Learning, LearningRefusal,
                         testing::Values(RefusedText{"Zero", "0"}, RefusedText{"Empty", ""},
                                         RefusedText{"Letters", "abc"}, RefusedText{"Negative", "-5"},
                                         RefusedText{"WrapsNegative", "2147483648"}),
                         [](const testing::TestParamInfo<RefusedText>& info) { return info.param.name; });

TEST_F(Learning, ClicksOnTheWindowWhileTheBoxIsUpStillWork) {
    SetWindowTextA(DisplayTimeEdit, "0");
    int nestedBoxes = 0;
    DismissingBoxes([] { Click(LearningStartButton); },
                    [&](int) {
                        SetWindowTextA(DisplayTimeEdit, "3");
                        nestedBoxes = static_cast<int>(DismissingBoxes([] { Click(LearningStartButton); }).size());
                    });
    EXPECT_EQ(nestedBoxes, 0);
    EXPECT_EQ(Period(), 3000u) << "the start under the box went through";
    EXPECT_TRUE(layer::IsWindowHandle(WordLine));
}

TEST_F(Learning, PauseHoldsTheCardAndContinueBringsTheNextTick) {
    StartWith("2");
    const std::string card = Upper();
    Click(PauseButton);
    EXPECT_EQ(Utf8TextOf(PauseButton), "Продолжить");
    EXPECT_EQ(CardsRunning, 0);
    for (int tick = 0; tick < 5; ++tick) TickThroughTheLoop(MainWindow, 1);
    EXPECT_EQ(Upper(), card);
    EXPECT_EQ(Period(), 2000u) << "the timer keeps running";
    Click(PauseButton);
    EXPECT_EQ(Utf8TextOf(PauseButton), "Пауза");
    RandomSeed = 0;
    TickThroughTheLoop(MainWindow, 1);
    EXPECT_EQ(Upper(), "linea, settore, paragrafo");
}

TEST_F(Learning, StopReturnsToTheMenuAndEndsTheTicks) {
    StartWith("2");
    layer::WidgetOf(MainWindow)->move(400, 300);
    Click(LearningStopButton);
    QWidget* window = layer::WidgetOf(MainWindow);
    EXPECT_EQ(window->pos(), QPoint(100, 50));
    EXPECT_EQ(window->size(), QSize(294, 155));
    EXPECT_EQ(layer::ChildrenOf(MainWindow),
              (std::vector<HWND>{AboutText, LearningButton, TestingButton, MailButton, HomePageButton}));
    EXPECT_EQ(Period(), 0u);
    EXPECT_FALSE(layer::IsWindowHandle(WordLine));
}

TEST_F(Learning, StoppingWhilePausedAndStartingAgainRuns) {
    StartWith("2");
    Click(PauseButton);
    Click(LearningStopButton);
    EXPECT_EQ(CardsRunning, 0) << "stopping leaves the flag as it was";
    Click(LearningButton);
    EXPECT_EQ(Utf8TextOf(DisplayTimeEdit), "2") << "the field comes up with 2 every time";
    StartWith("2");
    EXPECT_EQ(CardsRunning, 1);
    EXPECT_EQ(Utf8TextOf(PauseButton), "Пауза");
    EXPECT_FALSE(Upper().empty());
}

TEST_F(Learning, RepeatedUseLeavesNothingBehind) {
    auto cycle = [this] {
        StartWith("2");
        TickThroughTheLoop(MainWindow, 1);
        Click(LearningStopButton);
        Click(LearningButton);
    };
    cycle();
    const auto fonts = layer::LiveFontCount(), windows = layer::LiveWindowCount();
    const auto widgets = QApplication::allWidgets().size();
    for (int i = 0; i < 1000; ++i) cycle();
    EXPECT_EQ(layer::LiveFontCount(), fonts);
    EXPECT_EQ(layer::LiveWindowCount(), windows);
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
}

}  // namespace
