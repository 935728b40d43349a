// Driving the program through its widgets, as a learner would.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

// A left click on the control, then whatever it caused is delivered.
void Click(HWND control);
// Characters typed into the control, each as a key press carrying its text.
void Type(HWND control, const QString& text);
void PressKey(HWND control, int qtKey);
// A timer tick posted to the window and run through GetMessageA and DispatchMessageA.
void Tick(HWND window);

// The control's text as the program stored it, in UTF-8.
std::string Text(HWND control);
// A UTF-8 text as Windows-1251 bytes.
std::string Cp1251(const std::string& utf8);

struct Box {
    std::string caption, text;  // UTF-8, as shown
};
// Runs action; each message box that comes up meanwhile is recorded, handed to whileUp (which
// may act on the windows beneath it) and dismissed with its button.
std::vector<Box> Boxes(const std::function<void()>& action, const std::function<void()>& whileUp = {});
// The message box that came up last of those still up, or 0.
class QMessageBox* BoxUp();

// While it lives, takes the addresses the desktop is asked to open, in place of the desktop's
// mail program and browser.
class Opened : public QObject {
    Q_OBJECT
public:
    Opened() {
        for (const char* scheme : {"mailto", "http"}) QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~Opened() override {
        for (const char* scheme : {"mailto", "http"}) QDesktopServices::unsetUrlHandler(scheme);
    }
    QStringList addresses;
public slots:
    void open(const QUrl& url) { addresses.append(url.toString()); }
};
