#include "hardware/camera/DepthOfField.h"

#include "hardware/camera/DepthOfFieldBasics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

// The blurred fields' pyramids: level 1 made from the frame's points, each
// level smoothed as it is made, and the near field's spread.

namespace hardware {

using namespace dof;

namespace {

// [1 2 1] / 4: a value smoothed with those on either side of it.
template <typename Value>
Value smoothed(Value before, Value at, Value after)
{
    return 0.25f * (before + after) + 0.5f * at;
}

// A row of texels to be made with weight in `made`: zeros outside it,
// cleared only where they held weight before, which `held` says and
// learns.
float* readiedRow(float* line, ColumnSpan& held, ColumnSpan made)
{
    forColumnsOutside(held, made, [&](int from, int to) { std::fill(line + from * 4, line + to * 4, 0.0f); });
    held = made;
    return line;
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
        store(here, smoothed(previous, current, next));
        previous = current;
    }
    return span;
}

}

// [1 2 1] / 4 down the columns of a level whose rows arrive one at a time,
// edges repeated: a row is finished in place once the one below it is
// there, so the level is smoothed while it is made, in one pass. Only the
// columns the three rows hold weight in are worked.
class DepthOfField::ColumnSmoother {
public:
    explicit ColumnSmoother(Level& level)
        : m_level(level)
    {
    }

    // Where row y is to be made: zeros outside `made`, cleared only where
    // they held weight before.
    float* rowToMake(int y, ColumnSpan made) { return readiedRow(row(y), m_level.rowSpans[size_t(y)], made); }

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
    float* row(int y) const { return &m_level.texels[size_t(y) * size_t(m_level.width) * 4]; }

    void finishRow(int y, const float* below, ColumnSpan belowSpan)
    {
        ColumnSpan span = m_aboveSpan.joined(m_lineSpan).joined(belowSpan);
        m_level.rowSpans[size_t(y)] = span;
        // Beyond the span the row, the one below and the copy of the one
        // above are zeros, and stay so.
        float* line = row(y);
        for (size_t i = size_t(span.from) * 4; i < size_t(span.to) * 4; ++i) {
            float current = line[i];
            line[i] = smoothed(m_above[i], current, below[i]);
            m_above[i] = current;
        }
        m_aboveSpan = m_lineSpan;
    }

    Level& m_level;
    std::vector<float> m_above; // the row above the one to finish, unsmoothed
    ColumnSpan m_aboveSpan;
    ColumnSpan m_lineSpan;
};

void DepthOfField::RowRing::size(int rowWidth)
{
    if (width == rowWidth)
        return;
    width = rowWidth;
    texels.assign(size_t(width) * rows * 4, 0.0f);
    spans.fill({});
}

float* DepthOfField::RowRing::rowToMake(int y, ColumnSpan made)
{
    smoothedAlong[size_t(y % rows)] = false;
    return readiedRow(row(y), spans[size_t(y % rows)], made);
}

// A level made in a ring of rows, which stays in the processor's cache,
// while the next level is made from its rows as they arrive: a row is
// smoothed, the same as ColumnSmoother does, and kept in the level only
// when asked to.
class DepthOfField::LevelRing {
public:
    LevelRing(Level& level, RowRing& ring)
        : m_level(level)
        , m_ring(ring)
    {
        m_ring.size(level.width);
    }

    float* rowToMake(int y, ColumnSpan made) { return m_ring.rowToMake(y, made); }

