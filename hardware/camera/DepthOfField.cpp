#include "hardware/camera/DepthOfField.h"

#include "hardware/camera/PackedPixels.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace hardware {

namespace {

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

Texel load(const float* at)
{
    Texel texel;
    std::memcpy(&texel, at, sizeof texel);
    return texel;
}

void store(float* at, Texel texel)
{
    std::memcpy(at, &texel, sizeof texel);
}

// How much a pixel takes part in the blurred field: not at all while sharp,
// nor while so little blurred that it would not move a 256th toward its blur.
float weightOf(float blur)
{
    float t = std::clamp((blur - sharpBlur) / 1.5f, 0.0f, 1.0f);
    float weight = t * t * (3 - 2 * t);
    return weight < 1.0f / 256 ? 0.0f : weight;
}

// The pyramid level (fractional, 1 and up) whose blur matches.
float exactLevelFor(float blur)
{
    return blur <= firstLevelBlur ? 1.0f : 1 + std::log2(blur / firstLevelBlur);
}

// The same from a table, in eighths of a pixel up to 1024 pixels.
float levelFor(float blur)
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

int levelsFor(float blur)
{
    return std::clamp(int(std::ceil(levelFor(blur))), 1, deepestLevel);
}

// [1 2 1] / 4 along a row of four-float texels, edges repeated, in place:
// its columns in `span`, the others read as they are. Answers the columns
// that may hold weight after, when only those of `span` did before.
ColumnSpan smoothRow(float* line, int width, ColumnSpan span)
{
    if (span.empty())
        return span;
    span = span.widened(1, width);
    Texel previous = load(line + std::max(0, span.from - 1) * 4);
    for (int x = span.from; x < span.to; ++x) {
        float* here = line + x * 4;
        Texel current = load(here);
        Texel next = x + 1 < width ? load(here + 4) : current;
        store(here, 0.25f * (previous + next) + 0.5f * current);
        previous = current;
    }
    return span;
}

// How many of `flags` from `from` on, before `to`, are ones: eight at a
// time while they are.
int runOfOnes(const uint8_t* flags, int from, int to)
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

// [1 2 1] / 4 down the columns of a level whose rows arrive one at a time,
// edges repeated: a row is finished in place once the one below it is
// there, so the level is smoothed while it is made, in one pass. Only the
// columns the three rows hold weight in are worked. The rows are made in
// the level itself, which learns each row's columns once smoothed, or in a
// ring of a few, where each is at hand until the coarser level has taken
// it, and is kept in the level only when asked to.
class DepthOfField::ColumnSmoother {
public:
    ColumnSmoother(Level& level, RowRing* ring = nullptr)
        : m_level(level)
        , m_ring(ring)
    {
        if (m_ring && m_ring->width != level.width) {
            m_ring->width = level.width;
            m_ring->texels.assign(size_t(level.width) * RowRing::rows * 4, 0.0f);
            m_ring->spans.fill({});
        }
    }

    // Where row y is to be made: zeros outside `made`, cleared only where
    // they held weight before.
    float* rowToMake(int y, ColumnSpan made)
    {
        ColumnSpan& held = m_ring ? m_ring->spans[size_t(y % RowRing::rows)] : m_level.rowSpans[size_t(y)];
        float* line = row(y);
        forColumnsOutside(held, made, [&](int from, int to) { std::fill(line + from * 4, line + to * 4, 0.0f); });
        held = made;
        return line;
    }
    // Row y, once finished; in a ring, until three more have arrived.
    LevelRow finishedRow(int y) const
    {
        return m_ring ? LevelRow { row(y), m_ring->spans[size_t(y % RowRing::rows)] } : rowOf(m_level, y);
    }
    // Row y, finished in a ring, kept in the level too.
    void keep(int y)
    {
        LevelRow finished = finishedRow(y);
        float* line = &m_level.texels[size_t(y) * size_t(m_level.width) * 4];
        ColumnSpan& held = m_level.rowSpans[size_t(y)];
        forColumnsOutside(held, finished.span, [&](int from, int to) { std::fill(line + from * 4, line + to * 4, 0.0f); });
        held = finished.span;
        std::copy(finished.texels + held.from * 4, finished.texels + held.to * 4, line + held.from * 4);
    }

    // Row y is made: weight in `span`, zeros elsewhere.
    void rowArrived(int y, ColumnSpan span)
    {
        const float* line = row(y);
        if (y == 0) {
            m_above.assign(line, line + size_t(m_level.width) * 4);
            m_aboveSpan = span;
        } else {
            finishRow(y - 1, line, span);
        }
        m_lineSpan = span;
    }
    // The last row, which has none below it.
    void finish(int height)
    {
        finishRow(height - 1, row(height - 1), m_lineSpan);
    }

private:
    float* row(int y) const
    {
        return m_ring ? &m_ring->texels[size_t(y % RowRing::rows) * size_t(m_level.width) * 4]
                      : &m_level.texels[size_t(y) * size_t(m_level.width) * 4];
    }

    void finishRow(int y, const float* below, ColumnSpan belowSpan)
    {
        ColumnSpan span = m_aboveSpan.joined(m_lineSpan).joined(belowSpan);
        (m_ring ? m_ring->spans[size_t(y % RowRing::rows)] : m_level.rowSpans[size_t(y)]) = span;
        // Beyond the span the row, the one below and the copy of the one
        // above are zeros, and stay so.
        float* line = row(y);
        for (size_t i = size_t(span.from) * 4; i < size_t(span.to) * 4; ++i) {
            float current = line[i];
            line[i] = 0.25f * (m_above[i] + below[i]) + 0.5f * current;
            m_above[i] = current;
        }
        m_aboveSpan = m_lineSpan;
    }

