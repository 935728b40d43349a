// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the spacing of the flash cards' timer ticks as the program receives them.
// Each tick is due a whole number of periods after the start; how late it arrives is its
// lateness. Drift is the lateness of the last tick less that of the first: it stays near zero
// when late ticks do not push the later ones back.
// usage: card_ticks [TICKS] [SECONDS]   (defaults: 100 ticks of a 1-second period)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/app.h"
#include "app/main_menu.h"
#include "app/start_up.h"
#include "learning/learning_screens.h"

namespace {
constexpr double kTolerance = 5.0;  // ms
using Clock = std::chrono::steady_clock;
std::vector<Clock::time_point> Arrivals;
WNDPROC ProgramProc = nullptr;

// In front of the main window's procedure: notes when each tick arrives.
LRESULT CALLBACK NoteTicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) Arrivals.push_back(Clock::now());
    return CallWindowProcA(ProgramProc, window, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 100;
    const char* seconds = argc > 2 ? argv[2] : "1";
    std::vector<Clock::time_point>& arrivals = Arrivals;
    OpenMainWindow();
    SendMessageA(MainWindow, WM_COMMAND, 0, reinterpret_cast<LPARAM>(LearningButton));
    SetWindowTextA(DisplayTimeEdit, seconds);
    const Clock::time_point start = Clock::now();
    SendMessageA(MainWindow, WM_COMMAND, 0, reinterpret_cast<LPARAM>(LearningStartButton));
    ProgramProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoteTicks)));
    MSG message{};
    while (static_cast<int>(arrivals.size()) < ticks && GetMessageA(&message, MainWindow, 0, 0) > 0)
        DispatchMessageA(&message);

    const double period = std::atof(seconds) * 1000.0;
    std::vector<double> spacing, deviation, lateness;
    for (std::size_t i = 0; i < arrivals.size(); ++i) {
        // Tick i + 1 is due i + 1 periods after the start.
        lateness.push_back(std::chrono::duration<double, std::milli>(arrivals[i] - start).count() -
                           period * static_cast<double>(i + 1));
        if (i == 0) continue;
        spacing.push_back(std::chrono::duration<double, std::milli>(arrivals[i] - arrivals[i - 1]).count());
        deviation.push_back(std::abs(spacing.back() - period));
    }
    if (spacing.empty()) {
        std::fprintf(stderr, "card_ticks: too few ticks\n");
        return 1;
    }
    std::sort(spacing.begin(), spacing.end());
    const double worst = *std::max_element(deviation.begin(), deviation.end());
    const double drift = lateness.back() - lateness.front();
    const auto [earliest, latest] = std::minmax_element(lateness.begin(), lateness.end());
    std::printf("| card ticks, %.0f ms period: spacing of %zu ticks | median %.2f ms (shortest %.2f, longest %.2f) | | |\n",
                period, arrivals.size(), spacing[spacing.size() / 2], spacing.front(), spacing.back());
    std::printf("| card ticks: worst deviation of a spacing from the period | %.2f ms | within 5 ms | %s |\n", worst,
                worst <= kTolerance ? "met" : "missed");
    std::printf("| card ticks: drift, lateness of the last tick less that of the first | %+.2f ms (lateness of all %zu ticks within a range of %.2f ms) | no drift (within 5 ms) | %s |\n",
                drift, lateness.size(), *latest - *earliest, std::abs(drift) <= kTolerance ? "met" : "missed");
    return 0;
}
