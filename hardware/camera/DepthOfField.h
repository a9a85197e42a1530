#pragma once

#include "hardware/camera/ColumnSpan.h"
#include "hardware/camera/SensorReadout.h"

#include "kit/ui/CGImage.h"

#include <array>
#include <cstdint>
#include <vector>

namespace hardware {

// The lens's blur, by each pixel's own distance from the focus, as two
// fields: the points beyond the focus and those nearer than it. Each field
// is averaged down into a pyramid of halved sizes, every level smoothed,
// from its blurred pixels only, so a sharp subject does not bleed into the
// soft background behind it. At half the frame's size each texel takes its
// field's value from the levels whose blur matches: the far field's at its
// own blur, the near field's at the blur it spreads over what lies behind
// it, a soft edge over whatever is there. At full size each pixel mixes its
// own sharp value with the far blur by how blurred it is, and lays the near
// blur over that. About two reads of every pixel, whatever the blur.
// Buffers are kept from frame to frame.
//
// The blurred fields change little from pixel to pixel, so where a pixel's
// four half-size texels all hold what it needs, its blur is their toned
// pixels mixed in whole numbers; only the edges between the fields are
// worked out in linear light. A far field blurred over two levels or more
// is made so at a quarter of the frame's size, and its half-size texels
// mixed from there.
//
// Most frames are sharp in large parts, so the work follows the blurred
// points, row by row and within each row between the first and the last
// column they reach: texels beyond are neither made nor smoothed and stay
// zeros from frame to frame, and frame pixels beyond are only toned.
class DepthOfField {
public:
    // Writes the toned, blurred frame into `out` (the readout's size).
    void develop(const SensorReadout&, kit::CGImage& out);

private:
    struct Level {
        int width { 0 };
        int height { 0 };
        // Red, green, blue and weight, the colours premultiplied by it.
        std::vector<float> texels;
        // By row: the columns that may hold weight. Its other texels are
        // zeros, cleared only where they held some in the frame before.
        std::vector<ColumnSpan> rowSpans;
    };
    // A few rows of a level, in turn, while it is made: row y in row y % rows.
    struct RowRing {
        static constexpr int rows = 4;
        int width { 0 };
        std::vector<float> texels;
        std::array<ColumnSpan, rows> spans {}; // the columns each may hold weight in
        std::array<bool, rows> smoothedAlong {};

        // Sized for rows of `width`; what they hold is kept when it is.
        void size(int width);
        float* row(int y) { return &texels[size_t(y % rows) * size_t(width) * 4]; }
        // Row y to be made: zeros outside `made`, cleared only where they
        // held weight before.
        float* rowToMake(int y, ColumnSpan made);
    };
    // A field's levels, halving from level 1, half the frame. They are kept
    // from frame to frame, with their buffers, however many are in use.
    struct Pyramid {
        std::vector<Level> levels; // [0] is level 1
        int depth { 0 };           // the levels in use
        // Levels' rows while the next level is made from them, by level
        // from level 1: the rows themselves, where they are not kept whole
        // (levels 1 and 2 of the far field), and halved along.
        std::array<RowRing, 2> madeInPassing;
        std::vector<RowRing> halvedInPassing;
    };
    // A point between two texels of a row or column.
    struct Tap {
        int a, b;
        float t;
    };
    // Red, green, blue and weight.
    using Texel = SensorReadout::Linear;
    // How a pixel at a nearness level is made: at the focus or nearer, its
    // own value, as blurred as it is itself, under the near blur; beyond
    // it, partly or wholly the far blur.
    enum class Kind : uint8_t { Own, PartlyFar, Far };
    // What a half-size texel holds.
    enum Field : uint8_t { HoldsFar = 1, HoldsNear = 2 };
    // One row of texels at half the frame's size, blurred: each field's
    // value premultiplied by its weight, and as toned pixels (widened), the
    // far one with the near one laid over it.
    struct HalfRow {
        int row { -1 };
        std::vector<float> far;
        std::vector<float> near;
        std::vector<uint64_t> blurred;
        std::vector<uint64_t> nearBlurred;
        // By frame column: those of the two texels across, mixed (four
        // times over, widened), for the frame rows around this one.
        std::vector<uint64_t> blurredAcross;
        std::vector<uint64_t> nearBlurredAcross;
        std::vector<uint8_t> fields;
        bool anyNear { false };
        // The columns that hold a field.
        ColumnSpan held;
        // The columns whose values may not be zeros; the others are, cleared
        // only where they held some before.
        ColumnSpan written;
        bool nearCleared { false }; // the near field all zeros
    };
    // Where each pixel of a grid falls between the texels of the grid of
    // half its size: a quarter or three quarters of the way, the edges held;
    // and the same in quarters toward the second texel.
    struct FinerGrid {
        std::vector<Tap> columns;
        std::vector<Tap> rows;
        std::vector<uint8_t> columnQuarters;
        std::vector<uint8_t> rowQuarters;
        int coarseWidth { 1 };
        int coarseHeight { 1 };

        void prepare(int width, int height, int coarseWidth, int coarseHeight);
    };
    // Where the centres of a grid's texels fall on each pyramid level.
    struct LevelTaps {
        std::vector<std::vector<Tap>> columns; // by level
        std::vector<std::vector<Tap>> rows;
        int ownLevel { 1 }; // the level of the grid's size, read texel by texel
    };
    // One row of the far field at a quarter of the frame's size, as toned
    // pixels, widened, where it is plain: its four half-size texels hold the
    // far field blurred over two pyramid levels or more, and no near field.
    // And those mixed across for the half-size columns.
    struct QuarterRow {
        int row { -1 };
        std::vector<uint8_t> plain;
        std::vector<uint64_t> blurred;
        // By half-size column: whether the two quarter texels across are
        // plain, and their mix, four times over.
        std::vector<uint8_t> plainAcross;
        std::vector<uint64_t> blurredAcross;
    };
    // Four texels' colour between the columns and rows the taps name, of
    // two rows of four-float texels.
    static Texel blend(const float* upper, const float* lower, const Tap& row, const Tap& column);