    // Row y smoothed into the level; the rows around it are made.
    void keep(int y)
    {
        int above = std::max(0, y - 1), below = std::min(m_level.height - 1, y + 1);
        ColumnSpan span = smoothedAlong(above).joined(smoothedAlong(y)).joined(smoothedAlong(below));
        const float* up = m_ring.row(above);
        const float* line = m_ring.row(y);
        const float* down = m_ring.row(below);
        float* out = readiedRow(&m_level.texels[size_t(y) * size_t(m_level.width) * 4], m_level.rowSpans[size_t(y)], span);
        for (size_t i = size_t(span.from) * 4; i < size_t(span.to) * 4; ++i)
            out[i] = smoothed(up[i], line[i], down[i]);
    }

private:
    // Row y smoothed along, once: the columns it holds weight in after.
    ColumnSpan smoothedAlong(int y)
    {
        size_t slot = size_t(y % RowRing::rows);
        if (!m_ring.smoothedAlong[slot]) {
            m_ring.spans[slot] = smoothRow(m_ring.row(y), m_ring.width, m_ring.spans[slot]);
            m_ring.smoothedAlong[slot] = true;
        }
        return m_ring.spans[slot];
    }

    Level& m_level;
    RowRing& m_ring;
};

namespace {

// Where a pair of texels of a row of `count`, and the two around them, lie:
// the pair averaged after smoothing [1 2 1] / 4 is [1 3 3 1] / 8 of the
// four. The edges repeat as the smoothing repeats them; an odd last texel,
// its own pair, takes the one before it for either neighbour.
struct PairTaps {
    int before, first, second, after;
};

PairTaps pairTaps(int pair, int count)
{
    int first = 2 * pair, second = std::min(count - 1, first + 1);
    int before = std::max(0, first - 1);
    return { before, first, second, second > first ? std::min(count - 1, second + 1) : before };
}

Texel halvedPair(Texel before, Texel first, Texel second, Texel after)
{
    return 0.125f * (before + after) + 0.375f * (first + second);
}

}

void dof::halveRow(const float* line, int width, ColumnSpan made, float* out)
{
    auto halve = [&](int x) {
        PairTaps taps = pairTaps(x, width);
        store(out + x * 4,
            halvedPair(load(line + taps.before * 4), load(line + taps.first * 4), load(line + taps.second * 4),
                load(line + taps.after * 4)));
    };
    // Away from the edges, each pair's two texels are the next one's two
    // before it.
    int from = std::max(made.from, 1), to = std::max(from, std::min(made.to, (width - 1) / 2));
    for (int x = made.from; x < std::min(from, made.to); ++x)
        halve(x);
    if (from < to) {
        Texel before = load(line + (2 * from - 1) * 4), first = load(line + 2 * from * 4);
        for (int x = from; x < to; ++x) {
            Texel second = load(line + (2 * x + 1) * 4), after = load(line + (2 * x + 2) * 4);
            store(out + x * 4, halvedPair(before, first, second, after));
            before = second;
            first = after;
        }
    }
    for (int x = to; x < made.to; ++x)
        halve(x);
}

// A level whose rows arrive one at a time, unsmoothed: smoothed in the
// level as they come, or made in a ring and kept in the level only where
// `kept` says they are read at its size. And when the next level is made
// with it, each row halved on its way there.
class DepthOfField::LevelStream {
public:
    // Smoothed in the level.
    explicit LevelStream(Level& level)
        : m_level(level)
    {
        m_inLevel.emplace(level);
    }
    // Made in `ring`.
    LevelStream(Level& level, RowRing* ring, std::function<bool(int)> kept)
        : m_level(level)
        , m_kept(std::move(kept))
    {
        m_ring.emplace(level, *ring);
    }

    // The next level made from this one's rows, through a ring of them
    // halved along, into `stream`.
    void halveInto(Level& next, RowRing& halved, std::unique_ptr<LevelStream> stream)
    {
        m_halving = std::make_unique<HalvingRows>(m_level, next, halved, std::move(stream));
    }
    LevelStream* next() const;

    float* rowToMake(int y, ColumnSpan made) { return m_ring ? m_ring->rowToMake(y, made) : m_inLevel->rowToMake(y, made); }
    // Row y is made, in what rowToMake() gave: weight in `span`.
    void rowArrived(int y, float* line, ColumnSpan span);
    // Once every row has arrived.
    void finish();

private:
    Level& m_level;
    std::function<bool(int)> m_kept;
    std::optional<ColumnSmoother> m_inLevel;
    std::optional<LevelRing> m_ring;
    std::unique_ptr<HalvingRows> m_halving;
};

