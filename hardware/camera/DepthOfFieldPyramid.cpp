#include "hardware/camera/DepthOfField.h"

#include "hardware/camera/DepthOfFieldBasics.h"
#include "hardware/camera/DepthOfFieldLevels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

// The blurred fields' pyramids: level 1 made from the frame's points, the
// levels the blur calls for made from it as its rows arrive, and the near
// field's spread.

namespace hardware {

using namespace dof;

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

void DepthOfField::buildPyramids(const SensorReadout& readout)
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
    // from level 1's rows as they arrive, each from the one before. The far
    // field's levels 1 and 2, when coarser ones are made from them, are made
    // in rings of rows, and only the rows read at their own size later are
    // smoothed and kept; all else is smoothed in its level as it is made.
    auto streamOf = [&](Pyramid& field, bool present, float largestBlur, bool inRings) {
        std::unique_ptr<LevelStream> first;
        if (!present)
            return first;
        int depth = levelsFor(largestBlur);
        if (field.levels.size() < size_t(depth))
            field.levels.resize(size_t(depth));
        if (field.halvedInPassing.size() < size_t(depth - 1))
            field.halvedInPassing.resize(size_t(depth - 1));
        LevelStream* stream = nullptr;
        for (int k = 1; k <= depth; ++k) {
            Level& level = field.levels[size_t(k - 1)];
            if (k > 1)
                sizeLevel(level, (field.levels[size_t(k - 2)].width + 1) / 2, (field.levels[size_t(k - 2)].height + 1) / 2);
            RowRing* ring = inRings && k < depth && size_t(k) <= field.madeInPassing.size()
                ? &field.madeInPassing[size_t(k - 1)]
                : nullptr;
            auto made = ring ? std::make_unique<LevelStream>(level, *ring, [this, k](int y) { return farReadAt(k, y); })
                             : std::make_unique<LevelStream>(level);
            if (!stream) {
                first = std::move(made);
                stream = first.get();
            } else {
                stream->halveInto(level, field.halvedInPassing[size_t(k - 2)], std::move(made));
                stream = stream->next();
            }
        }
        return first;
    };
    auto range = readout.nearnessRange();
    auto far = streamOf(m_far, m_hasFar, m_blur[range.farthest], true);
    auto near = streamOf(m_near, m_hasNear, m_blur[range.nearest], false);
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
    // In use: the levels its most blurred texels call for.
    if (m_hasFar)
        m_far.depth = levelsFor(m_largestFarBlur);
    if (m_hasNear)
        m_near.depth = levelsFor(m_largestNearBlur);
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