    void prepareTables(const SensorReadout&);
    // The fields that points within a range of nearness levels belong to.
    uint8_t fieldsAmong(SensorReadout::NearnessRange) const;
    // The half-size columns of two frame rows' blurred points.
    ColumnSpan blurredColumns(const SensorReadout&, int y0, int y1) const;
    static void sizeLevel(Level&, int width, int height);
    // Level 1's texels of a row, in the columns given, from the frame's two
    // rows under it: each field's points weighed by how much they belong to
    // it, into the rows given for the fields there are (null for the others).
    void makeFirstRow(const SensorReadout&, int ty, ColumnSpan, float* farRow, float* nearRow);
    class ColumnSmoother;
    class LevelRing;
    class LevelStream;
    class HalvingRows;
    // Each field's level 1, and the coarser levels the frame's most blurred
    // points call for, each made from the one before as its rows arrive.
    void buildPyramids(const SensorReadout&);
    // Whether row `row` of the far field's level 1 or 2 is read at that
    // level's own size when the half rows are made.
    bool farReadAt(int level, int row) const;
    void buildNearSpread(int level);
    void prepareTaps();
    class PyramidRow;
    const QuarterRow& quarterRow(int row, const SensorReadout&);
    void blurHalfRow(int row, const SensorReadout&, HalfRow&);
    // A row's widened pixels mixed across for the columns of the finer grid
    // from `from` to before `to`: four times the mix of the texels around
    // each.
    static void mixAcrossRow(const FinerGrid&, const uint64_t* texels, int from, int to, uint64_t* out);
    // The fields two half rows hold, for the frame rows between them.
    void noteHeldFields(const HalfRow& upper, const HalfRow& lower, ColumnSpan held);
    // A frame row's pixels from `from` to before `to`, between two half rows.
    void composeRow(const SensorReadout&, int y, const HalfRow& upper, const HalfRow& lower, int from, int to, uint32_t* line);
    void composeFullSize(const SensorReadout&, kit::CGImage& out);
    // A pixel worked out in linear light: its own value mixed with the far
    // blur, the near blur laid over it.
    uint32_t exactPixel(const SensorReadout&, uint32_t colour, uint8_t lighting, uint8_t level, const HalfRow& upper,
        const HalfRow& lower, const Tap& row, const Tap& column) const;

    // By nearness level: blur radius, and how much a pixel there belongs to
    // the far and near fields' blurred pyramids.
    std::array<float, 256> m_blur {};
    std::array<float, 256> m_farWeight {};
    std::array<float, 256> m_nearWeight {};
    std::array<float, 256> m_plainFarBlur {}; // the mean blur of four points there
    std::array<Kind, 256> m_kind {};
    uint8_t m_farLevels { 0 }; // the levels below it are Kind::Far
    // The far weight in 256ths; whether the near one is whole.
    std::array<uint32_t, 256> m_farMix {};
    std::array<bool, 256> m_nearBlurred {};
    // Whether a point there takes part in either field.
    std::array<bool, 256> m_blurred {};
    float m_largestFarBlur { 0 };
    float m_largestNearBlur { 0 };
    bool m_hasFar { false };
    bool m_hasNear { false };
    // Level 1's size, half the frame's, whichever fields there are.
    int m_halfWidth { 1 };
    int m_halfHeight { 1 };

    Pyramid m_far;
    Pyramid m_near;
    // At level 1's size: the far pixels' mean blur, the near pixels' largest.
    std::vector<float> m_farBlur;
    std::vector<float> m_nearBlur;
    std::vector<float> m_leastFarBlur; // by row, of the texels with far points
    // By level-1 row: the fields its points belong to, and the columns they
    // lie in. The blurs above are only written, and read, there.
    std::vector<uint8_t> m_rowFields;
    std::vector<ColumnSpan> m_rowColumns;
    std::vector<float> m_spread;
    std::vector<float> m_spreadBlocks; // its passes' buffers
    std::vector<float> m_spreadAcross;
    int m_spreadWidth { 0 };
    int m_spreadShift { 0 }; // level-1 texels per spread texel, across, as a power of two
    std::vector<ColumnSpan> m_spreadReach; // by spread row: the columns the near blur reaches
    // Where the half-size and quarter-size texels fall on the levels.
    LevelTaps m_halfTaps;
    LevelTaps m_quarterTaps;
    // The frame's pixels between the half-size texels, and the half-size
    // texels between the quarter-size ones.
    FinerGrid m_fullSize;
    FinerGrid m_halfSize;
    std::array<HalfRow, 3> m_halfRows;
    // Whether the far field is read at a quarter of the size where it can.
    bool m_quarterFar { false };
    std::array<QuarterRow, 3> m_quarterRows;
    std::vector<uint8_t> m_plainFar; // by half-size column of a half row
    std::vector<uint8_t> m_plainColumns; // the same of the two under a quarter row
    // By half-size column, for the frame rows between two half rows: the
    // fields both hold, and those either does; by frame column, whether the
    // texels around all hold the far field.
    std::vector<uint8_t> m_bothHold;
    std::vector<uint8_t> m_eitherHolds;
    std::vector<uint8_t> m_farAround; // only where both hold it somewhere:
    bool m_farHeldByBoth { false };
    bool m_farHeldThroughout { false }; // by both, around every frame column
    // A frame row: which pixels are wholly the far blur.
    std::vector<uint8_t> m_wholeFar;
};

}