// A level made from the finer one's rows as they arrive, before they are
// smoothed: the smoothing [1 2 1] / 4 and the average of two after it are
// one filter, run along each row as it arrives and then down the columns of
// the rows so halved. The finer level is then smoothed only where it is
// read.
class DepthOfField::HalvingRows {
public:
    HalvingRows(const Level& finer, Level& level, RowRing& ring, std::unique_ptr<LevelStream> stream)
        : m_finer(finer)
        , m_level(level)
        , m_ring(ring)
        , m_stream(std::move(stream))
    {
        m_ring.size(level.width);
    }

    LevelStream& stream() const { return *m_stream; }

    // The finer level's row y, unsmoothed, with weight in `span`.
    void rowArrived(int y, const float* line, ColumnSpan span)
    {
        ColumnSpan made = span.widened(1, m_finer.width).halved();
        halveRow(line, m_finer.width, made, m_ring.rowToMake(y, made));
        // A row is made once the last of the four under it has arrived.
        while (m_made < m_level.height && lastRowUnder(m_made) <= y)
            makeRow(m_made++);
    }
    void finish() { m_stream->finish(); }

private:
    int lastRowUnder(int y) const
    {
        PairTaps taps = pairTaps(y, m_finer.height);
        return std::max(taps.second, taps.after);
    }

    void makeRow(int y)
    {
        PairTaps taps = pairTaps(y, m_finer.height);
        ColumnSpan made;
        for (int row : { taps.before, taps.first, taps.second, taps.after })
            made = made.joined(m_ring.spans[size_t(row % RowRing::rows)]);
        const float* before = m_ring.row(taps.before);
        const float* first = m_ring.row(taps.first);
        const float* second = m_ring.row(taps.second);
        const float* after = m_ring.row(taps.after);
        float* out = m_stream->rowToMake(y, made);
        for (int x = made.from; x < made.to; ++x)
            store(out + x * 4,
                halvedPair(load(before + x * 4), load(first + x * 4), load(second + x * 4), load(after + x * 4)));
        m_stream->rowArrived(y, out, made);
    }

    const Level& m_finer;
    Level& m_level;
    RowRing& m_ring;
    std::unique_ptr<LevelStream> m_stream;
    int m_made { 0 };
};

DepthOfField::LevelStream* DepthOfField::LevelStream::next() const
{
    return m_halving ? &m_halving->stream() : nullptr;
}

void DepthOfField::LevelStream::rowArrived(int y, float* line, ColumnSpan span)
{
    // Halved before it is smoothed in place.
    if (m_halving)
        m_halving->rowArrived(y, line, span);
    if (m_inLevel)
        m_inLevel->rowArrived(y, smoothRow(line, m_level.width, span));
    else if (y > 0 && m_kept(y - 1))
        m_ring->keep(y - 1); // the row below it is there
}

