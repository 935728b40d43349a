// The testing mode through its widgets: the set-up screen, both run layouts, the worked
// examples from a known seed, judging, and what a learner may do while a box is up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include "app/app.h"
#include "app/main_menu.h"
#include "app/start_up.h"
#include "dictionary/random.h"
#include "platform/qt/inspect.h"
#include "platform/qt/layer.h"
#include "testing/quiz.h"
#include "testing/test_screens.h"
#include "testing/test_settings.h"
#include "tests/gui_support.h"

namespace {

struct Geometry {
    const char* name;
    HWND* handle;
    HWND* parent;
    const char* className;
    DWORD style;
    QRect rect;
    std::string text;
};

void ExpectControl(const Geometry& row) {
    SCOPED_TRACE(row.name);
    layer::WindowInfo info;
    ASSERT_TRUE(layer::GetWindowInfo(*row.handle, info));
    EXPECT_EQ(info.className, row.className);
    EXPECT_EQ(info.style, row.style);
    EXPECT_EQ(info.parent, *row.parent);
    EXPECT_EQ(GeometryOf(*row.handle), row.rect);
    if (!row.text.empty()) {
        EXPECT_EQ(Utf8TextOf(*row.handle), row.text);
    }
}

bool IsChecked(HWND radio) { return qobject_cast<QRadioButton*>(layer::WidgetOf(radio))->isChecked(); }

QSize ClientSize() { return layer::WidgetOf(MainWindow)->size(); }

void PressEnter(HWND edit) {
    QTest::keyClick(layer::WidgetOf(edit), Qt::Key_Return);
    layer::ProcessPendingEvents();
}

class Testing : public testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow();
        Click(TestingButton);
    }
    // Starts a run with the given settings, the generator at seed.
    void Run(HWND hintRadio, HWND directionRadio, std::uint32_t seed = 0) {
        Click(hintRadio);
        Click(directionRadio);
        RandomSeed = seed;
        Click(TestStartButton);
    }
};

// ---- Set-up -------------------------------------------------------------------------------

TEST_F(Testing, SetupScreenHasItsControls) {
    EXPECT_EQ(ClientSize(), QSize(294, 85)) << "outer 300 x 110";
    const Geometry rows[] = {
        {"HintModeGroup", &HintModeGroup, &MainWindow, "Button", 0x50000007, QRect(5, 0, 139, 53), ""},
        {"WithHintRadio", &WithHintRadio, &HintModeGroup, "Button", 0x50000009, QRect(5, 15, 120, 15), "с подсказкой"},
        {"WithoutHintRadio", &WithoutHintRadio, &HintModeGroup, "Button", 0x50000009, QRect(5, 33, 120, 15),
         "без подсказки"},
        {"DirectionGroup", &DirectionGroup, &MainWindow, "Button", 0x50000007, QRect(150, 0, 139, 80), ""},
        {"MixedRadio", &MixedRadio, &DirectionGroup, "Button", 0x50000009, QRect(5, 15, 100, 15), "смешанный"},
        {"RussianToItalianRadio", &RussianToItalianRadio, &DirectionGroup, "Button", 0x50000009,
         QRect(5, 33, 130, 15), "русско-итальянский"},
        {"ItalianToRussianRadio", &ItalianToRussianRadio, &DirectionGroup, "Button", 0x50000009,
         QRect(5, 51, 130, 15), "итальяно-русский"},
        {"TestStartButton", &TestStartButton, &MainWindow, "Button", 0x50000000, QRect(5, 58, 139, 20), "Начать"},
    };
    for (const Geometry& row : rows) ExpectControl(row);
    EXPECT_EQ(Utf8TextOf(HintModeGroup), "");
    layer::WindowInfo info;
    for (HWND control : {WithHintRadio, WithoutHintRadio, MixedRadio, RussianToItalianRadio, ItalianToRussianRadio,
                         TestStartButton}) {
        ASSERT_TRUE(layer::GetWindowInfo(control, info));
        EXPECT_EQ(info.font, UiFont);
    }
    ASSERT_TRUE(layer::GetWindowInfo(HintModeGroup, info));
    EXPECT_EQ(info.font, nullptr) << "the group boxes get no font";
}

