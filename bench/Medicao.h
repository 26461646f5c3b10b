#pragma once

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <vector>

// What the benchmarks that run the game's own loop measure with.
namespace medicao {

using Relogio = std::chrono::steady_clock;

inline double ms(Relogio::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The value below which a share `p` (0 to 1) of `v` lies; 0 for none.
inline double percentil(std::vector<double> v, double p) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

// Processor time of the whole process (every thread), in ms.
inline double cpuMs() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    auto emMs = [](timeval t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return emMs(uso.ru_utime) + emMs(uso.ru_stime);
}

}  // namespace medicao
