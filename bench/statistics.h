// SPDX-License-Identifier: GPL-3.0-or-later
// Figures the benchmarks share.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

inline double Milliseconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
