#include "tests/gui_support.h"

#include <QTest>
#include <QWidget>

#include "platform/qt/inspect.h"
#include "platform/qt/layer.h"

void Click(HWND control) {
    QWidget* widget = layer::WidgetOf(control);
    if (widget) QTest::mouseClick(widget, Qt::LeftButton);
    layer::ProcessPendingEvents();
}

std::string Utf8TextOf(HWND control) {
    layer::WindowInfo info;
    return layer::GetWindowInfo(control, info) ? layer::FromAnsi(info.text).toStdString() : std::string();
}

QRect GeometryOf(HWND control) {
    QWidget* widget = layer::WidgetOf(control);
    return widget ? widget->geometry() : QRect();
}
