#include "hardware/camera/DepthOfField.h"

#include "hardware/camera/DepthOfFieldBasics.h"
#include "hardware/camera/PackedPixels.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

// The blurred fields read from their pyramids at half the frame's size, and
// the far field at a quarter of it where it is blurred that much.

namespace hardware {

using namespace dof;

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

// A pyramid read along one half-size row, at the levels blurs match. The
// blur changes seldom from texel to texel, so the levels' rows and taps are
// looked up only when it does. A coarser level's texel lies under several
// of the row's: its two rows are mixed down once for them all, and then
// across for each.
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
        Texel value = m_lower.sample(tx);
        if (m_t <= 0)
            return value;
        return value + (m_upper.sample(tx) - value) * m_t;
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
        // The two columns last mixed down, and what they came to.
        int left { -1 };
        int right { -1 };
        Texel leftValue {};
        Texel rightValue {};

        Texel sample(int tx)
        {
            if (own)
                return load(top + tx * 4);
            const Tap& column = columns[tx];
            if (column.a != left || column.b != right) {
                leftValue = column.a == right ? rightValue : down(column.a);
                rightValue = down(column.b);
                left = column.a;
                right = column.b;
            }
            return leftValue + (rightValue - leftValue) * column.t;
        }
        Texel down(int x) const
        {
            Texel upper = load(top + x * 4);
            return upper + (load(bottom + x * 4) - upper) * row.t;
        }
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

}
