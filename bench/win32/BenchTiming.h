#pragma once

// Timing of one operation repeated many times on the steady clock: median and 95th percentile.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "win32/support/BarHarness.h"

namespace tarvik::bench {

struct Timing {
    double medianUs = 0;
    double p95Us = 0;
    double minUs = 0;
};

// Times `run` once per repetition; `prepare` runs before each one, untimed. A few warm-up rounds
// go first.
template <typename Prepare, typename Run>
Timing Measure(int repetitions, Prepare&& prepare, Run&& run) {
    for (int i = 0; i < 5; ++i) {
        prepare();
        run();
    }
    std::vector<double> samples;
    samples.reserve(static_cast<size_t>(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        run();
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double fraction) {
        const size_t index =
            static_cast<size_t>(fraction * static_cast<double>(samples.size() - 1));
        return samples[index];
    };
    return {at(0.5), at(0.95), samples.front()};
}

template <typename Run>
Timing Measure(int repetitions, Run&& run) {
    return Measure(
        repetitions, [] {}, run);
}

inline void Report(const char* name, int repetitions, const Timing& timing) {
    std::printf("%-52s n=%-5d median %9.1f us   p95 %9.1f us   min %9.1f us\n", name, repetitions,
                timing.medianUs, timing.p95Us, timing.minUs);
    std::fflush(stdout);
}

// Whether the bar of a timing program was made; says so when it was not.
inline bool Ready(const test::BarHarness& harness) {
    if (!harness.Ready()) std::printf("the bar could not be made\n");
    return harness.Ready();
}

// Handles whatever this thread has queued, without waiting.
inline void DrainMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace tarvik::bench