TEST_F(Testing, EveryVisitStartsWithHintAndMixed) {
    EXPECT_TRUE(IsChecked(WithHintRadio));
    EXPECT_TRUE(IsChecked(MixedRadio));
    Run(WithoutHintRadio, ItalianToRussianRadio);
    EXPECT_EQ(HintMode, WithoutHint);
    EXPECT_EQ(Direction, ItalianToRussian);
    Click(TypedStopButton);
    EXPECT_EQ(HintMode, WithoutHint) << "stopping resets nothing";
    Click(TestingButton);
    EXPECT_EQ(HintMode, WithHint);
    EXPECT_EQ(Direction, Mixed);
    EXPECT_TRUE(IsChecked(WithHintRadio));
    EXPECT_FALSE(IsChecked(WithoutHintRadio));
    EXPECT_TRUE(IsChecked(MixedRadio));
    Click(TestStartButton);
    EXPECT_TRUE(layer::IsWindowHandle(ChoiceButton1)) << "the five-choice layout";
}

TEST_F(Testing, LastClickInEachGroupCountsAndGroupsAreIndependent) {
    Click(WithoutHintRadio);
    Click(RussianToItalianRadio);
    Click(WithHintRadio);
    EXPECT_EQ(HintMode, WithHint);
    EXPECT_EQ(Direction, RussianToItalian);
    EXPECT_TRUE(IsChecked(WithHintRadio));
    EXPECT_FALSE(IsChecked(WithoutHintRadio));
    EXPECT_TRUE(IsChecked(RussianToItalianRadio)) << "a click in one group leaves the other";
    EXPECT_FALSE(IsChecked(MixedRadio));
    Click(RussianToItalianRadio);  // already checked
    EXPECT_TRUE(IsChecked(RussianToItalianRadio));
    EXPECT_EQ(Direction, RussianToItalian);
    Click(ItalianToRussianRadio);
    EXPECT_EQ(Direction, ItalianToRussian);
    Click(MixedRadio);
    EXPECT_EQ(Direction, Mixed);
}

TEST_F(Testing, RadioClicksReachTheGroupsNotTheMainWindow) {
    std::vector<std::pair<HWND, HWND>> commands;
    layer::SetMessageSpy([&](HWND window, UINT message, WPARAM, LPARAM lParam) {
        if (message == WM_COMMAND) commands.emplace_back(window, reinterpret_cast<HWND>(lParam));
    });
    Click(WithoutHintRadio);
    Click(ItalianToRussianRadio);
    layer::SetMessageSpy(nullptr);
    EXPECT_EQ(commands, (std::vector<std::pair<HWND, HWND>>{{HintModeGroup, WithoutHintRadio},
                                                             {DirectionGroup, ItalianToRussianRadio}}));
}

// ---- Run layouts ---------------------------------------------------------------------------

