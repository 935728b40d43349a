// Driving the program through its real widgets in tests.
#pragma once

#include <QObject>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

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
// Keys typed into the control's widget, as a user types them.
void Type(HWND control, const QString& keys);
// The control's text as UTF-8.
std::string Utf8TextOf(HWND control);
// The control's position and size in its parent's client area.
QRect GeometryOf(HWND control);
// Whether the control is the one its window gives the keyboard to.
bool HasFocusInItsWindow(HWND control);

// A timer tick posted to the window and run through GetMessageA and DispatchMessageA.
void TickThroughTheLoop(HWND window, UINT_PTR id);

// A message box as the learner saw it.
struct SeenBox {
    std::string caption;  // UTF-8
    std::string text;     // UTF-8, line breaks as "\n"
    bool topmost = false;
    bool hasOwner = false;
    bool blocksOtherWindows = false;
    int buttons = 0;
    bool hasIcon = false;
};

// Runs action; every message box that comes up meanwhile is recorded, given whileUp (which
// may act on the windows beneath the box) and dismissed with its OK button.
std::vector<SeenBox> DismissingBoxes(const std::function<void()>& action,
                                     const std::function<void(int boxNumber)>& whileUp = {});
