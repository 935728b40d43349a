// The quiz with scripted draws: the order and bounds of the draws, the forward walk of the
// choice buttons, and the keyboard layout of each typed question.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/main_menu.h"
#include "app/start_up.h"
#include "dictionary/dictionary.h"
#include "platform/qt/inspect.h"
#include "platform/qt/layer.h"
#include "testing/quiz.h"
#include "testing/test_screens.h"
#include "testing/test_settings.h"
#include "tests/gui_support.h"
#include "tests/scripted_random.h"

namespace {

using Draws = std::vector<std::uint32_t>;

class Quizzing : public testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow();
        Click(TestingButton);
    }
    void Run(HWND hintRadio, HWND directionRadio, const Draws& script) {
        Click(hintRadio);
        Click(directionRadio);
        ScriptedDraws.assign(script.begin(), script.end());
        DrawBounds.clear();
        Click(TestStartButton);
    }
    static std::vector<std::string> Buttons() {
        return {Text(ChoiceButton1), Text(ChoiceButton2), Text(ChoiceButton3), Text(ChoiceButton4),
                Text(ChoiceButton5)};
    }
    static std::string Text(HWND control) {
        char buffer[256] = "";
        GetWindowTextA(control, buffer, sizeof buffer);
        return buffer;
    }
};

struct DrawOrder {
    const char* name;
    bool choice;
    int direction;
    Draws bounds;
};
void PrintTo(const DrawOrder& row, std::ostream* out) { *out << row.name; }

class QuizDrawOrder : public Quizzing, public testing::WithParamInterface<DrawOrder> {};

TEST_P(QuizDrawOrder, DrawsInTheDocumentedOrder) {
    const HWND directions[] = {MixedRadio, RussianToItalianRadio, ItalianToRussianRadio};
    Run(GetParam().choice ? WithHintRadio : WithoutHintRadio, directions[GetParam().direction], {});
    EXPECT_EQ(DrawBounds, GetParam().bounds);
}

INSTANTIATE_TEST_SUITE_P(
    Quiz, QuizDrawOrder,
    testing::Values(DrawOrder{"TypedFixed", false, RussianToItalian, {5285}},
                    DrawOrder{"TypedItalianShown", false, ItalianToRussian, {5285}},
                    DrawOrder{"TypedMixed", false, Mixed, {2, 5285}},
                    DrawOrder{"ChoiceFixed", true, RussianToItalian, {5, 5285, 1057, 1057, 1057, 1057, 1057}},
                    DrawOrder{"ChoiceMixed", true, Mixed, {5, 5285, 2, 1057, 1057, 1057, 1057, 1057}}),
    [](const testing::TestParamInfo<DrawOrder>& info) { return info.param.name; });

TEST_F(Quizzing, WalkWithEveryDrawZeroTakesTheNextIndices) {
    Run(WithHintRadio, RussianToItalianRadio, {0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Quiz.RightChoice, 1);
    EXPECT_EQ(Text(QuestionLabel), RussianText(1));
    EXPECT_EQ(Buttons(), (std::vector<std::string>{ItalianText(1), ItalianText(3), ItalianText(4), ItalianText(5),
                                                    ItalianText(6)}));
}

TEST_F(Quizzing, WalkWrapsFromTheLastIndexToTheFirst) {
    Run(WithHintRadio, ItalianToRussianRadio, {4, kWordCount - 1, 0, 0, 0, 0, 0});  // right slot 5, index 5285
    EXPECT_EQ(Quiz.RightChoice, 5);
    EXPECT_EQ(Text(QuestionLabel), ItalianText(kWordCount));
    EXPECT_EQ(Buttons(), (std::vector<std::string>{RussianText(1), RussianText(2), RussianText(3), RussianText(4),
                                                    RussianText(kWordCount)}));
}

TEST_F(Quizzing, WalkWithEveryDrawLargestComesBackToTheRightWord) {
    Run(WithHintRadio, RussianToItalianRadio, {1, 99, 1056, 1056, 1056, 1056, 1056});  // right slot 2, index 100
    EXPECT_EQ(Quiz.RightChoice, 2);
    EXPECT_EQ(Buttons(), (std::vector<std::string>{ItalianText(1157), ItalianText(100), ItalianText(3271),
                                                    ItalianText(4328), ItalianText(100)}))
        << "slot 5 shows the right translation a second time";
}

TEST_F(Quizzing, TypedQuestionsActivateTheLayoutOfTheLanguageToType) {
    Run(WithoutHintRadio, MixedRadio, {0, 10, 1, 20, 1, 30, 0, 40});
    EXPECT_EQ(Text(QuestionLabel), RussianText(11));
    EXPECT_EQ(layer::LastKeyboardLayoutRequest(), "00000409");
    const auto judge = [] { DismissingBoxes([] { SendMessageA(AnswerEdit, WM_KEYDOWN, VK_RETURN, 0); }); };
    judge();
    EXPECT_EQ(Text(QuestionLabel), ItalianText(21));
    EXPECT_EQ(layer::LastKeyboardLayoutRequest(), "00000419");
    judge();
    EXPECT_EQ(layer::LastKeyboardLayoutRequest(), "00000419");
    judge();
    EXPECT_EQ(Text(QuestionLabel), RussianText(41));
    EXPECT_EQ(layer::LastKeyboardLayoutRequest(), "00000409");
}

TEST_F(Quizzing, ChoiceQuestionsLeaveTheLayoutAndTheFocusAlone) {
    Run(WithoutHintRadio, ItalianToRussianRadio, {7});
    EXPECT_EQ(layer::LastKeyboardLayoutRequest(), "00000419");
    Click(TypedStopButton);
    Click(TestingButton);
    Run(WithHintRadio, RussianToItalianRadio, {});
    EXPECT_EQ(layer::LastKeyboardLayoutRequest(), "00000419") << "the layout of the last typed question stays";
}

}  // namespace
