// The Win32 subset on Qt: handles, window procedures, message order, the message loop, timers,
// the window frame and fonts, checked through the functions the program calls.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <set>
#include <vector>

#include "app/ansi_text.h"
#include "platform/qt/inspect.h"
#include "platform/qt/layer.h"

namespace {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Received> Log;
HWND DestroyOnCommand = nullptr;  // a control that the recording window destroys when it reports a click

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log.push_back({window, message, wParam, lParam});
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == DestroyOnCommand) DestroyWindow(DestroyOnCommand);
    return DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC PreviousProc = nullptr;
LRESULT CALLBACK RecordingSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log.push_back({window, message, wParam, lParam});
    return CallWindowProcA(PreviousProc, window, message, wParam, lParam);
}

std::vector<UINT> MessagesTo(HWND window) {
    std::vector<UINT> messages;
    for (const Received& received : Log)
        if (received.window == window) messages.push_back(received.message);
    return messages;
}

HWND CreateTestWindow(DWORD exStyle = 0, DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = "TestWindow";
        RegisterClassA(&windowClass);
        registered = true;
    }
    return CreateWindowExA(exStyle, "TestWindow", "Test", style, 100, 50, 300, 180, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND CreateChild(HWND parent, const char* className, DWORD style, const char* text = "", LONG_PTR id = 0) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 100, 20, parent,
                           reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
}

class Platform : public testing::Test {
protected:
    void SetUp() override {
        Log.clear();
        DestroyOnCommand = nullptr;
    }
};

TEST_F(Platform, HandlesAreNeverZeroAndNeverReused) {
    std::set<void*> seen;
    HWND parent = CreateTestWindow();
    ASSERT_NE(parent, nullptr);
    seen.insert(parent);
    for (int i = 0; i < 200; ++i) {
        HWND child = CreateChild(parent, "Button", BS_PUSHBUTTON);
        HFONT font = CreateFontA(-11, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, "MS Sans Serif");
        ASSERT_NE(child, nullptr);
        ASSERT_NE(font, nullptr);
        EXPECT_TRUE(seen.insert(child).second);
        EXPECT_TRUE(seen.insert(font).second);
        DestroyWindow(child);
    }
}

TEST_F(Platform, CallsOnZeroOrDestroyedHandlesFailWithoutEffect) {
    HWND window = CreateTestWindow();
    HWND label = CreateChild(window, "Static", SS_LEFT, "text");
    ASSERT_TRUE(DestroyWindow(label));
    for (HWND stale : {static_cast<HWND>(nullptr), label}) {
        Log.clear();
        char buffer[8] = "unset";
        EXPECT_FALSE(DestroyWindow(stale));
        EXPECT_FALSE(SetWindowTextA(stale, "x"));
        EXPECT_EQ(SendMessageA(stale, WM_SETFONT, 0, 0), 0);
        EXPECT_FALSE(SetWindowPos(stale, HWND_TOP, 0, 0, 10, 10, 0));
        EXPECT_FALSE(UpdateWindow(stale));
        EXPECT_EQ(GetWindowTextA(stale, buffer, sizeof buffer), 0);
        EXPECT_STREQ(buffer, "");
        EXPECT_EQ(GetWindowTextLengthA(stale), 0);
        EXPECT_EQ(SetWindowLongPtrA(stale, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)), 0);
        EXPECT_EQ(SetFocus(stale), nullptr);
        EXPECT_EQ(SetTimer(stale, 1, 100, nullptr), 0u);
        EXPECT_EQ(CreateChild(stale, "Static", SS_LEFT), nullptr);
        EXPECT_TRUE(Log.empty());
    }
    EXPECT_TRUE(layer::IsWindowHandle(window));
}

TEST_F(Platform, OuterSizeMapsToClientSizeByTheClassicFrame) {
    HWND window = CreateTestWindow();
    QWidget* widget = layer::WidgetOf(window);
    EXPECT_EQ(widget->pos(), QPoint(100, 50));
    EXPECT_EQ(widget->size(), QSize(294, 155));
    widget->move(300, 260);
    ASSERT_TRUE(SetWindowPos(window, HWND_TOP, 100, 50, 450, 130, 0));
    EXPECT_EQ(widget->pos(), QPoint(100, 50));
    EXPECT_EQ(widget->size(), QSize(444, 105));
    EXPECT_EQ(widget->minimumSize(), widget->maximumSize()) << "the user cannot resize it";
}

