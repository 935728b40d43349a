// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 subset on Qt, through the functions the program calls: which messages each window
// procedure receives, in order; handles; the message loop; fonts; message boxes; the mutex.
#include <sys/stat.h>
#include <unistd.h>

#include <QAccessible>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStringDecoder>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "app/ansi_text.h"
#include "platform/cp1251.h"
#include "platform/qt/command_line.h"
#include "tests/support.h"

namespace {

// A message as a table row writes it: the receiver's role, the message, and for WM_COMMAND and
// WM_VSCROLL the sender's role and the high word of wParam (notification code or position), for
// the others the low word of wParam and lParam, unless that is a text's address.
struct Sent {
    char who;
    UINT message;
    char from = 0;
    WORD code = 0;
    LPARAM param = 0;
    bool operator==(const Sent&) const = default;
};
void PrintTo(const Sent& sent, std::ostream* out) {
    *out << sent.who << ":0x" << std::hex << sent.message << std::dec << " from " << sent.from << ":" << sent.code
         << " " << sent.param;
}

std::vector<Sent> Log;
std::vector<std::chrono::steady_clock::time_point> TickTimes;  // when each WM_TIMER arrived
std::map<HWND, char> Roles;
std::map<HWND, WNDPROC> Previous;

LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool reported = message == WM_COMMAND || message == layer::kWmVScroll;
    const bool text = message == layer::kWmSetText || message == layer::kWmGetText;
    if (message == WM_TIMER) TickTimes.push_back(std::chrono::steady_clock::now());
    Log.push_back({Roles[window], message, reported ? Roles[reinterpret_cast<HWND>(lParam)] : '\0',
                   reported ? HIWORD(wParam) : LOWORD(wParam), reported || text ? 0 : lParam});
    const auto previous = Previous.find(window);
    return previous != Previous.end() ? CallWindowProcA(previous->second, window, message, wParam, lParam)
                                      : DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window of a class of its own with one control of each kind, every control
// subclassed: W the window, B a push button (id 7), S a static, G a group box holding the radio
// button R, E an edit field for digits, U an up-down (1 to 10, at 2) with E as its buddy.
struct {
    HWND W, B, S, G, R, E, U;
} F;

void Subclass(char role, HWND child) {
    Roles[child] = role;
    Previous[child] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Record)));
}

HWND Child(char role, HWND parent, const char* className, DWORD style, LONG_PTR id = 0) {
    const HWND child = CreateWindowExA(0, className, "r", WS_CHILD | WS_VISIBLE | style, 10, 10, 100, 20, parent,
                                       reinterpret_cast<HMENU>(id), nullptr, nullptr);
    Subclass(role, child);
    return child;
}

class Layer : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Record;
        windowClass.lpszClassName = "Recorder";
        RegisterClassA(&windowClass);
        F.W = CreateWindowExA(0, "Recorder", "Test", WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 100, 50, 300, 180,
                              nullptr, nullptr, nullptr, nullptr);
        Roles[F.W] = 'W';
        F.B = Child('B', F.W, "Button", BS_PUSHBUTTON, 7);
        F.S = Child('S', F.W, "Static", SS_LEFT);
        F.G = Child('G', F.W, "Button", BS_GROUPBOX);
        F.R = Child('R', F.G, "Button", BS_AUTORADIOBUTTON);
        F.E = Child('E', F.W, "Edit", ES_NUMBER, 10);
        F.U = CreateUpDownControl(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, 0, 0, 20, 20, F.W, 0, nullptr, F.E, 10, 1,
                                  2);
        Subclass('U', F.U);
        ASSERT_TRUE(QTest::qWaitForWindowActive(layer::WidgetOf(F.W)));
        Log.clear();
    }
};

// An action of assistive technology (AT-SPI's, as Qt names them), with nothing delivered after it.
void DoAccessibleAction(HWND control, const char* action) {
    QAccessible::queryAccessibleInterface(layer::WidgetOf(control))->actionInterface()->doAction(action);
}