TEST_F(Testing, ChoiceLayoutAndItsFonts) {
    const HFONT startUpFont = UiFont;
    Run(WithHintRadio, MixedRadio);
    EXPECT_EQ(ClientSize(), QSize(444, 215)) << "outer 450 x 240";
    EXPECT_EQ(layer::ChildrenOf(MainWindow).size(), 7u);
    const Geometry rows[] = {
        {"QuestionLabel", &QuestionLabel, &MainWindow, "Static", 0x50000001, QRect(5, 5, 435, 50), ""},
        {"ChoiceButton1", &ChoiceButton1, &MainWindow, "Button", 0x50011000, QRect(5, 58, 435, 20), ""},
        {"ChoiceButton2", &ChoiceButton2, &MainWindow, "Button", 0x50011000, QRect(5, 78, 435, 20), ""},
        {"ChoiceButton3", &ChoiceButton3, &MainWindow, "Button", 0x50011000, QRect(5, 98, 435, 20), ""},
        {"ChoiceButton4", &ChoiceButton4, &MainWindow, "Button", 0x50011000, QRect(5, 118, 435, 20), ""},
        {"ChoiceButton5", &ChoiceButton5, &MainWindow, "Button", 0x50011000, QRect(5, 138, 435, 20), ""},
        {"ChoiceStopButton", &ChoiceStopButton, &MainWindow, "Button", 0x50011000, QRect(5, 188, 435, 20),
         "Остановить тестирование"},
    };
    for (const Geometry& row : rows) ExpectControl(row);
    layer::WindowInfo question, choice, stop;
    ASSERT_TRUE(layer::GetWindowInfo(QuestionLabel, question));
    ASSERT_TRUE(layer::GetWindowInfo(ChoiceButton3, choice));
    ASSERT_TRUE(layer::GetWindowInfo(ChoiceStopButton, stop));
    QFont questionFont, choiceFont, stopFont;
    ASSERT_TRUE(layer::FontOf(question.font, questionFont));
    ASSERT_TRUE(layer::FontOf(choice.font, choiceFont));
    ASSERT_TRUE(layer::FontOf(stop.font, stopFont));
    EXPECT_EQ(questionFont.weight(), QFont::Black);
    EXPECT_EQ(choiceFont.weight(), QFont::Black);
    EXPECT_GT(questionFont.pixelSize(), choiceFont.pixelSize());
    EXPECT_EQ(stopFont.pixelSize(), 11);
    EXPECT_EQ(stop.font, UiFont);
    EXPECT_NE(UiFont, startUpFont);
    EXPECT_EQ(layer::LiveFontCount(), 3u) << "the start-up font was given back";
    Click(ChoiceStopButton);
    EXPECT_EQ(layer::LiveFontCount(), 1u);
    EXPECT_EQ(ClientSize(), QSize(294, 155));
    EXPECT_EQ(layer::ChildrenOf(MainWindow),
              (std::vector<HWND>{AboutText, LearningButton, TestingButton, MailButton, HomePageButton}));
}