TEST_F(Platform, MainWindowStylesBecomeWindowFlags) {
    HWND topmost = CreateTestWindow(WS_EX_WINDOWEDGE | WS_EX_TOPMOST, WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                                                         WS_MINIMIZEBOX);
    const Qt::WindowFlags flags = layer::WidgetOf(topmost)->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(layer::WidgetOf(topmost)->isVisible());

    HWND hidden = CreateTestWindow(0, WS_CAPTION);
    EXPECT_FALSE(layer::WidgetOf(hidden)->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(layer::WidgetOf(hidden)->isVisible());
}

TEST_F(Platform, ClosingRunsCloseThenDestroyParentFirst) {
    HWND window = CreateTestWindow();
    HWND button = CreateChild(window, "Button", BS_PUSHBUTTON);
    PreviousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingSubclassProc)));
    Log.clear();
    layer::WidgetOf(window)->close();
    const std::vector<Received> expected = {{window, layer::kWmClose, 0, 0},
                                            {window, WM_DESTROY, 0, 0},
                                            {button, WM_DESTROY, 0, 0},
                                            {button, layer::kWmNcDestroy, 0, 0},
                                            {window, layer::kWmNcDestroy, 0, 0}};
    ASSERT_EQ(Log.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Log[i].window, expected[i].window) << i;
        EXPECT_EQ(Log[i].message, expected[i].message) << i;
    }
    EXPECT_FALSE(layer::IsWindowHandle(window));
    EXPECT_FALSE(layer::IsWindowHandle(button));
    layer::ProcessPendingEvents();
    EXPECT_EQ(layer::LiveWindowCount(), 0u);
}

TEST_F(Platform, DestroyingAWindowDestroysItsChildrenAndTheirs) {
    HWND window = CreateTestWindow();
    HWND group = CreateChild(window, "Button", BS_GROUPBOX);
    HWND first = CreateChild(group, "Button", BS_AUTORADIOBUTTON, "one");
    HWND second = CreateChild(group, "Button", BS_AUTORADIOBUTTON, "two");
    HWND label = CreateChild(window, "Static", SS_LEFT);
    ASSERT_TRUE(DestroyWindow(window));
    for (HWND gone : {window, group, first, second, label}) EXPECT_FALSE(layer::IsWindowHandle(gone));
    layer::ProcessPendingEvents();
    EXPECT_EQ(layer::LiveWindowCount(), 0u);
}

TEST_F(Platform, TextsAndFontsReachTheControlThroughItsProcedure) {
    HWND window = CreateTestWindow();
    HWND label = CreateChild(window, "Static", SS_CENTER);
    PreviousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingSubclassProc)));
    HFONT font = CreateFontA(-11, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, "MS Sans Serif");
    ASSERT_TRUE(SetWindowTextA(label, Ansi("Привет,\r\nмир")));
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    EXPECT_EQ(MessagesTo(label), (std::vector<UINT>{layer::kWmSetText, WM_SETFONT}));

    auto* widget = qobject_cast<QLabel*>(layer::WidgetOf(label));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->text(), QString::fromUtf8("Привет,\nмир"));
    EXPECT_TRUE(widget->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(widget->wordWrap());
    EXPECT_EQ(widget->font().pixelSize(), 11);

    char buffer[64];
    EXPECT_EQ(GetWindowTextLengthA(label), 12);
    EXPECT_EQ(GetWindowTextA(label, buffer, 5), 4);
    EXPECT_EQ(std::string(buffer), std::string(Ansi("Прив").bytes));

    SendMessageA(label, WM_SETFONT, 0, 0);  // back to the system font
    EXPECT_EQ(widget->font(), QFont());
}

