// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/screen_round.h"

#include <malloc.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "app/app.h"
#include "app/main_menu.h"
#include "learning/learning_screens.h"
#include "platform/qt/layer_probes.h"
#include "quiz/quiz_screens.h"

const std::vector<ScreenChange>& ScreenRound() {
    static const std::vector<ScreenChange> round = {
        {"main menu -> learning set-up", nullptr, &LearningButton},
        {"learning set-up -> learning run", nullptr, &LearningStartButton},
        {"learning run -> main menu", nullptr, &LearningStopButton},
        {"main menu -> test set-up", nullptr, &TestingButton},
        {"test set-up -> choice run", &WithHintRadio, &TestStartButton},
        {"choice run -> main menu", nullptr, &ChoiceStopButton},
        {"main menu -> test set-up", nullptr, &TestingButton},
        {"test set-up -> typed run", &WithoutHintRadio, &TestStartButton},
        {"typed run -> main menu", nullptr, &TypedStopButton},
    };
    return round;
}

std::vector<HWND> ControlsOnScreen() {
    std::vector<HWND> controls = layer::ChildrenOf(MainWindow);
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (HWND grandchild : layer::ChildrenOf(controls[i])) controls.push_back(grandchild);
    return controls;
}

MemoryUse MemoryNow() {
    MemoryUse use;
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") status >> use.resident;
        if (key == "RssAnon:") status >> use.anonymous;
        if (key == "RssFile:") status >> use.file;
        status.ignore(1 << 16, '\n');
    }
    use.heap = static_cast<std::int64_t>(mallinfo2().uordblks / 1024);
    return use;
}

void Settle(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        layer::ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
