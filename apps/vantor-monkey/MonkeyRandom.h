#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace monkey {

// The monkey's dice: splitmix64, so a seed gives the same scenario with any
// compiler and standard library (the standard distributions may differ).
class MonkeyRandom {
public:
    explicit MonkeyRandom(uint64_t seed) : m_state(seed) { }

    uint64_t next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // In [0, 1).
    double unit() { return double(next() >> 11) * 0x1.0p-53; }
    double between(double low, double high) { return low + (high - low) * unit(); }
    // In [0, count); count must be positive.
    int below(int count) { return int(next() % uint64_t(count)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(double probability) { return unit() < probability; }

    // An index chosen with the given weights.
    int weighted(std::initializer_list<int> weights)
    {
        int total = 0;
        for (int w : weights)
            total += w;
        int roll = below(total);
        int index = 0;
        for (int w : weights) {
            if (roll < w)
                return index;
            roll -= w;
            ++index;
        }
        return index - 1;
    }

    template <typename T>
    T pick(std::initializer_list<T> options)
    {
        return options.begin()[below(int(options.size()))];
    }

private:
    uint64_t m_state;
};

}
