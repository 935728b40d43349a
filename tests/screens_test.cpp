// SPDX-License-Identifier: GPL-3.0-or-later
// Every screen as the learner sees it, reached by clicks from the main menu; the main menu's
// links; and what going round the screens leaves behind.

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>

#include "tests/support.h"

namespace {

struct Control {
    HWND* handle;
    const char* text;  // UTF-8; nullptr: a word of the dictionary
    QRect place;
    char font;  // as FontSeen tells it
    bool checked = false;
    LONG_PTR id = 0;
};
struct ScreenRow {
    const char* name;
    std::vector<HWND*> clicks;  // from the main menu
    QSize client;
    HWND* focus;
    std::size_t liveFonts;
    std::vector<Control> controls;  // in order of creation, a group box's own right after it
};
void PrintTo(const ScreenRow& row, std::ostream* out) { *out << row.name; }

const char kAbout[] =
    "Изучение словаря итальянских слов.\r\nСловарь из 5285 слов (лицензия CC BY-SA 4.0) составлен авторами "
    "программы и сверен со словарем FreeDict (WikDict).";
const std::vector<Control> kMainMenu = {
    {&AboutText, kAbout, {10, 38, 265, 65}, 'N'},
    {&LearningButton, "Обучение", {14, 10, 120, 20}, 'N'},
    {&TestingButton, "Тестирование", {158, 10, 120, 20}, 'N'},
    {&MailButton, "Авторы: команда Vocarta (написать письмо)", {14, 110, 265, 20}, 'N'},
    {&HomePageButton, "Домашняя страница", {14, 130, 265, 20}, 'N'},
};

const ScreenRow kScreens[] = {
    {"MainMenu", {}, {294, 155}, nullptr, 1, kMainMenu},
    {"LearningSetup", {&LearningButton}, {292, 78}, &DisplayTimeEdit, 1, {
        {&DisplayTimeLabel, "Время показа слова (секунды)", {6, 6, 225, 21}, 'N'},
        {&DisplayTimeEdit, "2", {225, 6, 40, 21}, 'N'},
        {&DisplayTimeUpDown, "", {265, 6, 20, 21}, '-'},
        {&LearningStartButton, "Начать", {6, 55, 278, 18}, 'N'}}},
    {"LearningRun", {&LearningButton, &LearningStartButton}, {444, 105}, nullptr, 2, {
        {&WordLine, nullptr, {6, 16, 431, 22}, 'H'},
        {&TranslationLine, nullptr, {6, 40, 431, 22}, 'H'},
        {&LearningStopButton, "Стоп", {221, 80, 215, 21}, 'N'},
        {&PauseButton, "Пауза", {6, 80, 215, 21}, 'N'}}},
    {"TestSetup", {&TestingButton}, {294, 85}, nullptr, 1, {
        {&HintModeGroup, "", {5, 0, 139, 53}, '-'},
        {&WithHintRadio, "с подсказкой", {5, 15, 120, 15}, 'N', true},
        {&WithoutHintRadio, "без подсказки", {5, 33, 120, 15}, 'N'},
        {&DirectionGroup, "", {150, 0, 139, 80}, '-'},
        {&MixedRadio, "смешанный", {5, 15, 100, 15}, 'N', true},
        {&RussianToItalianRadio, "русско-итальянский", {5, 33, 130, 15}, 'N'},
        {&ItalianToRussianRadio, "итальяно-русский", {5, 51, 130, 15}, 'N'},
        {&TestStartButton, "Начать", {5, 58, 139, 20}, 'N'}}},
    {"ChoiceRun", {&TestingButton, &TestStartButton}, {444, 215}, nullptr, 3, {
        {&QuestionLabel, nullptr, {5, 5, 435, 50}, 'H'},
        {&ChoiceButton1, nullptr, {5, 58, 435, 22}, 'H'},
        {&ChoiceButton2, nullptr, {5, 80, 435, 22}, 'H'},
        {&ChoiceButton3, nullptr, {5, 102, 435, 22}, 'H'},
        {&ChoiceButton4, nullptr, {5, 124, 435, 22}, 'H'},
        {&ChoiceButton5, nullptr, {5, 146, 435, 22}, 'H'},
        {&ChoiceStopButton, "Остановить тестирование", {5, 188, 435, 20}, 'N'}}},
    {"TypedRun", {&TestingButton, &WithoutHintRadio, &TestStartButton}, {444, 105}, &AnswerEdit, 2, {
        {&QuestionLabel, nullptr, {6, 16, 431, 20}, 'H'},
        {&AnswerEdit, "", {6, 50, 431, 20}, 'N', false, 10},
        {&TypedStopButton, "Остановить тестирование", {6, 80, 431, 21}, 'N'}}},
    {"MainMenuAfterTheCards", {&LearningButton, &LearningStartButton, &LearningStopButton}, {294, 155}, nullptr, 1,
     kMainMenu},
    {"MainMenuAfterChoices", {&TestingButton, &TestStartButton, &ChoiceStopButton}, {294, 155}, nullptr, 1, kMainMenu},
    {"MainMenuAfterTypedAnswers", {&TestingButton, &WithoutHintRadio, &TestStartButton, &TypedStopButton},
     {294, 155}, nullptr, 1, kMainMenu},
};

// 'N' the interface font, 'H' a heavy one, '-' none (the system font), '?' anything else.
char FontSeen(HWND control) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, layer::kWmGetFont, 0, 0));
    const QFont shown = layer::WidgetOf(control)->font();
    if (!font) return shown == QFont() ? '-' : '?';
    if (shown.stretch() != QFont::AnyStretch || shown.italic() || shown.underline() || shown.strikeOut()) return '?';
    if (font == UiFont) return shown.pixelSize() == 11 && shown.weight() == QFont::Normal ? 'N' : '?';
    return shown.weight() == QFont::Black ? 'H' : '?';
}

