// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how long a screen change takes: from the click on the button (a real mouse click on
// its widget) until every control of the new screen exists and has been painted. The time ends
// when the click and all the work it queued have been handled and each control of the new
// screen has received its paint event since the click.
// usage: screen_changes [ROUNDS]   (default 1000 rounds of nine changes)
#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "statistics.h"
#include "app/start_up.h"
#include "bench/screen_round.h"
#include "platform/qt/layer_probes.h"
#include "tests/support.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTargetMilliseconds = 5.0;

// Remembers which widgets have been painted since it was last cleared.
class PaintWatch : public QObject {
public:
    std::set<QObject*> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted.insert(watched);
        return false;
    }
};

bool AllPainted(const PaintWatch& watch) {
    for (HWND control : ControlsOnScreen()) {
        QWidget* widget = layer::WidgetOf(control);
        if (widget && widget->isVisible() && !watch.painted.count(widget)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
    OpenMainWindow();
    Settle(300);
    PaintWatch watch;
    qApp->installEventFilter(&watch);

    std::map<std::string, std::vector<double>> times;
    std::vector<std::string> order;
    std::vector<double> all;
    int unpainted = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const ScreenChange& change : ScreenRound()) {
            if (change.setting) Click(*change.setting);
            QWidget* button = layer::WidgetOf(*change.control);
            if (!button) {
                std::fprintf(stderr, "screen_changes: no control for \"%s\"\n", change.name);
                return 1;
            }
            watch.painted.clear();
            const Clock::time_point start = Clock::now();
            QTest::mouseClick(button, Qt::LeftButton);
            layer::ProcessPendingEvents();
            const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(1);
            while (!AllPainted(watch) && Clock::now() < giveUp) layer::ProcessPendingEvents();
            const double elapsed = Milliseconds(Clock::now() - start);
            if (!AllPainted(watch)) ++unpainted;
            if (!times.count(change.name)) order.push_back(change.name);
            times[change.name].push_back(elapsed);
            all.push_back(elapsed);
        }
    }
    qApp->removeEventFilter(&watch);

    double worstMedian = 0;
    for (const std::string& name : order) {
        const std::vector<double>& values = times[name];
        const double median = Median(values);
        worstMedian = std::max(worstMedian, median);
        std::printf("| screen change %s (median of %zu) | %.2f ms (worst %.2f) | | |\n", name.c_str(), values.size(),
                    median, *std::max_element(values.begin(), values.end()));
    }
    std::printf("| screen change, all kinds (median of %zu) | %.2f ms (worst %.2f; slowest kind's median %.2f) | under 5 ms (the median of each kind) | %s |\n",
                all.size(), Median(all), *std::max_element(all.begin(), all.end()), worstMedian,
                worstMedian < kTargetMilliseconds ? "met" : "missed");
    if (unpainted) std::printf("| screen changes whose controls were not all painted within 1 s | %d | 0 | |\n", unpainted);
    return 0;
}