    Level& m_level;
    RowRing* m_ring;
    std::vector<float> m_above; // the row above the one to finish, unsmoothed
    ColumnSpan m_aboveSpan;
    ColumnSpan m_lineSpan;
};

void DepthOfField::prepareTables(const SensorReadout& readout)
{
    for (int level = 0; level < 256; ++level) {
        float defocus = readout.defocus(uint8_t(level));
        m_blur[size_t(level)] = std::fabs(defocus);
        float weight = weightOf(std::fabs(defocus));
        m_farWeight[size_t(level)] = defocus < 0 ? weight : 0;
        m_nearWeight[size_t(level)] = defocus > 0 ? weight : 0;
        float far = m_farWeight[size_t(level)], near = m_nearWeight[size_t(level)];
        m_kind[size_t(level)] = far >= 1 ? Kind::Far : far > 0 ? Kind::PartlyFar : Kind::Own;
        m_farMix[size_t(level)] = uint32_t(std::lround(far * 256));
        m_nearBlurred[size_t(level)] = near >= 1;
        m_blurred[size_t(level)] = far > 0 || near > 0;
        // Four points wholly far weigh 4, and their blur is their mean.
        float blur = m_blur[size_t(level)];
        m_plainFarBlur[size_t(level)] = (blur + blur + blur + blur) / 4;
    }
    // The far weight falls toward the focus: the wholly far levels come first.
    m_farLevels = 0;
    while (m_farLevels < 255 && m_kind[m_farLevels] == Kind::Far)
        ++m_farLevels;
}

uint8_t DepthOfField::fieldsAmong(SensorReadout::NearnessRange range) const
{
    // The blur grows steadily away from the focus, so the ends of the range
    // are its most blurred points.
    if (range.farthest > range.nearest)
        return 0;
    uint8_t fields = 0;
    if (m_farWeight[range.farthest] > 0 || m_farWeight[range.nearest] > 0)
        fields |= HoldsFar;
    if (m_nearWeight[range.farthest] > 0 || m_nearWeight[range.nearest] > 0)
        fields |= HoldsNear;
    return fields;
}

ColumnSpan DepthOfField::blurredColumns(const SensorReadout& readout, int y0, int y1) const
{
    int width = readout.width();
    int first = width, last = -1;
    for (int y : { y0, y1 }) {
        const uint8_t* nearness = readout.nearnessRow(y);
        int x = 0;
        while (x < first && !m_blurred[nearness[x]])
            ++x;
        first = x;
        x = width - 1;
        while (x > last && !m_blurred[nearness[x]])
            --x;
        last = x;
    }
    return last < first ? ColumnSpan {} : ColumnSpan { first / 2, last / 2 + 1 };
}

void DepthOfField::sizeLevel(Level& level, int width, int height)
{
    // Kept from the frame before when it has the size.
    if (level.width == width && level.height == height && level.texels.size() == size_t(width) * size_t(height) * 4)
        return;
    level.width = width;
    level.height = height;
    level.texels.assign(size_t(width) * size_t(height) * 4, 0.0f);
    level.rowSpans.assign(size_t(height), ColumnSpan {});
}

void DepthOfField::makeFirstRow(const SensorReadout& readout, int ty, ColumnSpan columns, float* farTexels, float* nearTexels)
{
    int width = readout.width(), height = readout.height();
    // An odd last row or column counts twice.
    int y0 = 2 * ty, y1 = std::min(height - 1, 2 * ty + 1);
    const uint32_t* colours[2] = { readout.colourRow(y0), readout.colourRow(y1) };
    const uint8_t* lightings[2] = { readout.lightingRow(y0), readout.lightingRow(y1) };
    const uint8_t* nearness[2] = { readout.nearnessRow(y0), readout.nearnessRow(y1) };
    // Written through plain pointers, the largest blurs kept apart: a float
    // written could otherwise be any of the members.
    size_t row = size_t(ty) * size_t(m_halfWidth);
    float* farBlurs = farTexels ? &m_farBlur[row] : nullptr;
    float* nearBlurs = nearTexels ? &m_nearBlur[row] : nullptr;
    const Kind* kinds = m_kind.data();
    const float* blurs = m_blur.data();
    const float* farWeights = m_farWeight.data();
    const float* nearWeights = m_nearWeight.data();
    const float* plainBlurs = m_plainFarBlur.data();
    float largestFar = m_largestFarBlur, largestNear = m_largestNearBlur;
    float leastFar = std::numeric_limits<float>::infinity();
    // Two points side by side, as one number: alike when its bytes are.
    auto pair = [](const uint8_t* points, int x) {
        uint16_t both;
        std::memcpy(&both, points + x, sizeof both);
        return both;
    };
    // Four points alike in distance and light, all wholly beyond the focus,
    // make their plain sum. A drawn scene comes in runs of one colour: four
    // points like the four before, under the same light, make the same
    // texel.
    uint64_t lastUpper = 0, lastLower = 0;
    const float* lastTable = nullptr;
    Texel lastTexel {};
    auto alikeTexel = [&](int tx, uint8_t level, const float* table) {
        int x = 2 * tx;
        uint64_t upperColours, lowerColours;
        std::memcpy(&upperColours, colours[0] + x, sizeof upperColours);
        std::memcpy(&lowerColours, colours[1] + x, sizeof lowerColours);
        if (upperColours != lastUpper || lowerColours != lastLower || table != lastTable) {
            uint32_t c[4] = { colours[0][x], colours[0][x + 1], colours[1][x], colours[1][x + 1] };
            auto sum = [&](int channel) {
                const float* values = table + 256 * channel;
                int shift = 16 - 8 * channel;
                return values[c[0] >> shift & 0xff] + values[c[1] >> shift & 0xff] + values[c[2] >> shift & 0xff]
                    + values[c[3] >> shift & 0xff];
            };
            lastTexel = Texel { sum(0), sum(1), sum(2), 4 } * 0.25f;
            lastUpper = upperColours;
            lastLower = lowerColours;
            lastTable = table;
        }
        if (farTexels) {
            store(farTexels + tx * 4, lastTexel);
            farBlurs[tx] = plainBlurs[level];
            largestFar = std::max(largestFar, plainBlurs[level]);
            leastFar = std::min(leastFar, plainBlurs[level]);
        }
        if (nearTexels) {
            store(nearTexels + tx * 4, Texel {});
            nearBlurs[tx] = 0;
        }
    };
    // Eight points side by side, as one number: alike when its bytes are.
    auto eightAlike = [](const uint8_t* const points[2], int x, uint8_t value) {
        uint64_t upper, lower, all = value * 0x0101010101010101u;
        std::memcpy(&upper, points[0] + x, sizeof upper);
        std::memcpy(&lower, points[1] + x, sizeof lower);
        return upper == all && lower == all;
    };
    // The texels with two points across: all but an odd last one.
    int pairedTo = std::min(columns.to, width / 2);
    for (int tx = columns.from; tx < columns.to; ++tx) {
        Texel far {}, near {};
        float farBlur = 0, nearBlur = 0;
        int xs[2] = { 2 * tx, std::min(width - 1, 2 * tx + 1) };
        // Most of what lies beyond the focus is wholly blurred, four points
        // alike, and often the four texels on from them too.
        uint8_t level = nearness[0][xs[0]];
        uint8_t lighting = lightings[0] ? lightings[0][xs[0]] : 0;
        uint16_t levels = uint16_t(level * 0x101u), lights = uint16_t(lighting * 0x101u);
        const float* table = readout.valueTable(lighting);
        if (kinds[level] == Kind::Far && table && tx < pairedTo) {
            if (tx + 4 <= pairedTo && eightAlike(nearness, xs[0], level)
                && (!lightings[0] || eightAlike(lightings, xs[0], lighting))) {
                for (int i = 0; i < 4; ++i)
                    alikeTexel(tx + i, level, table);
                tx += 3;
                continue;
            }
            if (pair(nearness[0], xs[0]) == levels && pair(nearness[1], xs[0]) == levels
                && (!lightings[0] || (pair(lightings[0], xs[0]) == lights && pair(lightings[1], xs[0]) == lights))) {
                alikeTexel(tx, level, table);
                continue;
            }
        }
        // A sharp subject among the blurred points: four points alike at a
        // sharp distance, and often the four texels on, belong to neither
        // field.
        if (!m_blurred[level] && tx < pairedTo) {
            int count = tx + 4 <= pairedTo && eightAlike(nearness, xs[0], level) ? 4
                : pair(nearness[0], xs[0]) == levels && pair(nearness[1], xs[0]) == levels ? 1
                : 0;
            if (count) {
                if (farTexels) {
                    std::fill(farTexels + tx * 4, farTexels + (tx + count) * 4, 0.0f);
                    std::fill(farBlurs + tx, farBlurs + tx + count, 0.0f);
                }
                if (nearTexels) {
                    std::fill(nearTexels + tx * 4, nearTexels + (tx + count) * 4, 0.0f);
                    std::fill(nearBlurs + tx, nearBlurs + tx + count, 0.0f);
                }
                tx += count - 1;
                continue;
            }
        }
        // Each point by how much it belongs to either field.
        for (int i = 0; i < 2; ++i) {
            for (int x : xs) {
                // A point is beyond the focus, nearer, or sharp.
                uint8_t at = nearness[i][x];
                float fw = farWeights[at], nw = nearWeights[at];
                if (fw == 0 && nw == 0)
                    continue;
                float r, g, b;
                readout.value(colours[i][x], lightings[i] ? lightings[i][x] : 0, at, r, g, b);
                Texel value { r, g, b, 1 };
                if (fw > 0) {
                    far += value * fw;
                    farBlur += blurs[at] * fw;
                } else {
                    near += value * nw;
                    nearBlur = std::max(nearBlur, blurs[at]);
                }
            }
        }
        if (farTexels) {
            store(farTexels + tx * 4, far * 0.25f);
            farBlurs[tx] = far[3] > 0 ? farBlur / far[3] : 0;
            largestFar = std::max(largestFar, farBlurs[tx]);
            if (far[3] > 0)
                leastFar = std::min(leastFar, farBlurs[tx]);
        }
        if (nearTexels) {
            store(nearTexels + tx * 4, near * 0.25f);
            nearBlurs[tx] = nearBlur;
            largestNear = std::max(largestNear, nearBlur);
        }
    }
    m_largestFarBlur = largestFar;
    m_largestNearBlur = largestNear;
    if (farTexels)
        m_leastFarBlur[size_t(ty)] = leastFar;
}

void DepthOfField::buildFirstLevels(const SensorReadout& readout)
{
    int width = readout.width(), height = readout.height();
    int halfWidth = (width + 1) / 2, halfHeight = (height + 1) / 2;
    m_halfWidth = halfWidth;
    m_halfHeight = halfHeight;
    for (Pyramid* field : { &m_far, &m_near }) {
        if (field->levels.empty())
            field->levels.resize(1);
        field->depth = 1;
    }
    // A field no pixel belongs to is neither read nor written: it keeps its
    // buffers, and what they hold, for the next frame that has it (the focus
    // moving between a near subject and the background would otherwise clear
    // them anew each time). Every row of a field there is is written or
    // cleared below.
    size_t texels = size_t(halfWidth) * size_t(halfHeight);
    if (m_hasFar) {
        sizeLevel(m_far.levels[0], halfWidth, halfHeight);
        m_farBlur.resize(texels);
        m_leastFarBlur.resize(size_t(halfHeight));
    }
    if (m_hasNear) {
        sizeLevel(m_near.levels[0], halfWidth, halfHeight);
        m_nearBlur.resize(texels);
    }
    m_rowFields.resize(size_t(halfHeight));
    m_rowColumns.resize(size_t(halfHeight));

    m_largestFarBlur = m_largestNearBlur = 0;
    // The first level of each field is smoothed as its rows are made, and
    // the second made from it as soon as two rows are done, while they are
    // at hand, if the frame's most blurred points call for it. The far
    // field's first level is then made in a ring of rows, which stays in
    // the processor's cache, and only the rows read at its own size later
    // are kept in the level.
    struct Stream {
        Pyramid& field;
        ColumnSmoother first;
        std::optional<ColumnSmoother> second;
        int secondRows { 0 }; // those made
        bool inRing { false };
    };
    auto streamOf = [&](Pyramid& field, bool present, float largestBlur, RowRing* ring) {
        bool second = present && levelsFor(largestBlur) >= 2;
        if (second && field.levels.size() < 2)
            field.levels.resize(2);
        Level& first = field.levels[0];
        Stream stream { field, ColumnSmoother(first, second ? ring : nullptr), std::nullopt };
        stream.inRing = second && ring;
        if (second) {
            Level& level = field.levels[1];
            sizeLevel(level, (halfWidth + 1) / 2, (halfHeight + 1) / 2);
            stream.second.emplace(level);
        }
        return stream;
    };
    auto range = readout.nearnessRange();
    Stream far = streamOf(m_far, m_hasFar, m_blur[range.farthest], &m_farRing);
    Stream near = streamOf(m_near, m_hasNear, m_blur[range.nearest], nullptr);
    // A finished row: kept in the level when it is made in the ring and
    // read later; the second level's rows whose first-level rows are done.
    auto rowFinished = [&](Stream& stream, int ty) {
        if (stream.inRing && farReadAtFirstLevel(ty))
            stream.first.keep(ty);
    };
    auto makeSecondRows = [](Stream& stream, int firstRowsDone) {
        if (!stream.second)
            return;
        const Level& first = stream.field.levels[0];
        Level& second = stream.field.levels[1];
        while (stream.secondRows < second.height && std::min(first.height, 2 * stream.secondRows + 2) <= firstRowsDone)
            makeCoarserRow([&](int y) { return stream.first.finishedRow(y); }, first.width, first.height, second, stream.secondRows++,
                *stream.second);
        if (stream.secondRows == second.height && firstRowsDone == first.height)
            stream.second->finish(second.height);
    };
    for (int ty = 0; ty < halfHeight; ++ty) {
        // An odd last row or column counts twice.
        int y0 = 2 * ty, y1 = std::min(height - 1, 2 * ty + 1);
        auto upper = readout.nearnessRange(y0), lower = readout.nearnessRange(y1);
        uint8_t fields = fieldsAmong({ std::min(upper.farthest, lower.farthest), std::max(upper.nearest, lower.nearest) });
        ColumnSpan columns = fields ? blurredColumns(readout, y0, y1) : ColumnSpan {};
        m_rowFields[size_t(ty)] = fields;
        m_rowColumns[size_t(ty)] = columns;
        bool hasFar = fields & HoldsFar, hasNear = fields & HoldsNear;
        float* farRow = m_hasFar ? far.first.rowToMake(ty, hasFar ? columns : ColumnSpan {}) : nullptr;
        float* nearRow = m_hasNear ? near.first.rowToMake(ty, hasNear ? columns : ColumnSpan {}) : nullptr;
        if (hasFar || hasNear)
            makeFirstRow(readout, ty, columns, hasFar ? farRow : nullptr, hasNear ? nearRow : nullptr);
        for (auto [stream, line, holds] : { std::tuple { &far, farRow, hasFar }, std::tuple { &near, nearRow, hasNear } }) {
            if (!line)
                continue;
            // The row before is done once this one has arrived.
            stream->first.rowArrived(ty, smoothRow(line, halfWidth, holds ? columns : ColumnSpan {}));
            if (ty > 0)
                rowFinished(*stream, ty - 1);
            makeSecondRows(*stream, ty);
        }
    }
    for (auto [stream, present] : { std::pair { &far, m_hasFar }, std::pair { &near, m_hasNear } }) {
        if (!present)
            continue;
        stream->first.finish(halfHeight);
        rowFinished(*stream, halfHeight - 1);
        makeSecondRows(*stream, halfHeight);
        stream->field.depth = stream->second ? 2 : 1;
    }
}

bool DepthOfField::farReadAtFirstLevel(int ty) const
{
    // The half rows read the far field where a texel has far points; at
    // level 1 itself where their blur is less than level 2's.
    return (m_rowFields[size_t(ty)] & HoldsFar) && m_leastFarBlur[size_t(ty)] < quarterBlur;
}

DepthOfField::LevelRow DepthOfField::rowOf(const Level& level, int y)
{
    return { &level.texels[size_t(y) * size_t(level.width) * 4], level.rowSpans[size_t(y)] };
}

template <typename FinerRow>
void DepthOfField::makeCoarserRow(FinerRow finerRow, int finerWidth, int finerHeight, Level& level, int y, ColumnSmoother& columns)
{
    int y0 = 2 * y, y1 = std::min(finerHeight - 1, 2 * y + 1);
    LevelRow upperRow = finerRow(y0), lowerRow = finerRow(y1);
    ColumnSpan made = upperRow.span.joined(lowerRow.span).halved();
    const float* upper = upperRow.texels;
    const float* lower = lowerRow.texels;
    float* out = columns.rowToMake(y, made);
    for (int x = made.from; x < made.to; ++x) {
        int x0 = 2 * x, x1 = std::min(finerWidth - 1, 2 * x + 1);
        store(out + x * 4, 0.25f * (load(upper + x0 * 4) + load(upper + x1 * 4) + load(lower + x0 * 4) + load(lower + x1 * 4)));
    }
    columns.rowArrived(y, smoothRow(out, level.width, made));
}

void DepthOfField::buildPyramid(Pyramid& pyramid, int levels)
{
    // The levels made with the first come smoothed; those in use beyond
    // them are made here.
    if (pyramid.levels.size() < size_t(levels))
        pyramid.levels.resize(size_t(levels));
    for (int k = pyramid.depth; k < levels; ++k) {
        const Level& finer = pyramid.levels[size_t(k - 1)];
        Level& level = pyramid.levels[size_t(k)];
        sizeLevel(level, (finer.width + 1) / 2, (finer.height + 1) / 2);
        ColumnSmoother columns(level);
        for (int y = 0; y < level.height; ++y)
            makeCoarserRow([&](int row) { return rowOf(finer, row); }, finer.width, finer.height, level, y, columns);
        columns.finish(level.height);
    }
    pyramid.depth = levels;
}

void DepthOfField::buildNearSpread(int level)
{
    // The near field's blur at a coarser size, widened as a cone: a point
    // blurred by r pixels reaches r pixels around it.
    const Level& first = m_near.levels[0];
    m_spreadShift = level - 1;
    int factor = 1 << m_spreadShift;
    m_spreadWidth = (first.width + factor - 1) >> m_spreadShift;
    int spreadHeight = (first.height + factor - 1) >> m_spreadShift;
    std::vector<float>& blocks = m_spreadBlocks;
    blocks.assign(size_t(m_spreadWidth) * size_t(spreadHeight), 0);
    for (int y = 0; y < first.height; ++y) {
        if (!(m_rowFields[size_t(y)] & HoldsNear))
            continue;
        for (int x = m_rowColumns[size_t(y)].from; x < m_rowColumns[size_t(y)].to; ++x) {
            float& block = blocks[size_t(y >> m_spreadShift) * size_t(m_spreadWidth) + size_t(x >> m_spreadShift)];
            block = std::max(block, m_nearBlur[size_t(y) * size_t(first.width) + size_t(x)]);
        }
    }
    float step = float(2 * factor); // frame pixels per spread texel
    int reach = int(std::ceil(m_largestNearBlur / step));
    // Along the rows, then down the columns: the largest value within reach,
    // less the distance to it.
    auto spreadAlong = [&](const std::vector<float>& from, std::vector<float>& to, bool rows) {
        for (int y = 0; y < spreadHeight; ++y) {
            for (int x = 0; x < m_spreadWidth; ++x) {
                float best = 0;
                for (int d = -reach; d <= reach; ++d) {
                    int sx = rows ? std::clamp(x + d, 0, m_spreadWidth - 1) : x;
                    int sy = rows ? y : std::clamp(y + d, 0, spreadHeight - 1);
                    best = std::max(best, from[size_t(sy) * size_t(m_spreadWidth) + size_t(sx)] - step * float(std::abs(d)));
                }
                to[size_t(y) * size_t(m_spreadWidth) + size_t(x)] = best;
            }
        }
    };
    std::vector<float>& across = m_spreadAcross;
    across.assign(blocks.size(), 0);
    spreadAlong(blocks, across, true);
    m_spread.assign(blocks.size(), 0);
    spreadAlong(across, m_spread, false);
    // The level-1 columns each spread row reaches.
    m_spreadReach.assign(size_t(spreadHeight), ColumnSpan {});
    for (int y = 0; y < spreadHeight; ++y) {
        const float* row = &m_spread[size_t(y) * size_t(m_spreadWidth)];
        int from = 0, to = m_spreadWidth;
        while (from < to && row[from] < sharpBlur)
            ++from;
        while (to > from && row[to - 1] < sharpBlur)
            --to;
        if (from < to)
            m_spreadReach[size_t(y)] = { from << m_spreadShift, std::min(first.width, to << m_spreadShift) };
    }
}

void DepthOfField::prepareTaps()
{
    // Where the centres of texels `size` frame pixels wide (frame pixel
    // size·i + size/2, half-way between pixels) fall on each level; level 1
    // is the half size itself.
    auto taps = [](int size, int count, int levelCount, int level) {
        std::vector<Tap> list(size_t(count), Tap {});
        float scale = 1.0f / float(1 << level);
        for (int i = 0; i < count; ++i) {
            float u = float(size * i + size / 2) * scale - 0.5f;
            int a = int(std::floor(u));
            list[size_t(i)] = { std::clamp(a, 0, levelCount - 1), std::clamp(a + 1, 0, levelCount - 1), u - float(a) };
        }
        return list;
    };
    size_t deepest = size_t(std::max(m_far.depth, m_near.depth));
    for (auto [grid, size] : { std::pair { &m_halfTaps, 2 }, std::pair { &m_quarterTaps, 4 } }) {
        grid->columns.assign(deepest + 1, {});
        grid->rows.assign(deepest + 1, {});
        grid->ownLevel = std::countr_zero(unsigned(size)); // level k's texels are 2^k pixels wide
        // Every level of either field has the size halving from the frame's.
        int width = size == 2 ? m_halfWidth : m_halfSize.coarseWidth;
        int height = size == 2 ? m_halfHeight : m_halfSize.coarseHeight;
        int levelWidth = m_halfWidth, levelHeight = m_halfHeight;
        for (size_t k = 1; k <= deepest; ++k) {
            grid->columns[k] = taps(size, width, levelWidth, int(k));
            grid->rows[k] = taps(size, height, levelHeight, int(k));
            levelWidth = (levelWidth + 1) / 2;
            levelHeight = (levelHeight + 1) / 2;
        }
    }
}

inline DepthOfField::Texel DepthOfField::blend(const float* upper, const float* lower, const Tap& row, const Tap& column)
{
    Texel a = load(upper + column.a * 4), b = load(upper + column.b * 4);
    Texel c = load(lower + column.a * 4), d = load(lower + column.b * 4);
    Texel top = a + (b - a) * column.t;
    Texel bottom = c + (d - c) * column.t;
    return top + (bottom - top) * row.t;
}

// A pyramid read along one half-size row, at the levels blurs match. The
// blur changes seldom from texel to texel, so the levels' rows and taps are
// looked up only when it does.
class DepthOfField::PyramidRow {
public:
    PyramidRow(const Pyramid& pyramid, const LevelTaps& taps, int ty)
        : m_pyramid(pyramid)
        , m_taps(taps)
        , m_ty(ty)
    {
    }

