#include "hardware/camera/DepthOfField.h"

#include "hardware/camera/DepthOfFieldBasics.h"
#include "hardware/camera/PackedPixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// The passes in turn, and the frame at full size: each pixel its own value
// mixed with the blurred fields of the half rows around it.

namespace hardware {

using namespace dof;

namespace {

// How much a pixel takes part in the blurred field: not at all while sharp,
// nor while so little blurred that it would not move a 256th toward its blur.
float weightOf(float blur)
{
    float t = std::clamp((blur - sharpBlur) / 1.5f, 0.0f, 1.0f);
    float weight = t * t * (3 - 2 * t);
    return weight < 1.0f / 256 ? 0.0f : weight;
}

}

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
    buildPyramids(readout);
    m_spread.clear();
    if (m_hasNear) {
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