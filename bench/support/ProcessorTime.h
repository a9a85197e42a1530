#pragma once

#include <algorithm>
#include <time.h>
#include <vector>

namespace benchsupport {

// Seconds of processor time (user and system, every thread) this process
// has used: the figure other load on a shared machine disturbs least.
inline double processorSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}
