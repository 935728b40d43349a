// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz with scripted draws: what each question draws and shows, how answers are judged, and
// what the learner may do while a box is up.

#include <QAbstractButton>
#include <deque>

#include "quiz/quiz.h"
#include "quiz/quiz_settings.h"
#include "tests/support.h"

// In place of the generator: each draw returns the next scripted value (0 once there is none)
// and records its bound.
std::deque<std::uint32_t> ScriptedDraws;
std::vector<std::uint32_t> DrawBounds;

std::uint32_t RandomBelow(std::uint32_t n) {
    DrawBounds.push_back(n);
    const std::uint32_t value = ScriptedDraws.empty() ? 0 : ScriptedDraws.front();
    if (!ScriptedDraws.empty()) ScriptedDraws.pop_front();
    return value;
}

namespace {

using Numbers = std::vector<std::uint32_t>;

class Quizzing : public testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow();
        Click(TestingButton);
    }
    static void Run(HWND hintRadio, HWND directionRadio, const Numbers& draws = {}) {
        Click(hintRadio);
        Click(directionRadio);
        ScriptedDraws.assign(draws.begin(), draws.end());
        DrawBounds.clear();
        Click(TestStartButton);
    }
    static void Judge(const char* translation, const char* typed, bool right) {
        SCOPED_TRACE(std::string(translation) + " <- " + typed);
        Quiz.ExpectedAnswer = Cp1251(translation);
        Type(AnswerEdit, QString::fromUtf8(typed));
        DrawBounds.clear();
        const auto boxes = Boxes([] { PressKey(AnswerEdit, Qt::Key_Return); });
        const std::string wrongBox =  // the translation as shown, with its accents
            "Неправильно!!!|Правильный перевод:\n" + layer::FromAnsi(Cp1251(translation)).toStdString();
        EXPECT_EQ(boxes, right ? std::vector<std::string>{} : std::vector<std::string>{wrongBox});
        EXPECT_EQ(DrawBounds, Numbers{5285}) << "the next question follows either way";
        EXPECT_EQ(Text(AnswerEdit), "");
        EXPECT_EQ(layer::WidgetOf(MainWindow)->focusWidget(), layer::WidgetOf(AnswerEdit));
    }
    static std::vector<std::string> Buttons() {  // as shown
        std::vector<std::string> shown;
        for (HWND button : {ChoiceButton1, ChoiceButton2, ChoiceButton3, ChoiceButton4, ChoiceButton5})
            shown.push_back(qobject_cast<QAbstractButton*>(layer::WidgetOf(button))->text().toStdString());
        return shown;
    }
};

struct QuestionRow {
    const char* name;
    HWND* hint;
    HWND* direction;
    Numbers draws, bounds;
    const char* question;
    std::vector<std::string> answers;  // the typed question's expected answer, or the five buttons
};
void PrintTo(const QuestionRow& row, std::ostream* out) { *out << row.name; }

// What a choice question draws: the right button, the right index, the walk's four steps.
const Numbers kChoiceBounds = {5, 5285, 1057, 1057, 1057, 1057, 1057};

// The draws the generator makes from a seed of 0, and what the question shows with them.
const QuestionRow kQuestions[] = {
    {"TypedMixed", &WithoutHintRadio, &MixedRadio, {0, 165}, {2, 5285}, "береза", {"betulla"}},
    {"TypedRussianToItalian", &WithoutHintRadio, &RussianToItalianRadio, {0}, {5285}, "абзац",
     {"paragrafo, capoverso"}},
    {"TypedItalianToRussian", &WithoutHintRadio, &ItalianToRussianRadio, {0}, {5285}, "paragrafo, capoverso",
     {"абзац"}},
    {"ChoiceMixed", &WithHintRadio, &MixedRadio, {0, 165, 1, 214, 288, 709, 336, 171},
     {5, 5285, 2, 1057, 1057, 1057, 1057, 1057}, "betulla",
     {"береза", "гарантия", "зонтик", "коллектор", "легкое ранение"}},
    {"ChoiceRussianToItalian", &WithHintRadio, &RussianToItalianRadio, {0, 165, 910, 214, 288, 709, 336},
     kChoiceBounds, "береза", {"betulla", "proibito, vietato", "fumaiolo", "inflazione", "visone"}},
    // Right button 5 at index 5285: the walk wraps to index 1.
    {"WalkWraps", &WithHintRadio, &ItalianToRussianRadio, {4, 5284, 0, 0, 0, 0, 0}, kChoiceBounds,
     "scatola, cassetta, cassetto", {"абзац", "аборт", "абрикос", "абсолютно", "ящик"}},
    // Right button 5 at index 4229: a long step lands on the last index, the next one wraps.
    {"WalkLandsOnTheLastIndexThenWraps", &WithHintRadio, &RussianToItalianRadio, {4, 4228, 1055, 1056, 0, 0, 0},
     kChoiceBounds, "селедка", {"scatola, cassetta, cassetto", "buco", "respiro, respirazione", "respirare", "aringa"}},
    // Right button 2 at index 100, every step the longest: button 5 repeats the right translation.
    {"WalkOfLongestSteps", &WithHintRadio, &RussianToItalianRadio, {1, 99, 1056, 1056, 1056, 1056, 1056},
     kChoiceBounds, "аукцион",
     {"truffatore, imbroglione", "asta", "vincitore", "annoiarsi, sentire la mancanza", "asta"}},
    {"ChoicesShowAccents", &WithHintRadio, &RussianToItalianRadio, {0, 3368, 0, 0, 0, 0, 0}, kChoiceBounds,
     "позже", {"più tardi, dopo", "conoscersi, fare conoscenza", "vergogna, disonore", "ricerca",
               "prendere, acchiappare"}},
};

