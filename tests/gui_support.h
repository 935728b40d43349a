// Driving the program through its real widgets in tests.
#pragma once

#include <QObject>
#include <QUrl>
#include <string>

#include "platform/win32.h"

// Collects the addresses the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

// A left click on the control's widget, then whatever it caused is delivered.
void Click(HWND control);
// The control's text as UTF-8.
std::string Utf8TextOf(HWND control);
// The control's position and size in its parent's client area.
QRect GeometryOf(HWND control);
