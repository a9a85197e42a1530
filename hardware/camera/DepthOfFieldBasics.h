#pragma once

// What the depth of field's passes share: the blur each pyramid level
// stands for, texels as four floats, and the runs of columns between the
// texels of a finer grid.

#include "hardware/camera/DepthOfField.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace hardware::dof {

// Level k of a pyramid blurs about as a lens blurring by 3.5·2^(k−1)
// pixels does (its box, its smoothing and the bilinear read together).
constexpr float firstLevelBlur = 3.5f;
// Pixels blurred less than this are sharp.
constexpr float sharpBlur = 0.5f;
constexpr int deepestLevel = 12;
// Weights below this are none.
constexpr float noWeight = 1e-6f;
// A far field blurred this much or more is read from level 2 and deeper,
// and is smooth enough to be made at a quarter of the frame's size.
constexpr float quarterBlur = 2 * firstLevelBlur;

using Texel = SensorReadout::Linear;

inline Texel load(const float* at)
{
    Texel texel;
    std::memcpy(&texel, at, sizeof texel);
    return texel;
}

inline void store(float* at, Texel texel)
{
    std::memcpy(at, &texel, sizeof texel);
}

// The pyramid level (fractional, 1 and up) whose blur matches.
inline float exactLevelFor(float blur)
{
    return blur <= firstLevelBlur ? 1.0f : 1 + std::log2(blur / firstLevelBlur);
}

// The same from a table, in eighths of a pixel up to 1024 pixels.
inline float levelFor(float blur)
{
    static const auto table = [] {
        std::vector<float> levels(8192);
        for (size_t i = 0; i < levels.size(); ++i)
            levels[i] = exactLevelFor(float(i) / 8);
        return levels;
    }();
    float index = blur * 8;
    return index < float(table.size() - 1) ? table[size_t(index)] : exactLevelFor(blur);
}

inline int levelsFor(float blur)
{
    return std::clamp(int(std::ceil(levelFor(blur))), 1, deepestLevel);
}

// A row of four-float texels, `width` of them, smoothed [1 2 1] / 4 and
// averaged two by two, the edges repeated and an odd last texel counting
// twice, as one filter: the columns of `made` of the row of half the size,
// into `out`. A level's rows become the next level's so before they are
// smoothed.
void halveRow(const float* line, int width, ColumnSpan made, float* out);

// How many of `flags` from `from` on, before `to`, are ones: eight at a
// time while they are.
inline int runOfOnes(const uint8_t* flags, int from, int to)
{
    constexpr uint64_t eightOnes = 0x0101010101010101u;
    int x = from;
    uint64_t eight;
    while (x + 8 <= to && (std::memcpy(&eight, flags + x, 8), eight == eightOnes))
        x += 8;
    while (x < to && flags[x] == 1)
        ++x;
    return x - from;
}

// Frame columns 2i + 1 and 2i + 2 lie a quarter of the way into the gap
// between half-size texels i and i + 1, from either side. Calls
// between(first, count, x) once for the run of such pairs of columns from
// `from` to before `to` (`count` pairs from texel `first`, starting at frame
// column x), and alone(x) for the others: the ends of the range, and the
// frame's first column and its last when it is even, which hold an edge
// texel alone.
template <typename Alone, typename Between>
void forColumnsBetweenTexels(int from, int to, int halfWidth, Alone alone, Between between)
{
    int x = from;
    if (x < to && x % 2 == 0)
        alone(x++);
    int count = std::min((to - x) / 2, halfWidth - (x + 1) / 2);
    if (count > 0) {
        between((x - 1) / 2, count, x);
        x += 2 * count;
    }
    for (; x < to; ++x)
        alone(x);
}

}

namespace hardware {

inline DepthOfField::Texel DepthOfField::blend(const float* upper, const float* lower, const Tap& row, const Tap& column)
{
    Texel a = dof::load(upper + column.a * 4), b = dof::load(upper + column.b * 4);
    Texel c = dof::load(lower + column.a * 4), d = dof::load(lower + column.b * 4);
    Texel top = a + (b - a) * column.t;
    Texel bottom = c + (d - c) * column.t;
    return top + (bottom - top) * row.t;
}

}
