#include "hardware/camera/DepthOfField.h"

#include "hardware/camera/DepthOfFieldBasics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <tuple>

// The blurred fields' pyramids: level 1 made from the frame's points, each
// level smoothed as it is made, and the near field's spread.

namespace hardware {

using namespace dof;

namespace {

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

}
