// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the memory of the program at its main menu and after many screen changes, each a real
// click on the button that leads to the next screen; then over many cards shown on the learning
// run screen, each tick passing through the message loop. Besides the resident memory (VmRSS)
// it shows the parts that tell a leak from a first use: private memory, pages of the libraries'
// files brought in when a screen first needs their code, and the heap in use.
// usage: memory_use [CHANGES] [CARDS]   (defaults: 10000 screen changes, 10000 cards)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app.h"
#include "app/main_menu.h"
#include "app/start_up.h"
#include "bench/screen_round.h"
#include "learning/learning_screens.h"
#include "tests/support.h"

namespace {

constexpr std::int64_t kTargetGrowthKilobytes = 1024;

// Goes round the screens until at least the given number of changes is made; gives the count.
int ChangeScreens(int changes) {
    int made = 0;
    while (made < changes) {
        for (const ScreenChange& change : ScreenRound()) {
            if (change.setting) Click(*change.setting);
            Click(*change.control);
        }
        made += static_cast<int>(ScreenRound().size());
    }
    return made;
}

double Megabytes(std::int64_t kilobytes) { return static_cast<double>(kilobytes) / 1024.0; }

// What is pending is handled before memory is read.
MemoryUse Reading() {
    Settle(100);
    return MemoryNow();
}

void PrintLevel(const std::string& when, const MemoryUse& use) {
    std::printf("| resident memory %s | %.2f MB (private %.2f, library files %.2f; heap in use %.2f) | | |\n",
                when.c_str(), Megabytes(use.resident), Megabytes(use.anonymous), Megabytes(use.file),
                Megabytes(use.heap));
}

void PrintGrowth(const std::string& what, const MemoryUse& from, const MemoryUse& to, bool target) {
    const std::int64_t growth = to.resident - from.resident;
    std::printf("| growth %s | %+.2f MB (private %+.2f, library files %+.2f; heap in use %+.2f) | %s | %s |\n",
                what.c_str(), Megabytes(growth), Megabytes(to.anonymous - from.anonymous), Megabytes(to.file - from.file),
                Megabytes(to.heap - from.heap), target ? "under 1 MB" : "",
                target ? (growth < kTargetGrowthKilobytes ? "met" : "missed") : "");
}

}  // namespace

int main(int argc, char** argv) {
    const int changes = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int cards = argc > 2 ? std::atoi(argv[2]) : 10000;
    OpenMainWindow();
    Settle(200);
    const MemoryUse atMenu = Reading();
    int made = ChangeScreens(1);
    const int firstRound = made;
    const MemoryUse afterFirstRound = Reading();
    made += ChangeScreens(changes / 2 - made);
    const int half = made;
    const MemoryUse atHalf = Reading();
    made += ChangeScreens(changes - made);
    const MemoryUse atEnd = Reading();

    PrintLevel("at the main menu", atMenu);
    PrintLevel("after the first round (" + std::to_string(firstRound) + " screen changes)", afterFirstRound);
    PrintLevel("after " + std::to_string(made) + " screen changes", atEnd);
    PrintGrowth("over " + std::to_string(made) + " screen changes, from the main menu", atMenu, atEnd, true);
    PrintGrowth("over the first round alone (each screen shown once)", atMenu, afterFirstRound, false);
    PrintGrowth("from the first round to " + std::to_string(made) + " screen changes", afterFirstRound, atEnd, false);
    PrintGrowth("over the second half (" + std::to_string(made - half) + " screen changes)", atHalf, atEnd, false);

    if (cards > 0) {
        Click(LearningButton);
        Click(LearningStartButton);
        for (int card = 0; card < 100; ++card) Tick(MainWindow);
        const MemoryUse beforeCards = Reading();
        for (int card = 0; card < cards; ++card) Tick(MainWindow);
        const MemoryUse afterCards = Reading();
        PrintGrowth("over " + std::to_string(cards) + " cards shown (after the first 100)", beforeCards, afterCards, false);
        Click(LearningStopButton);
    }
    return 0;
}