TEST_F(Platform, LeftAlignedStaticWraps) {
    HWND window = CreateTestWindow();
    auto* widget = qobject_cast<QLabel*>(layer::WidgetOf(CreateChild(window, "Static", SS_LEFT)));
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->alignment() & Qt::AlignLeft);
    EXPECT_TRUE(widget->wordWrap());
}

TEST_F(Platform, ButtonClickReportsCommandToItsParent) {
    HWND window = CreateTestWindow();
    HWND button = CreateChild(window, "Button", BS_PUSHBUTTON | BS_PUSHLIKE, "OK", 7);
    Log.clear();
    QTest::mouseClick(layer::WidgetOf(button), Qt::LeftButton);
    ASSERT_EQ(MessagesTo(window), std::vector<UINT>{WM_COMMAND});
    EXPECT_EQ(Log[0].lParam, reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(LOWORD(Log[0].wParam), 7);
    EXPECT_EQ(HIWORD(Log[0].wParam), 0) << "BN_CLICKED";
}

TEST_F(Platform, ButtonMayBeDestroyedByItsOwnClick) {
    HWND window = CreateTestWindow();
    HWND button = CreateChild(window, "Button", BS_PUSHBUTTON, "Go");
    DestroyOnCommand = button;
    QTest::mouseClick(layer::WidgetOf(button), Qt::LeftButton);
    EXPECT_FALSE(layer::IsWindowHandle(button));
    layer::ProcessPendingEvents();
    EXPECT_EQ(layer::ChildrenOf(window).size(), 0u);
    EXPECT_EQ(layer::WidgetOf(window)->findChildren<QPushButton*>().size(), 0);
}

TEST_F(Platform, UnknownClassesAndButtonTypesAreRefused) {
    HWND window = CreateTestWindow();
    EXPECT_EQ(CreateChild(window, "NoSuchClass", 0), nullptr);
    EXPECT_EQ(CreateWindowExA(0, "Static", "", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr)
        << "a control needs a parent";
    WNDCLASSA again{};
    again.lpfnWndProc = RecordingProc;
    again.lpszClassName = "BUTTON";
    EXPECT_EQ(RegisterClassA(&again), 0) << "system classes cannot be registered again";
}

TEST_F(Platform, GetMessageRetrievesOnlyMessagesOfTheFilterWindowAndItsChildren) {
    HWND first = CreateTestWindow();
    HWND child = CreateChild(first, "Static", SS_LEFT);
    HWND second = CreateTestWindow();
    layer::Post(second, 0x400, 1, 0);
    layer::Post(nullptr, 0x400, 2, 0);
    layer::Post(child, 0x400, 3, 0);
    layer::Post(first, 0x400, 4, 0);
    MSG message{};
    ASSERT_EQ(GetMessageA(&message, first, 0, 0), TRUE);
    EXPECT_EQ(message.hwnd, child);
    EXPECT_EQ(message.wParam, 3u);
    ASSERT_EQ(GetMessageA(&message, first, 0, 0), TRUE);
    EXPECT_EQ(message.hwnd, first);
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.wParam, 1u) << "the other window's message was left in the queue";
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.wParam, 2u) << "the thread message was left in the queue";
    layer::Post(first, 0x0012, 0, 0);  // WM_QUIT ends a loop
    EXPECT_EQ(GetMessageA(&message, first, 0, 0), FALSE);
    DestroyWindow(first);
    EXPECT_EQ(GetMessageA(&message, first, 0, 0), -1) << "a destroyed filter window is an error";
}

TEST_F(Platform, TimerTicksArriveAsWmTimerThroughTheLoop) {
    HWND window = CreateTestWindow();
    ASSERT_EQ(SetTimer(window, 1, 20, nullptr), 1u);
    MSG message{};
    for (int tick = 0; tick < 3; ++tick) {
        ASSERT_EQ(GetMessageA(&message, window, 0, 0), TRUE);
        EXPECT_EQ(message.message, static_cast<UINT>(WM_TIMER));
        EXPECT_EQ(message.wParam, 1u);
        Log.clear();
        DispatchMessageA(&message);
        EXPECT_EQ(MessagesTo(window), std::vector<UINT>{WM_TIMER});
    }
    EXPECT_TRUE(KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 1));
}

