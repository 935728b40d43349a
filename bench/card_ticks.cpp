// Measures the spacing of the flash cards' timer ticks as the program receives them.
// usage: card_ticks [TICKS] [SECONDS]   (defaults: 50 ticks of a 1-second period)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/app.h"
#include "app/main_menu.h"
#include "app/start_up.h"
#include "learning/learning_screens.h"
#include "platform/qt/inspect.h"

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 50;
    const char* seconds = argc > 2 ? argv[2] : "1";
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> arrivals;
    OpenMainWindow();
    SendMessageA(MainWindow, WM_COMMAND, 0, reinterpret_cast<LPARAM>(LearningButton));
    SetWindowTextA(DisplayTimeEdit, seconds);
    const Clock::time_point start = Clock::now();
    SendMessageA(MainWindow, WM_COMMAND, 0, reinterpret_cast<LPARAM>(LearningStartButton));
    layer::SetMessageSpy([&](HWND window, UINT message, WPARAM, LPARAM) {
        if (window == MainWindow && message == WM_TIMER) arrivals.push_back(Clock::now());
    });
    MSG message{};
    while (static_cast<int>(arrivals.size()) < ticks && GetMessageA(&message, MainWindow, 0, 0) > 0)
        DispatchMessageA(&message);

    const double period = std::atof(seconds) * 1000.0;
    std::vector<double> spacing, deviation;
    for (std::size_t i = 1; i < arrivals.size(); ++i) {
        spacing.push_back(std::chrono::duration<double, std::milli>(arrivals[i] - arrivals[i - 1]).count());
        deviation.push_back(std::abs(spacing.back() - period));
    }
    std::sort(spacing.begin(), spacing.end());
    const double drift = std::chrono::duration<double, std::milli>(arrivals.back() - start).count() -
                         period * static_cast<double>(arrivals.size());
    std::printf("ticks %zu, period %.0f ms\n", arrivals.size(), period);
    std::printf("spacing median %.2f ms, shortest %.2f ms, longest %.2f ms\n", spacing[spacing.size() / 2],
                spacing.front(), spacing.back());
    std::printf("worst deviation from the period %.2f ms\n", *std::max_element(deviation.begin(), deviation.end()));
    std::printf("drift of the last tick from its schedule %.2f ms\n", drift);
    return 0;
}