struct SequenceRow {
    const char* name;
    std::function<void()> act;
    std::vector<Sent> expected;
};
void PrintTo(const SequenceRow& row, std::ostream* out) { *out << row.name; }

const SequenceRow kSequences[] = {
    {"ButtonClick", [] { Click(F.B); }, {{'W', WM_COMMAND, 'B', layer::kBnClicked}}},
    {"RadioClickGoesToItsGroup", [] { QTest::mouseClick(layer::WidgetOf(F.R), Qt::LeftButton, {}, QPoint(5, 10)); },
     {{'G', WM_COMMAND, 'R', layer::kBnClicked}}},
    {"PressThroughAssistiveTechnologyClicksAtOnce", [] { DoAccessibleAction(F.B, "Press"); },
     {{'W', WM_COMMAND, 'B', layer::kBnClicked}}},
    {"ToggleThroughAssistiveTechnologyClicksAtOnce", [] { DoAccessibleAction(F.R, "Toggle"); },
     {{'G', WM_COMMAND, 'R', layer::kBnClicked}}},
    {"Text", [] { SetWindowTextA(F.S, "x"); }, {{'S', layer::kWmSetText}}},
    {"Font", [] { SendMessageA(F.S, WM_SETFONT, 0, 0); }, {{'S', WM_SETFONT}}},
    {"TypedDigitKeyThenChange", [] { Type(F.E, "5"); },
     {{'E', WM_KEYDOWN, 0, '5', 1}, {'W', WM_COMMAND, 'E', layer::kEnChange}}},
    {"TypedLetterRefusedByNumberStyle", [] { Type(F.E, "a"); }, {{'E', WM_KEYDOWN, 0, 'A', 1}}},
    {"EnterIsOnlyAKey", [] { PressKey(F.E, Qt::Key_Return); }, {{'E', WM_KEYDOWN, 0, VK_RETURN, 1}}},
    {"TabIsOnlyAKey", [] { PressKey(F.E, Qt::Key_Tab); }, {{'E', WM_KEYDOWN, 0, 0x09, 1}}},
    {"UpArrowStepsTheBuddy", [] { layer::WidgetOf(F.U)->findChildren<QToolButton*>().at(0)->click(); },
     {{'E', layer::kWmGetText, 0, 32}, {'E', layer::kWmSetText}, {'W', WM_COMMAND, 'E', layer::kEnChange},
      {'W', layer::kWmVScroll, 'U', 3}}},
    {"TimerTickThroughTheLoop", [] {
         SetTimer(F.W, 7, 10, nullptr);
         MSG message{};
         if (GetMessageA(&message, F.W, 0, 0) > 0) DispatchMessageA(&message);
     }, {{'W', WM_TIMER, 0, 7}}},
    {"ActivationAwayAndBack", [] {
         QWidget* const window = layer::WidgetOf(F.W);
         QWidget other;
         for (QWidget* next : {&other, window}) {
             next->show();
             next->activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(next));
         }
     }, {{'W', WM_ACTIVATE, 0, WA_INACTIVE}, {'W', WM_ACTIVATE, 0, WA_ACTIVE}}},
    {"CloseThenDestroyParentFirst", [] { layer::WidgetOf(F.W)->close(); },
     {{'W', layer::kWmClose},    {'W', WM_DESTROY},          {'B', WM_DESTROY}, {'B', layer::kWmNcDestroy},
      {'S', WM_DESTROY},         {'S', layer::kWmNcDestroy}, {'G', WM_DESTROY}, {'R', WM_DESTROY},
      {'R', layer::kWmNcDestroy}, {'G', layer::kWmNcDestroy}, {'E', WM_DESTROY}, {'E', layer::kWmNcDestroy},
      {'U', WM_DESTROY},         {'U', layer::kWmNcDestroy}, {'W', layer::kWmNcDestroy}}},
};