TEST_F(Platform, DestroyingAWindowEndsItsTimersAndPostedMessages) {
    HWND window = CreateTestWindow();
    HWND other = CreateTestWindow();
    SetTimer(window, 5, 10, nullptr);
    layer::Post(window, 0x400, 0, 0);
    DestroyWindow(window);
    EXPECT_FALSE(KillTimer(window, 5));
    layer::Post(other, 0x401, 0, 0);
    MSG message{};
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.hwnd, other);
}

// Each box opens the next from inside its own loop, as Enter pressed again and again under a box does.
TEST_F(Platform, ABoxOpenedInsideSeventeenBoxesIsRefusedAndTheCallerGoesOn) {
    std::vector<int> results;  // in the order the calls return
    int calls = 0;
    const std::function<void()> dismissAll = [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(widget)) widget->hide();
    };
    std::function<void()> openAnother = [&] {
        QTimer::singleShot(0, ++calls <= 17 ? openAnother : dismissAll);
        results.push_back(MessageBoxA(nullptr, "", "", MB_OK));
    };
    openAnother();
    std::vector<int> expected(18, 1);  // IDOK from the 17 boxes that opened
    expected[0] = 0;
    EXPECT_EQ(results, expected);
}

TEST_F(Platform, FontHeightsFollowGdi) {
    QFont character, cell, standard, heavy;
    ASSERT_TRUE(layer::FontOf(CreateFontA(-11, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, "MS Sans Serif"), character));
    ASSERT_TRUE(layer::FontOf(CreateFontA(22, 0, 0, 0, 900, 0, 0, 0, 1, 0, 0, 0, 0, "MS Sans Serif"), heavy));
    ASSERT_TRUE(layer::FontOf(CreateFontA(18, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, "MS Sans Serif"), cell));
    ASSERT_TRUE(layer::FontOf(CreateFontA(0, 0, 0, 0, 900, 0, 0, 0, 1, 0, 0, 0, 0, "MS Sans Serif"), standard));
    EXPECT_EQ(character.pixelSize(), 11);
    EXPECT_EQ(character.weight(), QFont::Normal);
    EXPECT_EQ(heavy.weight(), QFont::Black);
    EXPECT_LE(QFontMetrics(heavy).height(), 22);
    EXPECT_GT(heavy.pixelSize(), 14);
    EXPECT_LE(QFontMetrics(cell).height(), 18);
    EXPECT_GT(cell.pixelSize(), QFontMetrics(character).height() / 2);
    EXPECT_LE(QFontMetrics(standard).height(), 13);
    EXPECT_TRUE(QFontDatabase::hasFamily(character.family())) << "falls back to an installed sans-serif";
}

TEST_F(Platform, SystemTimeIsUtcWhateverTheTimeZone) {
    setenv("TZ", "Asia/Kathmandu", 1);  // UTC+5:45: differs from UTC in hours and minutes
    tzset();
    SYSTEMTIME now;
    GetSystemTime(&now);
    const std::time_t seconds = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    const int layerSeconds = (now.wHour * 60 + now.wMinute) * 60 + now.wSecond;
    const int utcSeconds = (utc.tm_hour * 60 + utc.tm_min) * 60 + utc.tm_sec;
    const int difference = ((utcSeconds - layerSeconds) % 86400 + 86400) % 86400;
    EXPECT_TRUE(difference <= 2 || difference >= 86398) << layerSeconds << " vs " << utcSeconds;
    EXPECT_LT(now.wMilliseconds, 1000);
}

TEST_F(Platform, ProgramIconIsFoundByNameWithoutRegardToCase) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), "lev1");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "LEV1"), icon);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "other"), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.lpszClassName = "IconWindow";
    windowClass.hIcon = icon;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "IconWindow", "", WS_CAPTION, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    const QIcon shown = layer::WidgetOf(window)->windowIcon();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixmap(32, 32).size(), QSize(32, 32));
}

}  // namespace
