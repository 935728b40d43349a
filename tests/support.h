// SPDX-License-Identifier: GPL-3.0-or-later
// Driving the program through its widgets, as a learner would; with the headers of its screens.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTest>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/main_menu.h"
#include "app/start_up.h"
#include "learning/learning_screens.h"
#include "platform/qt/layer.h"
#include "platform/qt/layer_probes.h"
#include "quiz/quiz_screens.h"

// Each action is followed by the delivery of whatever it caused.
void Click(HWND control);
void Type(HWND control, const QString& text);  // each character a key press carrying its text
void PressKey(HWND control, int qtKey);
void Tick(HWND window);  // a WM_TIMER posted and run through GetMessageA and DispatchMessageA

std::string Text(HWND control);  // as the program stored it, in UTF-8
std::string Cp1251(const std::string& utf8);

// Runs action; each message box that comes up meanwhile is recorded as "caption|text" (UTF-8, as
// shown), handed to whileUp (which may act on the windows beneath it) and dismissed with its button.
std::vector<std::string> Boxes(const std::function<void()>& action, const std::function<void()>& whileUp = {});
// The message box that came up last of those still up, or 0.
QMessageBox* BoxUp();

// While it lives, takes the addresses the desktop is asked to open, in place of its mail program.
class Opened : public QObject {
    Q_OBJECT
public:
    Opened() { for (const char* scheme : {"mailto", "http"}) QDesktopServices::setUrlHandler(scheme, this, "open"); }
    ~Opened() override { for (const char* scheme : {"mailto", "http"}) QDesktopServices::unsetUrlHandler(scheme); }
    QStringList addresses;
public slots:
    void open(const QUrl& url) { addresses.append(url.toString()); }
};