class MessageSequence : public Layer, public testing::WithParamInterface<SequenceRow> {};

TEST_P(MessageSequence, ReachesTheProceduresInOrder) {
    GetParam().act();
    EXPECT_EQ(Log, GetParam().expected);
    EXPECT_EQ(layer::PendingKeyCount(), 0u) << "each key forgotten once its procedures had it";
}

INSTANTIATE_TEST_SUITE_P(Layer, MessageSequence, testing::ValuesIn(kSequences),
                         [](const testing::TestParamInfo<SequenceRow>& info) { return info.param.name; });

TEST_F(Layer, HandlesAreNeverZeroAndNeverReused) {
    std::set<void*> seen{nullptr, F.W, F.B, F.S, F.G, F.R, F.E, F.U};
    for (int i = 0; i < 100; ++i) {
        const HWND child = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 1, 1, F.W, nullptr, nullptr, nullptr);
        EXPECT_TRUE(seen.insert(child).second);
        EXPECT_TRUE(layer::WidgetOf(child)->isHidden()) << "without WS_VISIBLE";
        EXPECT_TRUE(seen.insert(CreateFontA(-11, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, "MS Sans Serif")).second);
        DestroyWindow(child);
    }
}

TEST_F(Layer, CallsOnZeroOrDestroyedHandlesFailWithoutEffect) {
    SetTimer(F.S, 5, 10, nullptr);
    layer::Post(F.S, 0x400, 0, 0);
    DestroyWindow(F.S);
    Log.clear();
    layer::Post(F.W, 0x401, 0, 0);
    MSG message{};
    EXPECT_TRUE(GetMessageA(&message, nullptr, 0, 0) && message.message == 0x401) << "its messages went with it";
    EXPECT_FALSE(KillTimer(F.S, 5)) << "and its timers";
    for (HWND stale : {HWND{}, F.S}) {  // each call fails (returns 0) and changes nothing
        char buffer[8] = "unset";
        EXPECT_FALSE(DestroyWindow(stale) || SetWindowTextA(stale, "x") || SendMessageA(stale, WM_SETFONT, 0, 0) ||
                     GetWindowTextA(stale, buffer, sizeof buffer) || buffer[0] || GetWindowTextLengthA(stale) ||
                     SetWindowPos(stale, HWND_TOP, 0, 0, 10, 10, 0) || UpdateWindow(stale) || SetFocus(stale) ||
                     SetTimer(stale, 1, 100, nullptr) ||
                     SetWindowLongPtrA(stale, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Record)) ||
                     CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 1, 1, stale, nullptr, nullptr, nullptr));
    }
    EXPECT_TRUE(Log.empty());
}

// A button offers assistive technology its clicks (above) and, as every control that takes the
// focus, the focus; its name is its text without the mnemonic's mark, which gives the key binding.
TEST_F(Layer, ButtonsOfferAssistiveTechnologyTheirClicksAndTheFocus) {
    const std::pair<HWND, QStringList> rows[] = {
        {F.B, {"Press", "SetFocus"}},
        {F.R, {"Toggle", "Press", "SetFocus"}},
    };
    for (const auto& [button, actions] : rows) {
        auto* offered = QAccessible::queryAccessibleInterface(layer::WidgetOf(button))->actionInterface();
        EXPECT_EQ(offered->actionNames(), actions);
        DoAccessibleAction(button, "SetFocus");
        EXPECT_EQ(layer::WidgetOf(F.W)->focusWidget(), layer::WidgetOf(button));
        layer::WidgetOf(button)->setEnabled(false);
        EXPECT_EQ(offered->actionNames(), QStringList()) << "none while disabled";
    }
    SetWindowTextA(F.B, Cp1251("&Да && нет").c_str());
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(layer::WidgetOf(F.B));
    EXPECT_EQ(button->text(QAccessible::Name).toStdString(), "Да & нет");
    EXPECT_EQ(button->text(QAccessible::Accelerator).toStdString(), "Alt+Д");
    EXPECT_EQ(button->actionInterface()->keyBindingsForAction("Press"), QStringList{"Alt+Д"});
}