TEST_F(Testing, TypedLayoutAndItsFonts) {
    Run(WithoutHintRadio, MixedRadio);
    EXPECT_EQ(ClientSize(), QSize(444, 105)) << "outer 450 x 130";
    EXPECT_EQ(layer::ChildrenOf(MainWindow), (std::vector<HWND>{QuestionLabel, AnswerEdit, TypedStopButton}));
    const Geometry rows[] = {
        {"QuestionLabel", &QuestionLabel, &MainWindow, "Static", 0x50000001, QRect(6, 16, 431, 20), ""},
        {"AnswerEdit", &AnswerEdit, &MainWindow, "Edit", 0x50810001, QRect(6, 50, 431, 20), ""},
        {"TypedStopButton", &TypedStopButton, &MainWindow, "Button", 0x50000000, QRect(6, 80, 431, 21),
         "Остановить тестирование"},
    };
    for (const Geometry& row : rows) ExpectControl(row);
    layer::WindowInfo edit, stop, question;
    ASSERT_TRUE(layer::GetWindowInfo(AnswerEdit, edit));
    ASSERT_TRUE(layer::GetWindowInfo(TypedStopButton, stop));
    ASSERT_TRUE(layer::GetWindowInfo(QuestionLabel, question));
    EXPECT_EQ(edit.id, 10);
    EXPECT_EQ(edit.exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(edit.font, UiFont);
    EXPECT_EQ(stop.font, UiFont);
    QFont questionFont;
    ASSERT_TRUE(layer::FontOf(question.font, questionFont));
    EXPECT_EQ(questionFont.weight(), QFont::Black);
    EXPECT_TRUE(HasFocusInItsWindow(AnswerEdit));
    layer::WidgetOf(MainWindow)->move(500, 400);
    Click(TypedStopButton);
    EXPECT_EQ(layer::WidgetOf(MainWindow)->pos(), QPoint(100, 50));
    EXPECT_EQ(ClientSize(), QSize(294, 155));
    EXPECT_EQ(layer::LiveFontCount(), 1u);
}

// ---- Worked examples from a seed of 0 -------------------------------------------------------

TEST_F(Testing, MixedTypedQuestionFromSeedZero) {
    Run(WithoutHintRadio, MixedRadio);
    EXPECT_EQ(Utf8TextOf(QuestionLabel), "береза");
    EXPECT_EQ(Quiz.ExpectedAnswer, "betulla");
    EXPECT_EQ(layer::LastKeyboardLayoutRequest(), "00000409") << "the answer is typed in Italian";
    EXPECT_EQ(Utf8TextOf(AnswerEdit), "");
}

TEST_F(Testing, RussianToItalianTypedQuestionFromSeedZero) {
    Run(WithoutHintRadio, RussianToItalianRadio);
    EXPECT_EQ(Utf8TextOf(QuestionLabel), "абзац");
    EXPECT_EQ(Quiz.ExpectedAnswer, "linea, settore, paragrafo");
}

TEST_F(Testing, ItalianToRussianTypedQuestionAsksForRussian) {
    Run(WithoutHintRadio, ItalianToRussianRadio);
    EXPECT_EQ(Utf8TextOf(QuestionLabel), "linea, settore, paragrafo");
    EXPECT_EQ(layer::FromAnsi(Quiz.ExpectedAnswer).toStdString(), "абзац");
    EXPECT_EQ(layer::LastKeyboardLayoutRequest(), "00000419") << "the answer is typed in Russian";
}

std::vector<std::string> ChoiceTexts() {
    return {Utf8TextOf(ChoiceButton1), Utf8TextOf(ChoiceButton2), Utf8TextOf(ChoiceButton3),
            Utf8TextOf(ChoiceButton4), Utf8TextOf(ChoiceButton5)};
}

TEST_F(Testing, MixedChoiceQuestionFromSeedZero) {
    Run(WithHintRadio, MixedRadio);
    EXPECT_EQ(Quiz.RightChoice, 1);
    EXPECT_EQ(Utf8TextOf(QuestionLabel), "betulla");
    EXPECT_EQ(ChoiceTexts(),
              (std::vector<std::string>{"береза", "гарантия", "зонтик", "коллектор", "легкое ранение"}));
}

TEST_F(Testing, RussianToItalianChoiceQuestionFromSeedZero) {
    Run(WithHintRadio, RussianToItalianRadio);
    EXPECT_EQ(Quiz.RightChoice, 1);
    EXPECT_EQ(Utf8TextOf(QuestionLabel), "береза");
    EXPECT_EQ(ChoiceTexts(), (std::vector<std::string>{"betulla", "insufficiente, proibito", "fumaiolo",
                                                       "inflazione", "Visone"}));
}

// ---- Judging typed answers -----------------------------------------------------------------

struct TypedCase {
    const char* name;
    const char* expected;  // UTF-8
    const char* typed;     // UTF-8
    bool right;
};
void PrintTo(const TypedCase& row, std::ostream* out) { *out << row.name; }

class TypedJudging : public Testing, public testing::WithParamInterface<TypedCase> {};

TEST_P(TypedJudging, FindsTheAnswerByteForByteInsideTheTranslation) {
    Run(WithoutHintRadio, RussianToItalianRadio);
    Quiz.ExpectedAnswer = layer::ToAnsi(QString::fromUtf8(GetParam().expected));
    Type(AnswerEdit, QString::fromUtf8(GetParam().typed));
    const std::string question = Utf8TextOf(QuestionLabel);
    const auto boxes = DismissingBoxes([] { PressEnter(AnswerEdit); });
    if (GetParam().right) {
        EXPECT_TRUE(boxes.empty());
    } else {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "Неправильно!!!");
        EXPECT_EQ(boxes[0].text, std::string("Правильный перевод:\n") + GetParam().expected);
        EXPECT_TRUE(boxes[0].topmost);
        EXPECT_FALSE(boxes[0].hasOwner);
    }
    EXPECT_NE(Utf8TextOf(QuestionLabel), question) << "the next question follows either way";
    EXPECT_EQ(Utf8TextOf(AnswerEdit), "");
    EXPECT_TRUE(HasFocusInItsWindow(AnswerEdit));
}

