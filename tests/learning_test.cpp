// SPDX-License-Identifier: GPL-3.0-or-later
// The flash cards: reading the display time, the start check, the cards, pause and stop.

#include <QAccessible>
#include <QLabel>
#include <QToolButton>

#include "dictionary/random.h"
#include "learning/flash_cards.h"
#include "learning/parse_integer.h"
#include "tests/support.h"

namespace {

TEST(ParseInteger, ReadsDecimalAndHexadecimalUpToTheFirstStranger) {
    const std::pair<const char*, std::int32_t> rows[] = {
        {"", 0},           {"   ", 0},         {"2", 2},          {"  25", 25},       {"12 ", 12},
        {"-3", -3},        {"+7", 7},          {"-", 0},          {"12a", 12},        {"-5a", 5},
        {"abc", 0},        {"0", 0},           {"9999999999", 999999999},             {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},       {"2147483649", -2147483647},           {"-2147483648", -2147483647 - 1},
        {"$1F", 31},       {"x10", 16},        {"X10", 16},       {"0x1a", 26},       {"0XFF", 255},
        {"$FFFFFFFF", -1}, {"$123456789", 0x12345678},            {"$", 0},           {"0x", 0},
        {"$100000000", 0x10000000},           {"$1G", 1},         {"$fa", 250},       {"-$10", 0},
        {"+0x10", 0},      {"09", 9},
    };
    for (const auto& [text, value] : rows) EXPECT_EQ(ParseInteger(text), value) << '"' << text << '"';
    EXPECT_EQ(ParseInteger(std::string(1 << 20, '7').c_str()), 777777777) << "a huge paste stops at nine digits";
}

class Learning : public testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow();
        Click(LearningButton);
    }
    static std::vector<std::string> StartWith(const char* text, const std::function<void()>& whileUp = {}) {
        SetWindowTextA(DisplayTimeEdit, text);
        return Boxes([] { Click(LearningStartButton); }, whileUp);
    }
    static UINT Period() { return layer::TimerPeriod(MainWindow, 1); }
    static std::string Card() { return Text(WordLine) + " / " + Text(TranslationLine); }
};

// What the field holds when the learner clicks "Начать", and the timer's period; 0: refused.
TEST_F(Learning, StartTakesOneSecondOrMore) {
    const std::pair<const char*, UINT> rows[] = {
        {"2", 2000}, {"1", 1000}, {"25", 25000}, {"4294968", 0x7FFFFFFF},  // not 704 ms, as 32 bits would
        {"0", 0},    {"", 0},     {"abc", 0},    {"-5", 0},              {"2147483648", 0}};
    const std::vector<std::string> refusal{"Упс...|Время задержки показа перевода\nне может быть меньше или равно "
                                           "времени показа слова.\nИсправьте, пожалуйста, соответствующие цифры."};
    for (const auto& [text, period] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(StartWith(text), period ? std::vector<std::string>{} : refusal);
        EXPECT_EQ(Period(), period);
        EXPECT_EQ(layer::WidgetOf(WordLine) != nullptr, period != 0);
        if (period == 0) EXPECT_EQ(Text(DisplayTimeEdit), text) << "the set-up screen stays as it was";
        else { Click(LearningStopButton); Click(LearningButton); }
    }
    StartWith("0", [] { SetWindowTextA(DisplayTimeEdit, "3"); Click(LearningStartButton); });
    EXPECT_EQ(Period(), 3000u) << "a start under the refusal box goes through";
}

TEST_F(Learning, ArrowsStepFromTheFieldBetweenOneAndTen) {
    const auto arrows = layer::WidgetOf(DisplayTimeUpDown)->findChildren<QToolButton*>();  // up, down
    const auto arrow = [&](int which) { arrows.at(which)->click(); return Text(DisplayTimeEdit); };
    for (int expected = 3; expected <= 10; ++expected) EXPECT_EQ(arrow(0), std::to_string(expected));
    EXPECT_EQ(arrow(0), "10");
    for (int expected = 9; expected >= 1; --expected) EXPECT_EQ(arrow(1), std::to_string(expected));
    EXPECT_EQ(arrow(1), "1");
    SetWindowTextA(DisplayTimeEdit, "25");  // typed by hand, above the range
    EXPECT_EQ(arrow(1), "10");
    SetWindowTextA(DisplayTimeEdit, "7a");  // pasted, no number: a step from the arrows' last position
    EXPECT_EQ(arrow(0), "10");
    Type(DisplayTimeEdit, "x");
    EXPECT_EQ(Text(DisplayTimeEdit), "10") << "letters cannot be typed";
    SetWindowTextA(DisplayTimeEdit, "2");
    QTest::mousePress(arrows.at(0), Qt::LeftButton);
    QTest::qWait(1000);
    QTest::mouseRelease(arrows.at(0), Qt::LeftButton);
    EXPECT_GT(std::stoi(Text(DisplayTimeEdit)), 3) << "an arrow held down steps on";
}

TEST_F(Learning, CardsShowBothTextsOfOneIndexPauseHoldsThemStopEndsThem) {
    RandomSeed = 0;
    StartWith("2");
    EXPECT_EQ(Card(), "paragrafo, capoverso / абзац") << "index 1, shown at once";
    Tick(MainWindow);
    EXPECT_EQ(Card(), "betulla / береза") << "index 166";
    SendMessageA(MainWindow, WM_TIMER, 77, 0);  // any timer identifier brings the next card
    EXPECT_NE(Card(), "betulla / береза");
    Click(PauseButton);
    EXPECT_EQ(Text(PauseButton), "Продолжить");
    const std::string held = Card();
    Tick(MainWindow);
    EXPECT_EQ(Card(), held);
    Click(PauseButton);
    EXPECT_EQ(Text(PauseButton), "Пауза");
    RandomSeed = 207489300;  // the next card is index 3369, "piщ tardi, dopo" / "позже"
    layer::Post(MainWindow, WM_TIMER, 1, 0);
    layer::Post(MainWindow, layer::kWmQuit, 0, 0);
    RunMessageLoop();  // the program's own loop delivers the tick, then ends at WM_QUIT
    QWidget* upper = layer::WidgetOf(WordLine);
    EXPECT_EQ(qobject_cast<QLabel*>(upper)->text(), "più tardi, dopo") << "Italian shows its accents";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(upper)->text(QAccessible::Name), "più tardi, dopo");
    Click(PauseButton);
    Click(LearningStopButton);
    EXPECT_EQ(Period(), 0u) << "no more ticks";
    EXPECT_EQ(CardsRunning, 0) << "stopping leaves the flag as it was";
    Click(LearningButton);
    StartWith("2");
    EXPECT_EQ(CardsRunning, 1);
    EXPECT_EQ(Text(PauseButton), "Пауза");
}

}  // namespace