class Question : public Quizzing, public testing::WithParamInterface<QuestionRow> {};

TEST_P(Question, DrawsAndShows) {
    Run(*GetParam().hint, *GetParam().direction, GetParam().draws);
    EXPECT_EQ(DrawBounds, GetParam().bounds);
    EXPECT_EQ(Text(QuestionLabel), GetParam().question);
    if (GetParam().answers.size() == 1) EXPECT_EQ(Cp1251(GetParam().answers[0]), Quiz.ExpectedAnswer);
    else EXPECT_EQ(Buttons(), GetParam().answers);
}

INSTANTIATE_TEST_SUITE_P(Quiz, Question, testing::ValuesIn(kQuestions),
                         [](const testing::TestParamInfo<QuestionRow>& info) { return info.param.name; });

// Typed answers against the stored translation (in UTF-8, with its stand-ins for accents).
TEST_F(Quizzing, TypedAnswerIsRightWhereverItStandsInTheTranslation) {
    struct Answers {
        const char* translation;
        std::vector<const char*> right, wrong;
    };
    const Answers rows[] = {
        {"paragrafo, capoverso", {"paragrafo", "capoverso", " capoverso", "a", "o, cap", "paragrafo, capoverso"},
         {"Paragrafo", "paragrafo capoverso", "paragrafo ", "capoverso, paragrafo"}},
        {"aborto", {"aborto"}, {"aborto ", "abortoo", "", "abort✓"}},
        {"antichitа", {"antichitа", "antichit", "antichità"}, {"antichita"}},
        {"piщ tardi, dopo", {"più"}, {"piu"}},
        {"абзац", {"абзац"}, {"Абзац"}},
    };
    Run(WithoutHintRadio, RussianToItalianRadio);
    for (const Answers& row : rows) {
        for (const char* typed : row.right) Judge(row.translation, typed, true);
        for (const char* typed : row.wrong) Judge(row.translation, typed, false);
    }
    SetWindowTextA(AnswerEdit, std::string(1 << 20, 'a').c_str());  // a huge paste
    EXPECT_EQ(Boxes([] { PressKey(AnswerEdit, Qt::Key_Return); }).size(), 1u);
}

TEST_F(Quizzing, OnlyTheRightTranslationBringsTheNextQuestion) {
    Run(WithHintRadio, RussianToItalianRadio, {2, 0, 5, 5, 5, 5, 5});  // right button 3
    const auto before = Buttons();
    for (HWND wrong : {ChoiceButton5, ChoiceButton5, ChoiceButton1}) {
        EXPECT_EQ(Boxes([&] { Click(wrong); }),
                  std::vector<std::string>{"Неправильно!!!|Неправильно!!! Попробуйте еще раз."});
        EXPECT_EQ(Buttons(), before) << "a wrong press changes nothing";
    }
    const HWND buttons[] = {ChoiceButton1, ChoiceButton2, ChoiceButton3, ChoiceButton4, ChoiceButton5};
    for (int number = 1; number <= 5; ++number) {
        Boxes([&] { Click(buttons[number - 1]); });
        EXPECT_EQ(Quiz.PressedChoice, number);
    }
    SetWindowTextA(ChoiceButton4, Cp1251(Buttons()[Quiz.RightChoice - 1]).c_str());
    DrawBounds.clear();
    EXPECT_TRUE(Boxes([] { Click(ChoiceButton4); }).empty()) << "a button with the right text is right too";
    EXPECT_EQ(DrawBounds.size(), 7u);
}

TEST_F(Quizzing, TheLastClickInEachGroupCountsAndEveryVisitStartsAfresh) {
    for (HWND radio : {WithoutHintRadio, RussianToItalianRadio, WithHintRadio, RussianToItalianRadio}) Click(radio);
    EXPECT_TRUE(HintMode == WithHint && Direction == RussianToItalian);
    EXPECT_TRUE(SendMessageA(WithHintRadio, layer::kBmGetCheck, 0, 0) &&
                SendMessageA(RussianToItalianRadio, layer::kBmGetCheck, 0, 0));
    Run(WithoutHintRadio, ItalianToRussianRadio);
    Click(TypedStopButton);
    Click(TestingButton);
    EXPECT_TRUE(HintMode == WithHint && Direction == Mixed);
}

TEST_F(Quizzing, StoppingUnderTheWrongAnswerBoxLeavesTheMainMenu) {
    Run(WithoutHintRadio, RussianToItalianRadio, {0, 1});
    Boxes([] { PressKey(AnswerEdit, Qt::Key_Return); }, [] { Click(TypedStopButton); });
    EXPECT_EQ(Quiz.ExpectedAnswer, "aborto") << "the judgement still posed its next question";
    EXPECT_EQ(layer::ChildrenOf(MainWindow),
              (std::vector<HWND>{AboutText, LearningButton, TestingButton, MailButton, HomePageButton}));
}

}  // namespace
