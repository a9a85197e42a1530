#include "hardware/camera/DepthOfFieldLevels.h"

#include "hardware/camera/DepthOfFieldBasics.h"

#include <algorithm>

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

float* DepthOfField::ColumnSmoother::rowToMake(int y, ColumnSpan made)
{
    return readiedRow(row(y), m_level.rowSpans[size_t(y)], made);
}

void DepthOfField::ColumnSmoother::rowArrived(int y, ColumnSpan span)
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

void DepthOfField::ColumnSmoother::finish(int height)
{
    finishRow(height - 1, row(height - 1), m_lineSpan);
}

void DepthOfField::ColumnSmoother::finishRow(int y, const float* below, ColumnSpan belowSpan)
{
    ColumnSpan span = m_aboveSpan.joined(m_lineSpan).joined(belowSpan);
    m_level.rowSpans[size_t(y)] = span;
    // Beyond the span the row, the one below and the copy of the one above
    // are zeros, and stay so.
    float* line = row(y);
    for (size_t i = size_t(span.from) * 4; i < size_t(span.to) * 4; ++i) {
        float current = line[i];
        line[i] = smoothed(m_above[i], current, below[i]);
        m_above[i] = current;
    }
    m_aboveSpan = m_lineSpan;
}

DepthOfField::LevelRing::LevelRing(Level& level, RowRing& ring)
    : m_level(level)
    , m_ring(ring)
{
    m_ring.size(level.width);
}

void DepthOfField::LevelRing::keep(int y)
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

ColumnSpan DepthOfField::LevelRing::smoothedAlong(int y)
{
    size_t slot = size_t(y % RowRing::rows);
    if (!m_ring.smoothedAlong[slot]) {
        m_ring.spans[slot] = smoothRow(m_ring.row(y), m_ring.width, m_ring.spans[slot]);
        m_ring.smoothedAlong[slot] = true;
    }
    return m_ring.spans[slot];
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

DepthOfField::LevelStream::LevelStream(Level& level)
    : m_level(level)
{
    m_inLevel.emplace(level);
}

DepthOfField::LevelStream::LevelStream(Level& level, RowRing& ring, std::function<bool(int)> kept)
    : m_level(level)
    , m_kept(std::move(kept))
{
    m_ring.emplace(level, ring);
}

DepthOfField::LevelStream::~LevelStream() = default;

void DepthOfField::LevelStream::halveInto(Level& next, RowRing& halved, std::unique_ptr<LevelStream> stream)
{
    m_halving = std::make_unique<HalvingRows>(m_level, next, halved, std::move(stream));
}

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

DepthOfField::HalvingRows::HalvingRows(const Level& finer, Level& level, RowRing& ring, std::unique_ptr<LevelStream> stream)
    : m_finer(finer)
    , m_level(level)
    , m_ring(ring)
    , m_stream(std::move(stream))
{
    m_ring.size(level.width);
}

void DepthOfField::HalvingRows::rowArrived(int y, const float* line, ColumnSpan span)
{
    ColumnSpan made = span.widened(1, m_finer.width).halved();
    halveRow(line, m_finer.width, made, m_ring.rowToMake(y, made));
    // A row is made once the last of the four under it has arrived.
    while (m_made < m_level.height && lastRowUnder(m_made) <= y)
        makeRow(m_made++);
}

int DepthOfField::HalvingRows::lastRowUnder(int y) const
{
    PairTaps taps = pairTaps(y, m_finer.height);
    return std::max(taps.second, taps.after);
}

void DepthOfField::HalvingRows::makeRow(int y)
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
        store(out + x * 4, halvedPair(load(before + x * 4), load(first + x * 4), load(second + x * 4), load(after + x * 4)));
    m_stream->rowArrived(y, out, made);
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

}