INSTANTIATE_TEST_SUITE_P(
    Testing, TypedJudging,
    testing::Values(TypedCase{"FirstAlternative", "linea, settore, paragrafo", "linea", true},
                    TypedCase{"MiddleAlternative", "linea, settore, paragrafo", "settore", true},
                    TypedCase{"WithItsLeadingBlank", "linea, settore, paragrafo", " settore", true},
                    TypedCase{"OneLetter", "linea, settore, paragrafo", "a", true},
                    TypedCase{"TwoAlternatives", "linea, settore, paragrafo", "linea, settore", true},
                    TypedCase{"Whole", "linea, settore, paragrafo", "linea, settore, paragrafo", true},
                    TypedCase{"Capital", "linea, settore, paragrafo", "Linea", false},
                    TypedCase{"WithoutComma", "linea, settore, paragrafo", "linea settore", false},
                    TypedCase{"TrailingBlank", "linea, settore, paragrafo", "linea ", false},
                    TypedCase{"Reordered", "linea, settore, paragrafo", "paragrafo, linea", false},
                    TypedCase{"Exact", "aborto", "aborto", true},
                    TypedCase{"LongerByABlank", "aborto", "aborto ", false},
                    TypedCase{"Longer", "aborto", "abortoo", false},
                    TypedCase{"LatinInsteadOfStandIn", "antichità", "antichita", false},
                    TypedCase{"StandInTyped", "antichità", "antichitа", true},
                    TypedCase{"Prefix", "antichità", "antichit", true},
                    TypedCase{"Empty", "aborto", "", false},
                    TypedCase{"OutsideTheCodePage", "aborto", "abort✓", false}),
    [](const testing::TestParamInfo<TypedCase>& info) { return info.param.name; });

TEST_F(Testing, OnlyEnterJudgesTheAnswer) {
    Run(WithoutHintRadio, RussianToItalianRadio);
    const std::string question = Utf8TextOf(QuestionLabel);
    const auto boxes = DismissingBoxes([] {
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Left})
            QTest::keyClick(layer::WidgetOf(AnswerEdit), key);
        layer::ProcessPendingEvents();
    });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Utf8TextOf(QuestionLabel), question);
    EXPECT_TRUE(HasFocusInItsWindow(AnswerEdit));
}

// ---- Choice questions ----------------------------------------------------------------------

TEST_F(Testing, RightChoiceBringsTheNextQuestionWithoutABox) {
    Run(WithHintRadio, MixedRadio);
    const auto boxes = DismissingBoxes([] { Click(ChoiceButton1); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Quiz.PressedChoice, 1);
    EXPECT_NE(Utf8TextOf(QuestionLabel), "betulla");
}

TEST_F(Testing, WrongChoiceShowsTheRetryBoxEachTimeAndChangesNothing) {
    Run(WithHintRadio, MixedRadio);
    const std::vector<std::string> before = ChoiceTexts();
    for (int press = 0; press < 2; ++press) {
        const auto boxes = DismissingBoxes([] { Click(ChoiceButton4); });
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "Неправильно!!!");
        EXPECT_EQ(boxes[0].text, "Неправильно!!! Попробуйте еще раз.");
        EXPECT_TRUE(boxes[0].topmost);
        EXPECT_FALSE(boxes[0].hasOwner);
        EXPECT_EQ(ChoiceTexts(), before);
        EXPECT_EQ(Utf8TextOf(QuestionLabel), "betulla");
        EXPECT_EQ(Quiz.RightChoice, 1);
    }
}

