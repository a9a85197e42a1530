#pragma once

#include <atomic>

namespace kit::detail {
void reportNotYet(const char* what, const char* file, int line);
}

// The one marker for behaviour that a later piece of work builds. It logs its
// text the first time each call site runs and otherwise does nothing.
#define NOT_YET(what)                                                             \
    do {                                                                          \
        static std::atomic<bool> kitNotYetReported { false };                     \
        if (!kitNotYetReported.exchange(true))                                    \
            ::kit::detail::reportNotYet((what), __FILE__, __LINE__);              \
    } while (0)
