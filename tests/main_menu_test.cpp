// Start-up's window and the main menu, driven through the real widgets.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QApplication>
#include <QWidget>

#include "app/app.h"
#include "app/main_menu.h"
#include "app/start_up.h"
#include "platform/qt/inspect.h"
#include "testing/test_settings.h"
#include "tests/gui_support.h"

namespace {

struct ControlRow {
    const char* name;
    HWND* handle;
    const char* className;
    DWORD style;
    QRect geometry;
    std::string text;  // UTF-8; for the About text, its first line
};

const ControlRow kMenuControls[] = {
    {"AboutText", &AboutText, "Static", 0x50000001, QRect(10, 38, 265, 65), "Изучение словаря итальянских слов.\r\n"},
    {"LearningButton", &LearningButton, "Button", 0x50001000, QRect(14, 10, 120, 20), "Обучение"},
    {"TestingButton", &TestingButton, "Button", 0x50001000, QRect(158, 10, 120, 20), "Тестирование"},
    {"MailButton", &MailButton, "Button", 0x50001000, QRect(14, 110, 265, 20), ""},
    {"HomePageButton", &HomePageButton, "Button", 0x50001000, QRect(14, 130, 265, 20), "Домашняя страница"},
};

void PrintTo(const ControlRow& row, std::ostream* out) { *out << row.name; }

class MenuControl : public testing::TestWithParam<ControlRow> {};

TEST_P(MenuControl, HasItsClassStylePlaceTextAndFont) {
    OpenMainWindow();
    const ControlRow& row = GetParam();
    layer::WindowInfo info;
    ASSERT_TRUE(layer::GetWindowInfo(*row.handle, info));
    EXPECT_EQ(info.className, row.className);
    EXPECT_EQ(info.style, row.style);
    EXPECT_EQ(info.exStyle, 0u);
    EXPECT_EQ(info.parent, MainWindow);
    EXPECT_EQ(info.id, 0);
    EXPECT_EQ(GeometryOf(*row.handle), row.geometry);
    EXPECT_EQ(Utf8TextOf(*row.handle).rfind(row.text, 0), 0u) << Utf8TextOf(*row.handle);
    EXPECT_NE(UiFont, nullptr);
    EXPECT_EQ(info.font, UiFont);
    EXPECT_TRUE(layer::WidgetOf(*row.handle)->isVisible());
}

INSTANTIATE_TEST_SUITE_P(MainMenu, MenuControl, testing::ValuesIn(kMenuControls),
                         [](const testing::TestParamInfo<ControlRow>& info) { return info.param.name; });

TEST(MainMenu, WindowOpensAt100By50WithTheMenuOnly) {
    OpenMainWindow();
    QWidget* window = layer::WidgetOf(MainWindow);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->pos(), QPoint(100, 50));
    EXPECT_EQ(window->size(), QSize(294, 155)) << "outer 300 x 180";
    EXPECT_EQ(window->windowTitle(), QString("Vocarta 2.0"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    layer::WindowInfo info;
    ASSERT_TRUE(layer::GetWindowInfo(MainWindow, info));
    EXPECT_EQ(info.className, "Vocarta_2_0");
    EXPECT_EQ(info.style, 0x10CA0000u);
    EXPECT_EQ(info.exStyle, 0x108u);
    EXPECT_EQ(layer::ChildrenOf(MainWindow),
              (std::vector<HWND>{AboutText, LearningButton, TestingButton, MailButton, HomePageButton}));
    EXPECT_EQ(HintMode, WithHint);
    EXPECT_EQ(Direction, Mixed);
}

TEST(MainMenu, AboutTextStatesTheDictionarySize) {
    OpenMainWindow();
    const std::string about = Utf8TextOf(AboutText);
    EXPECT_NE(about.find("5285"), std::string::npos) << about;
    EXPECT_NE(about.find("\r\n"), std::string::npos);
}

TEST(MainMenu, ShowsInTheSystemFontWhenNoFontCanBeMade) {
    layer::SetFontCreationFails(true);
    int fontMessages = 0;
    layer::SetMessageSpy([&](HWND, UINT message, WPARAM, LPARAM) { fontMessages += message == WM_SETFONT; });
    OpenMainWindow();
    layer::SetMessageSpy(nullptr);
    EXPECT_EQ(UiFont, nullptr);
    EXPECT_EQ(fontMessages, 0);
    for (const ControlRow& row : kMenuControls) {
        ASSERT_TRUE(layer::IsWindowHandle(*row.handle)) << row.name;
        EXPECT_TRUE(layer::WidgetOf(*row.handle)->isVisible()) << row.name;
        EXPECT_EQ(layer::WidgetOf(*row.handle)->font(), QFont()) << row.name;
    }
    EXPECT_EQ(Utf8TextOf(LearningButton), "Обучение");
}

class Links : public testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow();
        QDesktopServices::setUrlHandler("mailto", &catcher_, "open");
        QDesktopServices::setUrlHandler("http", &catcher_, "open");
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler("mailto");
        QDesktopServices::unsetUrlHandler("http");
    }
    UrlCatcher catcher_;
};

TEST_F(Links, MailButtonWritesToTheAuthors) {
    Click(MailButton);
    ASSERT_EQ(catcher_.opened.size(), 1);
    EXPECT_EQ(catcher_.opened[0].toString().toStdString(), "mailto:" VOCARTA_AUTHOR_MAIL "?Subject=Vocarta2.0");
}

TEST_F(Links, HomePageButtonOpensTheHomePage) {
    Click(HomePageButton);
    ASSERT_EQ(catcher_.opened.size(), 1);
    EXPECT_EQ(catcher_.opened[0].toString().toStdString(), "http://" VOCARTA_HOME_HOST "/index.html");
}

TEST_F(Links, OtherCommandsOpenNothing) {
    Click(AboutText);
    SendMessageA(MainWindow, WM_COMMAND, 0, 0);  // no control: matches none, not even those not yet created
    SendMessageA(MainWindow, WM_COMMAND, 0, 0x7FFF0001);
    SendMessageA(MainWindow, WM_TIMER, 99, 0);
    EXPECT_TRUE(catcher_.opened.isEmpty());
}

TEST(MainMenu, LinkWithoutHandlerShowsNothing) {
    OpenMainWindow();
    setenv("PATH", "/nonexistent", 1);  // no xdg-open, no browser
    const auto windowsBefore = QApplication::topLevelWidgets().size();
    Click(HomePageButton);
    Click(MailButton);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
    EXPECT_TRUE(layer::IsWindowHandle(HomePageButton));
}

TEST(MainMenu, WindowProcedureLeavesTheDefaultHandlingInPlace) {
    OpenMainWindow();
    ASSERT_TRUE(SetWindowTextA(MainWindow, "Renamed"));
    EXPECT_EQ(layer::WidgetOf(MainWindow)->windowTitle(), QString("Renamed"));
}

}  // namespace