    // The value at texel `tx` of the row, between the levels around the
    // blur's own.
    Texel at(float blur, int tx)
    {
        if (blur != m_blur)
            choose(blur);
        Texel value = sample(m_lower, tx);
        if (m_t <= 0)
            return value;
        return value + (sample(m_upper, tx) - value) * m_t;
    }

private:
    // Level k's two rows around the grid's row, and where the grid's
    // columns fall on them.
    struct TappedRows {
        const float* top { nullptr };
        const float* bottom { nullptr };
        Tap row {};
        const Tap* columns { nullptr };
        bool own { false }; // the grid's own size: a texel is read as it is
    };

    TappedRows tappedRows(int k) const
    {
        const Level& level = m_pyramid.levels[size_t(k - 1)];
        const Tap& row = m_taps.rows[size_t(k)][size_t(m_ty)];
        return { &level.texels[size_t(row.a) * size_t(level.width) * 4],
            &level.texels[size_t(row.b) * size_t(level.width) * 4], row, m_taps.columns[size_t(k)].data(),
            k == m_taps.ownLevel };
    }

    void choose(float blur)
    {
        m_blur = blur;
        int deepest = m_pyramid.depth;
        float level = std::min(levelFor(blur), float(deepest));
        int lower = std::max(1, int(level));
        m_lower = tappedRows(lower);
        m_t = level - float(lower);
        if (lower >= deepest)
            m_t = 0;
        if (m_t > 0)
            m_upper = tappedRows(lower + 1);
    }

