#include "tests/gui_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "platform/qt/inspect.h"
#include "platform/qt/layer.h"

void Click(HWND control) {
    QWidget* widget = layer::WidgetOf(control);
    if (widget) QTest::mouseClick(widget, Qt::LeftButton);
    layer::ProcessPendingEvents();
}

// Each character as a key press carrying its text, as a keyboard layout of that language gives it.
void Type(HWND control, const QString& keys) {
    QWidget* widget = layer::WidgetOf(control);
    for (QChar character : keys) {
        if (!widget) break;
        const QChar upper = character.toUpper();
        const int key = upper.unicode() < 0x80 ? int{upper.unicode()} : int{Qt::Key_unknown};
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
        widget = layer::WidgetOf(control);
    }
    layer::ProcessPendingEvents();
}

std::string Utf8TextOf(HWND control) {
    char buffer[4096] = "";
    GetWindowTextA(control, buffer, sizeof buffer);
    return layer::FromAnsi(buffer).toStdString();
}

QRect GeometryOf(HWND control) {
    QWidget* widget = layer::WidgetOf(control);
    return widget ? widget->geometry() : QRect();
}

bool HasFocusInItsWindow(HWND control) {
    QWidget* widget = layer::WidgetOf(control);
    return widget && widget->window()->focusWidget() == widget;
}

void TickThroughTheLoop(HWND window, UINT_PTR id) {
    layer::Post(window, WM_TIMER, id, 0);
    MSG message{};
    if (GetMessageA(&message, window, 0, 0) > 0) DispatchMessageA(&message);
    layer::ProcessPendingEvents();
}

namespace {

// A box that is up and that no watcher has taken yet, so that a box opened while another one is
// still up is found too.
QMessageBox* NewVisibleBox() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible() && !box->property("seen").toBool())
            return box;
    return nullptr;
}

SeenBox Describe(const QMessageBox& box) {
    SeenBox seen;
    seen.caption = box.windowTitle().toStdString();
    seen.text = box.text().toStdString();
    seen.topmost = box.windowFlags() & Qt::WindowStaysOnTopHint;
    seen.hasOwner = box.parentWidget() != nullptr;
    seen.blocksOtherWindows = box.isModal();
    seen.buttons = static_cast<int>(box.buttons().size());
    seen.hasIcon = box.icon() != QMessageBox::NoIcon;
    return seen;
}

}  // namespace

std::vector<SeenBox> DismissingBoxes(const std::function<void()>& action,
                                     const std::function<void(int boxNumber)>& whileUp) {
    std::vector<SeenBox> seen;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QMessageBox* box = NewVisibleBox();
        if (!box) return;
        box->setProperty("seen", true);
        seen.push_back(Describe(*box));
        if (whileUp) whileUp(static_cast<int>(seen.size()));
        if (box->isVisible() && !box->buttons().isEmpty()) box->buttons().first()->click();
    });
    watcher.start();
    action();
    watcher.stop();
    return seen;
}