TEST_F(Testing, ButtonWithTheRightButtonsTextCountsAsRight) {
    Run(WithHintRadio, MixedRadio);
    char right[256] = "";
    GetWindowTextA(ChoiceButton1, right, sizeof right);
    SetWindowTextA(ChoiceButton3, right);  // the same translation under another index
    const auto boxes = DismissingBoxes([] { Click(ChoiceButton3); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_NE(Utf8TextOf(QuestionLabel), "betulla");
}

TEST_F(Testing, ChoiceButtonsReportTheirNumbersFromTheTop) {
    Run(WithHintRadio, MixedRadio);
    const HWND buttons[] = {ChoiceButton1, ChoiceButton2, ChoiceButton3, ChoiceButton4, ChoiceButton5};
    for (int number = 5; number >= 2; --number) {
        DismissingBoxes([&] { Click(buttons[number - 1]); });
        EXPECT_EQ(Quiz.PressedChoice, number);
    }
}

// ---- While a box is up ---------------------------------------------------------------------

TEST_F(Testing, StoppingATypedTestUnderItsBoxChangesOnlyTheQuiz) {
    Run(WithoutHintRadio, RussianToItalianRadio);
    const std::string expectedBefore = Quiz.ExpectedAnswer;
    const auto boxes = DismissingBoxes([] { PressEnter(AnswerEdit); }, [](int) { Click(TypedStopButton); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(layer::ChildrenOf(MainWindow),
              (std::vector<HWND>{AboutText, LearningButton, TestingButton, MailButton, HomePageButton}));
    EXPECT_NE(Quiz.ExpectedAnswer, expectedBefore) << "the judgement still posed its next question";
    EXPECT_EQ(Utf8TextOf(AboutText).rfind("Изучение", 0), 0u);
    Click(TestingButton);
    Run(WithHintRadio, MixedRadio);
    EXPECT_TRUE(layer::IsWindowHandle(ChoiceButton5));
}

TEST_F(Testing, RightChoiceUnderTheRetryBoxPosesTheNextQuestion) {
    Run(WithHintRadio, MixedRadio);
    const auto boxes = DismissingBoxes([] { Click(ChoiceButton2); }, [](int) { Click(ChoiceButton1); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(Utf8TextOf(QuestionLabel), "betulla");
}

TEST_F(Testing, StoppingAChoiceTestUnderItsBoxAndStartingAnother) {
    Run(WithHintRadio, MixedRadio);
    DismissingBoxes([] { Click(ChoiceButton2); },
                    [](int) {
                        Click(ChoiceStopButton);
                        Click(TestingButton);
                        Click(WithoutHintRadio);
                        Click(TestStartButton);
                    });
    EXPECT_TRUE(layer::IsWindowHandle(AnswerEdit));
    EXPECT_FALSE(layer::IsWindowHandle(ChoiceButton2));
}

TEST_F(Testing, EnterPressedManyTimesQuickly) {
    Run(WithoutHintRadio, MixedRadio);
    const auto boxes = DismissingBoxes([] {
        for (int i = 0; i < 30; ++i) {
            Type(AnswerEdit, QString::fromUtf8(i % 2 ? "x" : "è✓"));
            QTest::keyClick(layer::WidgetOf(AnswerEdit), Qt::Key_Return);
        }
        layer::ProcessPendingEvents();
    });
    EXPECT_GE(boxes.size(), 1u);
    EXPECT_TRUE(layer::IsWindowHandle(AnswerEdit));
    EXPECT_EQ(Utf8TextOf(AnswerEdit), "");
}

TEST_F(Testing, HugePastedAnswer) {
    Run(WithoutHintRadio, MixedRadio);
    const std::string huge(1 << 20, 'a');
    SetWindowTextA(AnswerEdit, huge.c_str());
    EXPECT_GT(GetWindowTextLengthA(AnswerEdit), 1000);
    const auto boxes = DismissingBoxes([] { PressEnter(AnswerEdit); });
    EXPECT_EQ(boxes.size(), 1u) << "longer than any translation: wrong";
    EXPECT_EQ(Utf8TextOf(AnswerEdit), "");
}

TEST_F(Testing, RepeatedRunsLeaveNothingBehind) {
    auto cycle = [this] {
        Run(WithHintRadio, MixedRadio, 42);
        DismissingBoxes([] { Click(ChoiceButton2); });
        Click(ChoiceStopButton);
        Click(TestingButton);
        Run(WithoutHintRadio, RussianToItalianRadio, 42);
        DismissingBoxes([] { PressEnter(AnswerEdit); });
        Click(TypedStopButton);
        Click(TestingButton);
    };
    cycle();
    const auto fonts = layer::LiveFontCount(), windows = layer::LiveWindowCount();
    const auto widgets = QApplication::allWidgets().size();
    for (int i = 0; i < 200; ++i) cycle();
    EXPECT_EQ(layer::LiveFontCount(), fonts);
    EXPECT_EQ(layer::LiveWindowCount(), windows);
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
}

}  // namespace
