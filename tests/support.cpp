// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QTimer>

#include "platform/cp1251.h"

void Click(HWND control) {
    if (QWidget* widget = layer::WidgetOf(control)) QTest::mouseClick(widget, Qt::LeftButton);
    layer::ProcessPendingEvents();
}

void Type(HWND control, const QString& text) {
    for (QChar character : text) {
        const char16_t upper = character.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, upper < 0x80 ? int{upper} : int{Qt::Key_unknown}, Qt::NoModifier, character);
        if (QWidget* widget = layer::WidgetOf(control)) QApplication::sendEvent(widget, &press);
    }
    layer::ProcessPendingEvents();
}

void PressKey(HWND control, int qtKey) {
    if (QWidget* widget = layer::WidgetOf(control)) QTest::keyClick(widget, static_cast<Qt::Key>(qtKey));
    layer::ProcessPendingEvents();
}

void Tick(HWND window) {
    layer::Post(window, WM_TIMER, 1, 0);
    MSG message{};
    if (GetMessageA(&message, window, 0, 0) > 0) DispatchMessageA(&message);
    layer::ProcessPendingEvents();
}

std::string Text(HWND control) {
    std::string text(std::max(GetWindowTextLengthA(control), 0) + 1, '\0');
    text.resize(std::max(GetWindowTextA(control, text.data(), static_cast<int>(text.size())), 0));
    QString stored;
    for (unsigned char byte : text) stored.append(QChar(static_cast<char16_t>(cp1251::ToUnicode(byte))));
    return stored.toStdString();
}

std::string Cp1251(const std::string& utf8) { return cp1251::FromUtf8(utf8); }

std::vector<std::string> Boxes(const std::function<void()>& action, const std::function<void()>& whileUp) {
    std::vector<std::string> seen;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible() || box->property("seen").toBool()) continue;
            box->setProperty("seen", true);  // a box opened while this one is up is found next time
            seen.push_back((box->windowTitle() + "|" + box->text()).toStdString());
            if (whileUp) whileUp();
            if (box->isVisible()) box->buttons().first()->click();
            return;
        }
    });
    watcher.start(5);
    action();
    return seen;
}

QMessageBox* BoxUp() {
    QMessageBox* last = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) last = box;
    return last;
}
