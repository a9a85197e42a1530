#pragma once

// How the blurred fields' levels are made as their rows arrive, one at a
// time: smoothed in place, or held in a ring of rows and kept only where
// they are read, and halved on the way to the next level.

#include "hardware/camera/DepthOfField.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace hardware {

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
    float* rowToMake(int y, ColumnSpan made);
    // Row y is made: weight in `span`, zeros elsewhere.
    void rowArrived(int y, ColumnSpan span);
    // The last row, which has none below it.
    void finish(int height);

private:
    float* row(int y) const { return &m_level.texels[size_t(y) * size_t(m_level.width) * 4]; }
    void finishRow(int y, const float* below, ColumnSpan belowSpan);

    Level& m_level;
    std::vector<float> m_above; // the row above the one to finish, unsmoothed
    ColumnSpan m_aboveSpan;
    ColumnSpan m_lineSpan;
};

// A level made in a ring of rows, which stays in the processor's cache,
// while the next level is made from its rows as they arrive: a row is
// smoothed, the same as ColumnSmoother does, and kept in the level only
// when asked to.
class DepthOfField::LevelRing {
public:
    LevelRing(Level& level, RowRing& ring);

    float* rowToMake(int y, ColumnSpan made) { return m_ring.rowToMake(y, made); }
    // Row y smoothed into the level; the rows around it are made.
    void keep(int y);

private:
    // Row y smoothed along, once: the columns it holds weight in after.
    ColumnSpan smoothedAlong(int y);

    Level& m_level;
    RowRing& m_ring;
};

// A level whose rows arrive one at a time, unsmoothed: smoothed in the
// level as they come, or made in a ring and kept in the level only where
// `kept` says they are read at its size. And when the next level is made
// with it, each row halved on its way there.
class DepthOfField::LevelStream {
public:
    // Smoothed in the level.
    explicit LevelStream(Level&);
    // Made in `ring`.
    LevelStream(Level&, RowRing& ring, std::function<bool(int)> kept);
    ~LevelStream();

    // The next level made from this one's rows, through a ring of them
    // halved along, into `stream`; which next() then gives.
    void halveInto(Level& next, RowRing& halved, std::unique_ptr<LevelStream> stream);
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
    HalvingRows(const Level& finer, Level& level, RowRing& ring, std::unique_ptr<LevelStream> stream);

    LevelStream& stream() const { return *m_stream; }
    // The finer level's row y, unsmoothed, with weight in `span`.
    void rowArrived(int y, const float* line, ColumnSpan span);
    void finish() { m_stream->finish(); }

private:
    int lastRowUnder(int y) const;
    void makeRow(int y);

    const Level& m_finer;
    Level& m_level;
    RowRing& m_ring;
    std::unique_ptr<LevelStream> m_stream;
    int m_made { 0 };
};

}