// Heights as in GDI: negative, the character height; positive, the line's height; 0, the face's
// default cell of 13 pixels. No font (or a deleted one) shows the system font.
TEST_F(Layer, FontHeightsFollowGdi) {
    for (int height : {-11, 22, 18, 0}) {
        const HFONT font = CreateFontA(height, 0, 0, 0, 900, 0, 0, 0, 1, 0, 0, 0, 0, "MS Sans Serif");
        SendMessageA(F.S, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        const QFont shown = layer::WidgetOf(F.S)->font();
        const int cell = height > 0 ? height : 13, line = QFontMetrics(shown).height();
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(F.S, layer::kWmGetFont, 0, 0)), font);
        EXPECT_TRUE(height < 0 ? shown.pixelSize() == -height : line <= cell) << height;
        EXPECT_GT(line, cell * 3 / 4) << height;
        EXPECT_EQ(shown.weight(), QFont::Black);
    }
    const HFONT narrow = CreateFontA(-11, 2, 0, 0, 400, 1, 1, 1, 1, 0, 0, 0, 0, "MS Sans Serif");
    SendMessageA(F.S, WM_SETFONT, reinterpret_cast<WPARAM>(narrow), 0);
    const QFont shown = layer::WidgetOf(F.S)->font();
    EXPECT_LE(QFontMetrics(shown).averageCharWidth(), 3) << "an average width of 2";
    EXPECT_TRUE(shown.italic() && shown.underline() && shown.strikeOut());
    EXPECT_NE(CreateFontA(-11, 0x7FFFFFFF, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, ""), nullptr) << "the widest width";
    SendMessageA(F.S, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontA(1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, "")), 0);
    EXPECT_EQ(layer::WidgetOf(F.S)->font().pixelSize(), 1) << "no line fits a cell of 1: the smallest size";
    const HFONT deleted = CreateFontA(-11, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, "MS Sans Serif");
    DeleteObject(deleted);
    SendMessageA(F.S, WM_SETFONT, reinterpret_cast<WPARAM>(deleted), 0);
    EXPECT_TRUE(!SendMessageA(F.S, layer::kWmGetFont, 0, 0) && layer::WidgetOf(F.S)->font() == QFont());
}

// Outer sizes map to client sizes by the classic frame; placed so, the window is the active one.
TEST_F(Layer, OuterSizeLessTheFrameIsTheClientSize) {
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(SetWindowPos(F.W, HWND_TOP, 10, 20, 450, 130, 0));
    layer::ProcessPendingEvents();
    EXPECT_EQ(QRect(layer::WidgetOf(F.W)->pos(), layer::WidgetOf(F.W)->size()), QRect(10, 20, 444, 105));
    EXPECT_EQ(QApplication::activeWindow(), layer::WidgetOf(F.W));
}

TEST_F(Layer, MessageBoxWithoutOwnerLeavesOtherWindowsUsable) {
    int result = 0;
    const char caption[] = "a caption much longer than the text of the box, which must still show whole";
    const auto boxes = Boxes([&] { result = MessageBoxA(nullptr, "one\r\ntwo", caption, MB_TOPMOST); }, [&] {
        QMessageBox* box = BoxUp();
        box->layout()->activate();  // laid out now, not when Qt next gets to it
        EXPECT_GT(box->width(), QFontMetrics(box->font()).horizontalAdvance(caption)) << "as wide as its caption";
        EXPECT_EQ(box->buttons()[0]->parentWidget()->width(), box->layout()->contentsRect().width())
            << "its row of buttons too";
        EXPECT_TRUE(layer::WidgetOf(F.W)->isEnabled() && !box->isModal());
        const Qt::WindowFlags titleBar = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        EXPECT_EQ(box->windowFlags(), titleBar | Qt::WindowStaysOnTopHint) << "no minimize or maximize box";
        ASSERT_EQ(box->buttons().size(), 1);
        QAbstractButton* ok = box->buttons()[0];
        EXPECT_EQ(ok->text().toStdString(), "ОК") << "in Cyrillic letters";
        EXPECT_TRUE(box->icon() == QMessageBox::NoIcon && ok->icon().isNull());
        EXPECT_TRUE(box->defaultButton() == ok && box->escapeButton() == ok) << "Enter and Esc press it";
    });
    EXPECT_EQ(boxes, std::vector<std::string>{std::string(caption) + "|one\ntwo"});
    EXPECT_EQ(result, 1) << "IDOK";
}