    static Texel sample(const TappedRows& level, int tx)
    {
        return level.own ? load(level.top + tx * 4) : blend(level.top, level.bottom, level.row, level.columns[tx]);
    }

    const Pyramid& m_pyramid;
    const LevelTaps& m_taps;
    int m_ty;
    float m_blur { -1 };
    TappedRows m_lower;
    TappedRows m_upper;
    float m_t { 0 };
};

const DepthOfField::QuarterRow& DepthOfField::quarterRow(int qy, const SensorReadout& readout)
{
    QuarterRow& out = m_quarterRows[size_t(qy % 3)];
    if (out.row == qy)
        return out;
    out.row = qy;
    int width = m_halfSize.coarseWidth;
    out.plain.resize(size_t(width));
    out.blurred.resize(size_t(width));
    out.plainAcross.resize(size_t(m_halfWidth));
    out.blurredAcross.resize(size_t(m_halfWidth));
    std::fill(out.plain.begin(), out.plain.end(), 0);
    std::fill(out.plainAcross.begin(), out.plainAcross.end(), 0);
    // A quarter texel is plain where its four half-size texels hold the far
    // field blurred that much and no near blur: the two rows hold far points
    // in the same columns. An odd last row or column counts twice.
    int rows[2] = { 2 * qy, std::min(m_halfHeight - 1, 2 * qy + 1) };
    ColumnSpan columns { 0, m_halfWidth };
    for (int y : rows) {
        if (!(m_rowFields[size_t(y)] & HoldsFar))
            return out;
        const ColumnSpan& own = m_rowColumns[size_t(y)];
        columns = { std::max(columns.from, own.from), std::min(columns.to, own.to) };
    }
    if (columns.empty())
        return out;
    // By half-size column, whether both rows' texels there are plain: each
    // condition over the whole span in turn. Written through plain pointers,
    // as bytes could alias the members.
    uint8_t* clear = m_plainColumns.data();
    int spreadShift = m_spreadShift;
    for (int i = 0; i < 2; ++i) {
        size_t row = size_t(rows[i]) * size_t(m_halfWidth);
        const float* farBlurs = &m_farBlur[row];
        if (i == 0) {
            for (int x = columns.from; x < columns.to; ++x)
                clear[x] = uint8_t(farBlurs[x] >= quarterBlur);
        } else {
            for (int x = columns.from; x < columns.to; ++x)
                clear[x] &= uint8_t(farBlurs[x] >= quarterBlur);
        }
        if (m_rowFields[size_t(rows[i])] & HoldsNear) {
            const float* nearBlurs = &m_nearBlur[row];
            for (int x = columns.from; x < columns.to; ++x)
                clear[x] &= uint8_t(nearBlurs[x] < sharpBlur);
        }
        if (!m_spread.empty()) {
            const float* spreads = &m_spread[size_t(rows[i] >> spreadShift) * size_t(m_spreadWidth)];
            for (int x = columns.from; x < columns.to; ++x)
                clear[x] &= uint8_t(spreads[x >> spreadShift] < sharpBlur);
        }
    }
    // The quarter texels whose half-size columns are all in.
    int from = (columns.from + 1) / 2, to = columns.to == m_halfWidth ? (columns.to + 1) / 2 : columns.to / 2;
    PyramidRow farLevels(m_far, m_quarterTaps, qy);
    const float* farBlurs = &m_farBlur[size_t(rows[0]) * size_t(m_halfWidth)];
    uint8_t* plainTexels = out.plain.data();
    uint64_t* blurred = out.blurred.data();
    int halfWidth = m_halfWidth;
    int first = to, last = from - 1;
    for (int qx = from; qx < to; ++qx) {
        int x = 2 * qx;
        if (!(clear[x] & clear[std::min(halfWidth - 1, x + 1)]))
            continue;
        Texel far = farLevels.at(farBlurs[x], qx);
        if (far[3] <= noWeight)
            continue;
        plainTexels[qx] = 1;
        blurred[qx] = readout.widenedPixel(far / far[3]);
        if (last < first)
            first = qx;
        last = qx;
    }
    if (last < first)
        return out;
    // Mixed across for the half-size columns whose two quarter texels are
    // plain.
    int acrossFrom = std::max(0, 2 * first - 1), acrossTo = std::min(m_halfWidth, 2 * last + 3);
    mixAcrossRow(m_halfSize, blurred, acrossFrom, acrossTo, out.blurredAcross.data());
    const Tap* columnTaps = m_halfSize.columns.data();
    uint8_t* plainAcross = out.plainAcross.data();
    forColumnsBetweenTexels(
        acrossFrom, acrossTo, m_halfSize.coarseWidth,
        [&](int tx) { plainAcross[tx] = plainTexels[columnTaps[tx].a] & plainTexels[columnTaps[tx].b]; },
        [&](int texel, int count, int tx) {
            uint8_t* pairs = plainAcross + tx;
            for (int i = 0; i < count; ++i) {
                uint8_t both = plainTexels[texel + i] & plainTexels[texel + i + 1];
                pairs[2 * i] = both;
                pairs[2 * i + 1] = both;
            }
        });
    return out;
}

void DepthOfField::blurHalfRow(int ty, const SensorReadout& readout, HalfRow& out)
{
    int width = m_halfWidth;
    out.row = ty;
    out.anyNear = false;
    out.held = {};
    // The columns the fields reach: those of the row's own blurred points,
    // and those the near blur spreads over. Beyond them, zeros.
    uint8_t rowFields = m_rowFields[size_t(ty)];
    ColumnSpan own = m_rowColumns[size_t(ty)];
    ColumnSpan reached = own;
    if (!m_spread.empty())
        reached = reached.joined(m_spreadReach[size_t(ty >> m_spreadShift)]);
    auto clear = [](std::vector<float>& texels, int from, int to) {
        std::fill(texels.begin() + from * 4, texels.begin() + to * 4, 0.0f);
    };
    forColumnsOutside(out.written, reached, [&](int from, int to) {
        clear(out.far, from, to);
        clear(out.near, from, to);
        std::fill(out.fields.begin() + from, out.fields.begin() + to, 0);
    });
    out.written = reached;
    size_t row = size_t(ty) * size_t(width);

    // The far field, read only by texels with far points of their own.
    // Where the quarter rows around are plain it is their mix, already
    // toned, and this row's value is not made: the texels around hold the
    // far field and no near one, so the frame pixels that would read it all
    // take the toned far blur.
    ColumnSpan farColumns = rowFields & HoldsFar ? own : ColumnSpan {};
    forColumnsOutside(reached, farColumns, [&](int from, int to) { clear(out.far, from, to); });
    uint8_t* plain = m_plainFar.data();
    std::fill(plain + reached.from, plain + reached.to, 0);
    const uint64_t *upperQuarter = nullptr, *lowerQuarter = nullptr;
    uint32_t down = m_halfSize.rowQuarters[size_t(ty)], up = 4 - down;
    if (m_quarterFar && !farColumns.empty()) {
        const Tap& quarters = m_halfSize.rows[size_t(ty)];
        const QuarterRow& upper = quarterRow(quarters.a, readout);
        const QuarterRow& lower = quarterRow(quarters.b, readout);
        upperQuarter = upper.blurredAcross.data();
        lowerQuarter = lower.blurredAcross.data();
        for (int tx = farColumns.from; tx < farColumns.to; ++tx)
            plain[tx] = upper.plainAcross[size_t(tx)] & lower.plainAcross[size_t(tx)];
    }
    PyramidRow farLevels(m_far, m_halfTaps, ty);
    for (int tx = farColumns.from; tx < farColumns.to; ++tx) {
        if (plain[tx]) {
            tx += runOfOnes(plain, tx, farColumns.to) - 1;
            continue;
        }
        float blur = m_farBlur[row + size_t(tx)];
        store(&out.far[size_t(tx) * 4], blur > 0 ? farLevels.at(blur, tx) : Texel {});
    }
    // The near field, at its own points' blur or the larger one it spreads
    // over them.
    if (m_hasNear) {
        PyramidRow nearLevels(m_near, m_halfTaps, ty);
        bool ownNear = rowFields & HoldsNear;
        const float* spreadRow = m_spread.empty() ? nullptr : &m_spread[size_t(ty >> m_spreadShift) * size_t(m_spreadWidth)];
        for (int tx = reached.from; tx < reached.to; ++tx) {
            float spread = ownNear && tx >= own.from && tx < own.to ? m_nearBlur[row + size_t(tx)] : 0;
            if (spreadRow)
                spread = std::max(spread, spreadRow[tx >> m_spreadShift]);
            store(&out.near[size_t(tx) * 4], spread >= sharpBlur ? nearLevels.at(spread, tx) : Texel {});
        }
        out.nearCleared = false;
    } else if (!out.nearCleared) {
        clear(out.near, 0, width);
        out.nearCleared = true;
    }

    // As toned pixels, widened: the far field with the near one laid over
    // it. Written through plain pointers, as the bytes of the fields could
    // alias anything.
    const float* farTexels = out.far.data();
    const float* nearTexels = out.near.data();
    uint64_t* blurred = out.blurred.data();
    uint64_t* nearBlurred = out.nearBlurred.data();
    uint8_t* fieldsOf = out.fields.data();
    int first = reached.to, last = reached.from - 1;
    bool anyNear = false;
    for (int tx = reached.from; tx < reached.to; ++tx) {
        if (plain[tx]) {
            int run = runOfOnes(plain, tx, reached.to);
            mixDownWidenedRow(upperQuarter + tx, lowerQuarter + tx, up, down, blurred + tx, run);
            std::fill(fieldsOf + tx, fieldsOf + tx + run, uint8_t(HoldsFar));
            if (last < first)
                first = tx;
            tx += run - 1;
            last = tx;
            continue;
        }
        Texel far = load(farTexels + tx * 4), near = load(nearTexels + tx * 4);
        uint8_t fields = 0;
        Texel nearColour {};
        if (near[3] > noWeight) {
            fields |= HoldsNear;
            nearColour = near / near[3];
            nearBlurred[tx] = readout.widenedPixel(nearColour);
            anyNear = true;
        }
        if (far[3] > noWeight) {
            fields |= HoldsFar;
            Texel colour = far / far[3];
            if (fields & HoldsNear)
                colour += (nearColour - colour) * std::min(1.0f, near[3]);
            blurred[tx] = readout.widenedPixel(colour);
        }
        fieldsOf[tx] = fields;
        if (fields) {
            if (last < first)
                first = tx;
            last = tx;
        }
    }
    out.anyNear = anyNear;
    out.held = last < first ? ColumnSpan {} : ColumnSpan { first, last + 1 };
    if (out.held.empty())
        return;
    int from = std::max(0, 2 * out.held.from - 1), to = std::min(readout.width(), 2 * out.held.to + 1);
    mixAcrossRow(m_fullSize, out.blurred.data(), from, to, out.blurredAcross.data());
    if (out.anyNear)
        mixAcrossRow(m_fullSize, out.nearBlurred.data(), from, to, out.nearBlurredAcross.data());
}

void DepthOfField::mixAcrossRow(const FinerGrid& grid, const uint64_t* texels, int from, int to, uint64_t* out)
{
    // The two columns between a pair of texels take three of the nearer and
    // one of the other, made together in 16-bit lanes.
    using Lanes = uint16_t __attribute__((vector_size(16)));
    forColumnsBetweenTexels(
        from, to, grid.coarseWidth,
        [&](int x) {
            const Tap& column = grid.columns[size_t(x)];
            uint32_t right = grid.columnQuarters[size_t(x)];
            out[x] = mixAcross(texels[column.a], texels[column.b], 4 - right, right);
        },
        [&](int first, int count, int x) {
            for (int i = first; i < first + count; ++i, x += 2) {
                Lanes pair;
                std::memcpy(&pair, texels + i, sizeof pair);
                Lanes swapped = __builtin_shufflevector(pair, pair, 4, 5, 6, 7, 0, 1, 2, 3);
                Lanes mixed = pair + pair + pair + swapped;
                std::memcpy(out + x, &mixed, sizeof mixed);
            }
        });
}

void DepthOfField::FinerGrid::prepare(int width, int height, int coarseWidth, int coarseHeight)
{
    this->coarseWidth = coarseWidth;
    this->coarseHeight = coarseHeight;
    auto taps = [](int count, int halfCount, std::vector<Tap>& list, std::vector<uint8_t>& quarters) {
        list.resize(size_t(count));
        quarters.resize(size_t(count));
        for (int i = 0; i < count; ++i) {
            float u = (float(i) + 0.5f) * 0.5f - 0.5f;
            int a = int(std::floor(u));
            list[size_t(i)] = { std::clamp(a, 0, halfCount - 1), std::clamp(a + 1, 0, halfCount - 1), u - float(a) };
            quarters[size_t(i)] = uint8_t(std::lround(list[size_t(i)].t * 4));
        }
    };
    taps(width, coarseWidth, columns, columnQuarters);
    taps(height, coarseHeight, rows, rowQuarters);
}

uint32_t DepthOfField::exactPixel(const SensorReadout& readout, uint32_t colour, uint8_t lighting, uint8_t level,
    const HalfRow& upper, const HalfRow& lower, const Tap& row, const Tap& column) const
{
    float r, g, b;
    // A pixel beyond the focus is as much the far blur as it is blurred
    // itself; one wholly blurred needs nothing of its own.
    float fw = m_farWeight[level];
    Texel far = fw > 0 ? blend(upper.far.data(), lower.far.data(), row, column) : Texel {};
    if (far[3] > noWeight && fw >= 1) {
        Texel value = far / far[3];
        r = value[0], g = value[1], b = value[2];
    } else {
        readout.value(colour, lighting, level, r, g, b);
        if (far[3] > noWeight) {
            Texel value = far / far[3];
            r += (value[0] - r) * fw;
            g += (value[1] - g) * fw;
            b += (value[2] - b) * fw;
        }
    }
    // The near blur lies over it as far as it reaches.
    if (upper.anyNear || lower.anyNear) {
        Texel near = blend(upper.near.data(), lower.near.data(), row, column);
        if (near[3] > noWeight) {
            float cover = std::min(1.0f, std::max(m_nearWeight[level], near[3]));
            Texel value = near / near[3];
            r += (value[0] - r) * cover;
            g += (value[1] - g) * cover;
            b += (value[2] - b) * cover;
        }
    }
    return readout.pixel(r, g, b);
}

void DepthOfField::noteHeldFields(const HalfRow& upper, const HalfRow& lower, ColumnSpan held)
{
    // By half-size column: the fields both rows hold, and those either does;
    // the pixels between read one column beyond on either side. Written
    // through plain pointers, as bytes could alias the members.
    const uint8_t* upperFields = upper.fields.data();
    const uint8_t* lowerFields = lower.fields.data();
    uint8_t* bothHold = m_bothHold.data();
    uint8_t* eitherHolds = m_eitherHolds.data();
    uint8_t inBoth = 0, inAll = HoldsFar;
    int from = std::max(0, held.from - 1), to = std::min(m_halfWidth, held.to + 1);
    for (int tx = from; tx < to; ++tx) {
        bothHold[tx] = upperFields[tx] & lowerFields[tx];
        eitherHolds[tx] = upperFields[tx] | lowerFields[tx];
        inBoth |= bothHold[tx];
        inAll &= bothHold[tx];
    }
    // By frame column: whether the four texels around hold the far field.
    m_farHeldByBoth = inBoth & HoldsFar;
    m_farHeldThroughout = inAll & HoldsFar;
    if (!m_farHeldByBoth)
        return;
    const Tap* columns = m_fullSize.columns.data();
    uint8_t* farAround = m_farAround.data();
    forColumnsBetweenTexels(
        std::max(0, 2 * held.from - 1), std::min(int(m_farAround.size()), 2 * held.to + 1), m_halfWidth,
        [&](int x) { farAround[x] = bothHold[columns[x].a] & bothHold[columns[x].b] & HoldsFar; },
        [&](int first, int count, int x) {
            uint8_t* pairs = farAround + x;
            for (int i = 0; i < count; ++i) {
                uint8_t far = bothHold[first + i] & bothHold[first + i + 1] & HoldsFar;
                pairs[2 * i] = far;
                pairs[2 * i + 1] = far;
            }
        });
}

void DepthOfField::composeRow(const SensorReadout& readout, int y, const HalfRow& upper, const HalfRow& lower, int from,
    int to, uint32_t* line)
{
    const Tap& row = m_fullSize.rows[size_t(y)];
    uint32_t down = m_fullSize.rowQuarters[size_t(y)], up = 4 - down;
    const uint32_t* colours = readout.colourRow(y);
    const uint8_t* lightings = readout.lightingRow(y);
    const uint8_t* nearness = readout.nearnessRow(y);
    // Most pixels of a blurred background are wholly the far blur, the mix of
    // the half rows' far pixels: found for the whole row at once, and mixed
    // in runs straight into it (their own colours, which the frame's pixels
    // are, are not needed).
    const uint64_t* upperFar = upper.blurredAcross.data();
    const uint64_t* lowerFar = lower.blurredAcross.data();
    uint8_t* wholeFar = m_wholeFar.data();
    // A row of them only, as the far blur is held all along and every
    // point of the row is wholly far, is mixed whole.
    if (m_farHeldThroughout && readout.nearnessRange(y).nearest < m_farLevels) {
        mixDownRow(upperFar + from, lowerFar + from, up, down, line + from, to - from);
        return;
    }
    if (m_farHeldByBoth) {
        const uint8_t* farAround = m_farAround.data();
        uint8_t farLevels = m_farLevels;
        for (int x = from; x < to; ++x)
            wholeFar[x] = uint8_t(nearness[x] < farLevels) & farAround[x];
    } else {
        std::fill(wholeFar + from, wholeFar + to, 0);
    }

    // The rest read through plain pointers: the loop writes the frame, which
    // could otherwise alias any of the members.
    const Kind* kinds = m_kind.data();
    const Tap* columns = m_fullSize.columns.data();
    const uint8_t* bothHold = m_bothHold.data();
    const uint8_t* eitherHolds = m_eitherHolds.data();
    const uint64_t* upperNear = upper.nearBlurredAcross.data();
    const uint64_t* lowerNear = lower.nearBlurredAcross.data();
    for (int x = from; x < to; ++x) {
        if (int run = runOfOnes(wholeFar, x, to)) {
            mixDownRow(upperFar + x, lowerFar + x, up, down, line + x, run);
            x += run - 1;
            continue;
        }
        uint8_t level = nearness[x];
        const Tap& column = columns[x];
        size_t a = size_t(column.a), b = size_t(column.b);
        auto all = [&] { return bothHold[a] & bothHold[b]; };
        auto any = [&] { return eitherHolds[a] | eitherHolds[b]; };
        auto lighting = [&] { return lightings ? lightings[x] : uint8_t(0); };
        auto farBlur = [&] { return mixDown(upperFar[x], lowerFar[x], up, down); };
        switch (kinds[level]) {
        case Kind::Own:
            if (!(any() & HoldsNear)) {
                line[x] = readout.sharpPixel(colours[x], lighting(), level);
                continue;
            }
            // Wholly blurred itself, it is the near blur. Anything less is
            // mixed with it in linear light, which keeps the near blur's soft
            // edge as bright as it is over a bright background.
            if (m_nearBlurred[level] && (all() & HoldsNear)) {
                line[x] = mixDown(upperNear[x], lowerNear[x], up, down);
                continue;
            }
            break;
        case Kind::PartlyFar:
            if ((all() & HoldsFar) && !(any() & HoldsNear)) {
                line[x] = mixToward(readout.sharpPixel(colours[x], lighting(), level), farBlur(), m_farMix[level]);
                continue;
            }
            break;
        case Kind::Far:
            if (all() & HoldsFar) {
                line[x] = farBlur();
                continue;
            }
            break;
        }
        line[x] = exactPixel(readout, colours[x], lighting(), level, upper, lower, row, column);
    }
}

void DepthOfField::composeFullSize(const SensorReadout& readout, kit::CGImage& out)
{
    int width = readout.width(), height = readout.height();
    // The half-size rows in use, three kept at a time.
    for (HalfRow& half : m_halfRows) {
        half.row = -1;
        half.written = { 0, m_halfWidth }; // resized, so of unknown content
        half.nearCleared = false;
        half.far.resize(size_t(m_halfWidth) * 4);
        half.near.resize(size_t(m_halfWidth) * 4);
        half.blurred.resize(size_t(m_halfWidth));
        half.nearBlurred.resize(size_t(m_halfWidth));
        half.blurredAcross.resize(size_t(width));
        half.nearBlurredAcross.resize(size_t(width));
        half.fields.resize(size_t(m_halfWidth));
    }
    for (QuarterRow& quarter : m_quarterRows)
        quarter.row = -1;
    m_plainFar.resize(size_t(m_halfWidth));
    m_plainColumns.resize(size_t(m_halfWidth));
    m_bothHold.resize(size_t(m_halfWidth));
    m_eitherHolds.resize(size_t(m_halfWidth));
    m_farAround.resize(size_t(width));
    m_wholeFar.resize(size_t(width));
    auto halfRow = [&](int ty) -> const HalfRow& {
        HalfRow& half = m_halfRows[size_t(ty % 3)];
        if (half.row != ty)
            blurHalfRow(ty, readout, half);
        return half;
    };
    auto* pixels = reinterpret_cast<uint32_t*>(out.mutableData());
    // Two frame rows in turn lie between the same two half rows.
    int notedUpper = -1, notedLower = -1;
    for (int y = 0; y < height; ++y) {
        const Tap& row = m_fullSize.rows[size_t(y)];
        const HalfRow& upper = halfRow(row.a);
        const HalfRow& lower = halfRow(row.b);
        uint32_t* line = pixels + size_t(y) * size_t(width);
        // The pixels beyond the columns either half row holds a field in are
        // as they are.
        ColumnSpan held = upper.held.joined(lower.held);
        if (held.empty()) {
            readout.sharpRow(y, 0, width, line);
            continue;
        }
        int from = std::max(0, 2 * held.from - 1), to = std::min(width, 2 * held.to + 1);
        readout.sharpRow(y, 0, from, line);
        readout.sharpRow(y, to, width, line);
        if (row.a != notedUpper || row.b != notedLower) {
            noteHeldFields(upper, lower, held);
            notedUpper = row.a;
            notedLower = row.b;
        }
        composeRow(readout, y, upper, lower, from, to, line);
    }
}

void DepthOfField::develop(const SensorReadout& readout, kit::CGImage& out)
{
    prepareTables(readout);
    uint8_t fields = fieldsAmong(readout.nearnessRange());
    m_hasFar = fields & HoldsFar;
    m_hasNear = fields & HoldsNear;
    buildFirstLevels(readout);
    if (m_hasFar)
        buildPyramid(m_far, levelsFor(m_largestFarBlur));
    m_spread.clear();
    if (m_hasNear) {
        buildPyramid(m_near, levelsFor(m_largestNearBlur));
        if (m_largestNearBlur > firstLevelBlur)
            buildNearSpread(std::min(3, m_near.depth));
    }
    m_fullSize.prepare(readout.width(), readout.height(), m_halfWidth, m_halfHeight);
    m_halfSize.prepare(m_halfWidth, m_halfHeight, (m_halfWidth + 1) / 2, (m_halfHeight + 1) / 2);
    m_quarterFar = m_hasFar && m_far.depth >= 2 && m_largestFarBlur >= quarterBlur;
    prepareTaps();
    composeFullSize(readout, out);
}

}
