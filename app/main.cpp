// SPDX-License-Identifier: GPL-3.0-or-later
// Vocarta: a vocabulary trainer for Russian-speaking learners of Italian.
#include "app/start_up.h"
#include "dictionary/random.h"

int main() {
    if (!IsFirstInstance()) return 0;
    OpenMainWindow();
    SeedRandom();
    RunMessageLoop();
    return 0;
}
