// SPDX-License-Identifier: GPL-3.0-or-later
// Measures RussianText and ItalianText: the time of each call for random indices (median and
// slowest), and the mean over one run of calls timed as a whole.
// usage: dictionary_texts [CALLS]   (default 1000000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "statistics.h"
#include "dictionary/dictionary.h"

namespace {

using Clock = std::chrono::steady_clock;

double Nanoseconds(Clock::duration duration) { return std::chrono::duration<double, std::nano>(duration).count(); }

std::size_t Sink = 0;  // keeps the calls from being optimised away

void Measure(const char* name, std::string (*text)(WordIndex), const std::vector<WordIndex>& indices,
             double clockCost) {
    std::vector<double> each(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const Clock::time_point start = Clock::now();
        Sink += text(indices[i]).size();
        each[i] = Nanoseconds(Clock::now() - start);
    }
    const Clock::time_point start = Clock::now();
    for (WordIndex index : indices) Sink += text(index).size();
    const double mean = Nanoseconds(Clock::now() - start) / static_cast<double>(indices.size());
    const double slowest = *std::max_element(each.begin(), each.end());
    const double median = Median(each);
    std::printf("| %s per call (median of %zu random indices) | %.0f ns (%.0f ns less the clock's own cost; slowest %.1f us) | | |\n",
                name, indices.size(), median, median - clockCost, slowest / 1000.0);
    std::printf("| %s per call (mean of %zu calls timed together) | %.0f ns | | |\n", name, indices.size(), mean);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t calls = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    std::mt19937 generator(8);
    std::uniform_int_distribution<WordIndex> anyIndex(1, kWordCount);
    std::vector<WordIndex> indices(calls);
    for (WordIndex& index : indices) index = anyIndex(generator);

    std::vector<double> clockReads(calls);
    for (double& cost : clockReads) {
        const Clock::time_point start = Clock::now();
        cost = Nanoseconds(Clock::now() - start);
    }
    const double clockCost = Median(clockReads);

    Measure("RussianText", RussianText, indices, clockCost);
    Measure("ItalianText", ItalianText, indices, clockCost);
    std::fprintf(stderr, "(%zu bytes read)\n", Sink);
    return 0;
}