// The height a control leaves its text's line: a static all of its own; a push button or an edit
// field what its frame leaves, 2 pixels at the top and at the bottom as Windows draws them (Qt's
// styles draw less).
int TextRoom(HWND control) {
    QWidget* widget = layer::WidgetOf(control);
    const bool framed = qobject_cast<QPushButton*>(widget) || qobject_cast<QLineEdit*>(widget);
    return widget->height() - (framed ? 2 * 2 : 0);
}

class Screen : public testing::TestWithParam<ScreenRow> {};

TEST_P(Screen, ShowsItsControlsAtTheMainMenusPlace) {
    OpenMainWindow();
    for (HWND* button : GetParam().clicks) {
        layer::WidgetOf(MainWindow)->move(400, 300);  // moved by the learner
        Click(*button);
    }
    QWidget* window = layer::WidgetOf(MainWindow);
    EXPECT_EQ(window->pos(), QPoint(100, 50));
    EXPECT_EQ(window->size(), GetParam().client) << "the outer size less the frame";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->role(), QAccessible::Window) << "not a client area";
    std::vector<HWND> expected, shown;
    for (const Control& control : GetParam().controls) expected.push_back(*control.handle);
    for (HWND control : layer::ChildrenOf(MainWindow)) {
        shown.push_back(control);
        for (HWND inner : layer::ChildrenOf(control)) shown.push_back(inner);
    }
    ASSERT_EQ(shown, expected);
    for (const Control& control : GetParam().controls) {
        const HWND handle = *control.handle;
        SCOPED_TRACE(Text(handle));
        EXPECT_TRUE(layer::WidgetOf(handle)->isVisible());
        EXPECT_EQ(layer::WidgetOf(handle)->geometry(), control.place);
        EXPECT_TRUE(control.text ? Text(handle) == control.text : !Text(handle).empty());
        EXPECT_EQ(SendMessageA(handle, layer::kBmGetCheck, 0, 0), control.checked ? BST_CHECKED : 0);
        EXPECT_EQ(FontSeen(handle), control.font);
        EXPECT_LE(QFontMetrics(layer::WidgetOf(handle)->font()).height(), TextRoom(handle)) << "no descender cut";
        EXPECT_EQ(layer::ControlId(handle), control.id);
    }
    EXPECT_TRUE(!GetParam().focus || window->focusWidget() == layer::WidgetOf(*GetParam().focus));
    EXPECT_EQ(layer::LiveFontCount(), GetParam().liveFonts) << "a font no control shows is given back";
}

INSTANTIATE_TEST_SUITE_P(Screens, Screen, testing::ValuesIn(kScreens),
                         [](const testing::TestParamInfo<ScreenRow>& info) { return info.param.name; });

TEST(Screens, MainMenuLinksOpenTheMailProgramAndTheHomePage) {
    OpenMainWindow();
    Opened opened;
    SendMessageA(MainWindow, WM_COMMAND, 0, 0);  // from no control: matches none, not even one not yet made
    Click(AboutText);
    Click(HomePageButton);
    Click(MailButton);
    EXPECT_EQ(opened.addresses, QStringList({"http://" VOCARTA_HOME_HOST "/index.html",
                                             "mailto:" VOCARTA_AUTHOR_MAIL "?Subject=Vocarta2.0"}));
}

}  // namespace