void DepthOfField::LevelStream::finish()
{
    if (m_inLevel)
        m_inLevel->finish(m_level.height);
    else if (m_kept(m_level.height - 1))
        m_ring->keep(m_level.height - 1);
    if (m_halving)
        m_halving->finish();
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
    // The coarser levels the frame's most blurred points call for are made
    // from level 1's rows as they arrive: level 2 for either field, and
    // level 3 for the far one. The far field's levels before them are then
    // made in rings of rows, and only the rows read at their own size later
    // are smoothed and kept; all else is smoothed in its level as it is
    // made.
    auto streamOf = [&](Pyramid& field, bool present, float largestBlur, int deepest, bool inRings) {
        std::unique_ptr<LevelStream> first;
        if (!present)
            return first;
        int depth = std::min(levelsFor(largestBlur), deepest);
        if (field.levels.size() < size_t(depth))
            field.levels.resize(size_t(depth));
        LevelStream* stream = nullptr;
        for (int k = 1; k <= depth; ++k) {
            Level& level = field.levels[size_t(k - 1)];
            if (k > 1)
                sizeLevel(level, (field.levels[size_t(k - 2)].width + 1) / 2, (field.levels[size_t(k - 2)].height + 1) / 2);
            RowRing* ring = inRings && k < depth ? &field.madeInPassing[size_t(k - 1)] : nullptr;
            auto made = ring ? std::make_unique<LevelStream>(level, ring, [this, k](int y) { return farReadAt(k, y); })
                             : std::make_unique<LevelStream>(level);
            if (!stream) {
                first = std::move(made);
                stream = first.get();
            } else {
                stream->halveInto(level, field.halvedInPassing[size_t(k - 2)], std::move(made));
                stream = stream->next();
            }
        }
        field.depth = depth;
        return first;
    };
    auto range = readout.nearnessRange();
    auto far = streamOf(m_far, m_hasFar, m_blur[range.farthest], 3, true);
    auto near = streamOf(m_near, m_hasNear, m_blur[range.nearest], 2, false);
    for (int ty = 0; ty < halfHeight; ++ty) {
        // An odd last row or column counts twice.
        int y0 = 2 * ty, y1 = std::min(height - 1, 2 * ty + 1);
        auto upper = readout.nearnessRange(y0), lower = readout.nearnessRange(y1);
        uint8_t fields = fieldsAmong({ std::min(upper.farthest, lower.farthest), std::max(upper.nearest, lower.nearest) });
        ColumnSpan columns = fields ? blurredColumns(readout, y0, y1) : ColumnSpan {};
        m_rowFields[size_t(ty)] = fields;
        m_rowColumns[size_t(ty)] = columns;
        bool hasFar = fields & HoldsFar, hasNear = fields & HoldsNear;
        float* farRow = far ? far->rowToMake(ty, hasFar ? columns : ColumnSpan {}) : nullptr;
        float* nearRow = near ? near->rowToMake(ty, hasNear ? columns : ColumnSpan {}) : nullptr;
        if (hasFar || hasNear)
            makeFirstRow(readout, ty, columns, hasFar ? farRow : nullptr, hasNear ? nearRow : nullptr);
        if (far)
            far->rowArrived(ty, farRow, hasFar ? columns : ColumnSpan {});
        if (near)
            near->rowArrived(ty, nearRow, hasNear ? columns : ColumnSpan {});
    }
    for (auto* stream : { far.get(), near.get() }) {
        if (stream)
            stream->finish();
    }
}

bool DepthOfField::farReadAt(int level, int row) const
{
    // The half rows read the far field where a texel has far points, at the
    // levels around its blur's: level 1 at their own row where it is less
    // than level 2 stands for; level 2 between the two rows around half
    // their row where it is less than level 3 stands for, and so do the
    // quarter rows at their own.
    float readBelow = firstLevelBlur * float(1 << level);
    auto reads = [&](int ty) { return (m_rowFields[size_t(ty)] & HoldsFar) && m_leastFarBlur[size_t(ty)] < readBelow; };
    if (level == 1)
        return reads(row);
    for (int ty = std::max(0, 2 * row - 1); ty <= std::min(m_halfHeight - 1, 2 * row + 2); ++ty) {
        if (reads(ty))
            return true;
    }
    return false;
}

void DepthOfField::makeCoarserRow(const Level& finer, Level& level, int y, ColumnSmoother& columns)
{
    int y0 = 2 * y, y1 = std::min(finer.height - 1, 2 * y + 1);
    ColumnSpan made = finer.rowSpans[size_t(y0)].joined(finer.rowSpans[size_t(y1)]).halved();
    const float* upper = &finer.texels[size_t(y0) * size_t(finer.width) * 4];
    const float* lower = &finer.texels[size_t(y1) * size_t(finer.width) * 4];
    float* out = columns.rowToMake(y, made);
    for (int x = made.from; x < made.to; ++x) {
        int x0 = 2 * x, x1 = std::min(finer.width - 1, 2 * x + 1);
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
            makeCoarserRow(finer, level, y, columns);
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

}