// A timer set while a box is up ticks through the box's loop, and keeps to its schedule however
// late each tick is handled: most ticks come within a fifth of a period of their place on it,
// which a drift of a few milliseconds a tick would leave behind within ten ticks.
TEST_F(Layer, TicksKeepToTheirScheduleAlsoUnderABox) {
    using namespace std::chrono;
    constexpr UINT kPeriod = 50;
    steady_clock::time_point set;
    QTimer::singleShot(0, [&] {
        set = steady_clock::now();
        SetTimer(F.W, 1, kPeriod, nullptr);
    });
    QTimer::singleShot(kPeriod * 30 + kPeriod / 2, [] { BoxUp()->hide(); });
    MessageBoxA(nullptr, "", "", MB_OK);
    std::vector<double> offsets;  // from the nearest place on the schedule, in periods
    for (const auto tick : TickTimes) {
        const double periods = duration<double, std::milli>(tick - set).count() / kPeriod;
        offsets.push_back(std::abs(periods - std::round(periods)));
    }
    ASSERT_GE(offsets.size(), 20u);
    std::nth_element(offsets.begin(), offsets.begin() + offsets.size() / 2, offsets.end());
    EXPECT_LT(offsets[offsets.size() / 2], 0.2);
}

// An up arrow over a down arrow, together filling the up-down; a static's text at its top.
TEST_F(Layer, ControlsLookAsOnWindows) {
    const auto arrows = layer::WidgetOf(F.U)->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    EXPECT_TRUE(arrows[0]->arrowType() == Qt::UpArrow && arrows[1]->arrowType() == Qt::DownArrow);
    EXPECT_EQ(arrows[0]->geometry(), QRect(0, 0, 20, 10));
    EXPECT_EQ(arrows[1]->geometry(), QRect(0, 10, 20, 10));
    EXPECT_EQ(qobject_cast<QLabel*>(layer::WidgetOf(F.S))->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

// ES_NUMBER lets only 0 to 9 in, from a key or an input method; other scripts' digits too are
// refused, as the field's Windows-1251 text has no place for them.
TEST_F(Layer, NumberFieldTakesNoOtherCharacter) {
    SetWindowTextA(F.E, "");
    for (const char* refused : {"a", "Z", "ж", "-", "+", " ", ".", ",", "$", "٣", "５", "²", "½", "é"}) {
        Type(F.E, QString::fromUtf8(refused));
        QInputMethodEvent composed;
        composed.setCommitString(QString::fromUtf8(refused));
        QApplication::sendEvent(layer::WidgetOf(F.E), &composed);
        EXPECT_EQ(Text(F.E), "") << refused;
    }
    Type(F.E, "0123456789");
    EXPECT_EQ(Text(F.E), "0123456789");
}

// What a key types in the layouts the program types in itself, by its XKB key code (evdev's + 8).
TEST(KeyLayouts, TypeWhatXkbPutsAtEachKey) {
    struct Row {
        const char* layout;
        unsigned keyCode;
        bool shift, capsLock;
        const char* typed;  // UTF-8
    };
    const Row rows[] = {
        {"ru", 46, false, false, "д"},  {"ru", 46, true, false, "Д"},  {"ru", 46, false, true, "Д"},
        {"ru", 46, true, true, "д"},    {"us", 46, false, false, "l"}, {"us", 46, true, false, "L"},
        {"us", 46, false, true, "L"},   {"us", 46, true, true, "l"},   {"ru", 49, false, false, "ё"},  // `
        {"ru", 49, false, true, "Ё"},   {"us", 49, true, false, "~"},  {"ru", 12, true, false, "№"},  // 3
        {"us", 12, true, false, "#"},   {"ru", 10, false, true, "1"},  {"ru", 61, false, false, "."},  // /
        {"ru", 61, true, false, ","},   {"us", 61, true, true, "?"},   {"ru", 51, true, false, "/"},  // backslash
        {"ru", 65, true, false, " "},   {"ru", 36, false, false, ""},  {"us", 23, false, false, ""},  // Enter, Tab
        {"ru", 0, false, false, ""},    {"ru", 300, false, false, ""}, {"de-nonexistent", 46, false, false, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(layer::LayoutKeyText(row.layout, row.keyCode, row.shift, row.capsLock).toStdString(), row.typed)
            << row.layout << " " << row.keyCode << (row.shift ? " Shift" : "") << (row.capsLock ? " Caps Lock" : "");
}

// Without a desktop keyboard to switch (here Qt's offscreen platform), the fields type in the
// layout activated last; a command key, a key that types no character and an unknown layout leave
// the desktop's text. The field keeps the Windows-1251 bytes, and an input method's text as given.
TEST_F(Layer, FieldsTypeInTheActivatedLayout) {
    struct Row {
        const char* layoutId;  // activated before the key
        Qt::KeyboardModifiers modifiers;
        quint32 keyCode, nativeModifiers;  // Lock is 2
        const char* given;                 // the desktop's text for the key
        const char* typed;
    };
    const Row rows[] = {
        {"00000419", Qt::NoModifier, 46, 0, "l", "д"},       {"00000419", Qt::NoModifier, 46, 2, "L", "Д"},
        {"00000409", Qt::ShiftModifier, 46, 0, "Д", "L"},    {"00000407", Qt::NoModifier, 46, 0, "д", "l"},
        {"00000419", Qt::ControlModifier, 46, 0, "\x0c", "\x0c"}, {"00000419", Qt::AltModifier, 46, 0, "l", "l"},
        {"00000419", Qt::MetaModifier, 46, 0, "l", "l"},     {"00000419", Qt::NoModifier, 36, 0, "\r", "\r"},
        {"00000419", Qt::NoModifier, 0, 0, "x", "x"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LoadKeyboardLayoutA(row.layoutId, KLF_ACTIVATE) != nullptr, row.layoutId != std::string("00000407"));
        const QKeyEvent key(QEvent::KeyPress, Qt::Key_L, row.modifiers, row.keyCode, 0, row.nativeModifiers,
                            QString::fromUtf8(row.given));
        EXPECT_EQ(layer::TypedText(key).toStdString(), row.typed) << row.layoutId << " " << row.given;
    }
    const HWND field = Child('T', F.W, "Edit", 0);
    SetWindowTextA(field, "");
    LoadKeyboardLayoutA("00000419", KLF_ACTIVATE);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_L, Qt::NoModifier, 46, 0, 0, "l");
    QApplication::sendEvent(layer::WidgetOf(field), &key);
    QInputMethodEvent composed;
    composed.setCommitString("x");
    QApplication::sendEvent(layer::WidgetOf(field), &composed);
    char bytes[8] = "";
    GetWindowTextA(field, bytes, sizeof bytes);
    EXPECT_EQ(std::string(bytes), "\xE4x");
}

// Enter pressed again and again under a wrong-answer box opens each box inside the last one's loop.
TEST_F(Layer, NoBoxOpensInsideSixteenOthers) {
    std::vector<int> results;  // as the calls return, the innermost first
    int calls = 0;
    const std::function<void()> dismissAll = [] { while (QMessageBox* box = BoxUp()) box->hide(); };
    std::function<void()> openAnother = [&] {
        QTimer::singleShot(0, ++calls <= 17 ? openAnother : dismissAll);
        results.push_back(MessageBoxA(nullptr, "", "", MB_OK));
    };
    openAnother();
    EXPECT_EQ(results, std::vector<int>({0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1})) << "0: not opened";
}

// Texts cross the layer as Windows-1251 bytes. Italian lines show their Cyrillic stand-ins as
// the accented letters, and typed accented letters come back as the stand-ins.
TEST(Texts, AreShownAndTypedAsTheStoredBytes) {
    const std::pair<const char*, const char*> rows[] = {  // stored (as UTF-8), shown
        {"абзац", "абзац"}, {"piщ tardi, dopo", "più tardi, dopo"}, {"аtomo", "àtomo"},
        {"и possibile", "è possibile"}, {"perchй", "perché"}, {"Авторы: команда Vocarta", "Авторы: команда Vocarta"},
        {"Правильный перевод:\r\ncittа", "Правильный перевод:\r\ncittà"},
    };
    for (const auto& [stored, shown] : rows) {
        EXPECT_EQ(layer::FromAnsi(Cp1251(stored)).toStdString(), shown);
        EXPECT_EQ(layer::ToAnsi(QString::fromUtf8(shown)), Cp1251(stored));
    }
    EXPECT_EQ(layer::ToAnsi(QString::fromUtf8("señor ж €✓😀")), "se?or \xE6 \x88?\?");
    std::string every;
    for (int byte = 1; byte < 256; ++byte) every.push_back(static_cast<char>(byte));
    EXPECT_EQ(layer::ToAnsi(layer::FromAnsi(every)), every);
    EXPECT_EQ(layer::FromAnsi(every), QStringDecoder("windows-1251")(QByteArray::fromStdString(every))) << "ICU's table";
    bool complete[2];
    cp1251::FromUtf8("città", complete[0]); cp1251::FromUtf8("cittа", complete[1]);
    EXPECT_TRUE(!complete[0] && complete[1]) << "the word list's check of every character";
    EXPECT_EQ(std::string(Ansi("Тест: ёЁ №1")), "\xD2\xE5\xF1\xF2: \xB8\xA8 \xB9" "1") << "at compile time";
}

TEST(CommandLine, HandsQtItsOptionsAndRefusesOthers) {
    using Action = layer::CommandLine::Action;
    const struct {
        std::vector<std::string> arguments;
        Action action;
        std::vector<std::string> qt;
    } rows[] = {
        {{"-platform", "xcb", "--display", ":5", "extra"}, Action::Run, {"-platform", "xcb", "--display", ":5"}},
        {{"-style=fusion", "-stylesheet", "a.qss", "-reverse"}, Action::Run, {"-style=fusion", "-stylesheet", "a.qss", "-reverse"}},
        {{"-title", "--help"}, Action::Run, {"-title", "--help"}},
        {{"-", "extra", "--", "--help", "-x"}, Action::Run, {}},
        {{"extra", "-h"}, Action::Help, {}},
        {{"-reverse", "--version", "-x"}, Action::Version, {}},
        {{"-x", "--help"}, Action::Refuse, {}},
        {{"-stylesheetx"}, Action::Refuse, {}},
        {{"-geometry"}, Action::Refuse, {}},
    };
    for (const auto& row : rows) {
        const layer::CommandLine line = layer::ReadCommandLine(row.arguments);
        EXPECT_EQ(line.action, row.action) << row.arguments[0];
        EXPECT_EQ(line.qtArguments, row.qt) << row.arguments[0];
    }
    const layer::CommandLine chosen = layer::ReadCommandLine({"--platform", "offscreen", "-display", ":5"});
    EXPECT_EQ(chosen.platform + " " + chosen.display, "offscreen :5");
}

TEST(Mutex, LockFileCannotBeRedirected) {
    char folder[] = "/tmp/vocarta-mutex-test-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("XDG_RUNTIME_DIR", folder, 1);
    const std::string lock = std::string(folder) + "/Vocarta20.lock";
    ASSERT_EQ(symlink((lock + ".elsewhere").c_str(), lock.c_str()), 0);
    EXPECT_EQ(CreateMutexA(nullptr, FALSE, "Vocarta20"), nullptr) << "a link at the lock path is not followed";
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED) << "so the start goes on, as a first instance";
    ASSERT_NE(CreateMutexA(nullptr, FALSE, "../escape"), nullptr);
    EXPECT_EQ(access((std::string(folder) + "/___escape.lock").c_str(), F_OK), 0) << "names stay in the folder";
    std::filesystem::remove_all(folder);
}

// Where the lock lands, private: the runtime folder (made where it is set but missing), else
// TMPDIR's vocarta-UID, else the cache's vocarta/. A folder that is relative, that others can
// reach or that another user owns (made so as root) is passed over.
TEST(Mutex, LockLandsInTheFirstPrivateFolder) {
    char root[] = "/tmp/vocarta-lock-test-XXXXXX";
    ASSERT_NE(mkdtemp(root), nullptr);
    const std::string own = "tmp/vocarta-" + std::to_string(geteuid());
    const uid_t us = geteuid(), other = 65534;
    const struct {
        const char* name;
        const char* runtime;  // the runtime folder, absolute or relative to the row's current folder
        std::string made;     // a folder made before the start, with this mode and owner
        mode_t mode;
        uid_t owner;
        std::string lockFolder;
    } rows[] = {
        {"missing runtime folder", "/run", "", 0, us, "run"},
        {"relative runtime folder", "run", "", 0, us, own},
        {"runtime folder others can reach", "/run", "run", 0705, us, own},
        {"runtime folder of another user", "/run", "run", 0700, other, own},
        {"TMPDIR's folder others can reach", nullptr, own, 0777, us, "cache/vocarta"},
        {"TMPDIR's folder of another user", nullptr, own, 0700, other, "cache/vocarta"},
    };
    for (const auto& row : rows) {
        const std::string base = std::string(root) + "/" + std::to_string(&row - rows);
        std::filesystem::create_directories(base + "/tmp");
        ASSERT_EQ(chdir(base.c_str()), 0);
        if (!row.runtime) unsetenv("XDG_RUNTIME_DIR");
        else setenv("XDG_RUNTIME_DIR", ((row.runtime[0] == '/' ? base : "") + row.runtime).c_str(), 1);
        setenv("TMPDIR", (base + "/tmp").c_str(), 1);
        setenv("XDG_CACHE_HOME", (base + "/cache").c_str(), 1);
        if (!row.made.empty() && (mkdir(row.made.c_str(), 0) || chmod(row.made.c_str(), row.mode) ||
                                  chown(row.made.c_str(), row.owner, row.owner))) {
            std::cout << "left out, as only root can make it: " << row.name << "\n";
            continue;
        }
        EXPECT_NE(CreateMutexA(nullptr, FALSE, "Vocarta20"), nullptr) << row.name;
        std::vector<std::string> locks;  // each with its mode and its folder's
        for (const auto& entry : std::filesystem::recursive_directory_iterator(base))
            if (entry.path().extension() == ".lock") {
                struct stat file {}, folder {};
                lstat(entry.path().c_str(), &file);
                lstat(entry.path().parent_path().c_str(), &folder);
                std::ostringstream seen;
                seen << entry.path().string().substr(base.size() + 1) << std::oct << ' ' << (file.st_mode & 0777)
                     << ' ' << (folder.st_mode & 0777);
                locks.push_back(seen.str());
            }
        EXPECT_EQ(locks, std::vector<std::string>{row.lockFolder + "/Vocarta20.lock 600 700"}) << row.name;
    }
    std::filesystem::remove_all(root);
}

}  // namespace
