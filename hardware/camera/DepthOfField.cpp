#include "hardware/camera/DepthOfField.h"

#include <algorithm>
#include <cmath>

namespace hardware {

namespace {

// Level k of a pyramid blurs about as a lens blurring by 3.5·2^(k−1)
// pixels does (its box, its smoothing and the bilinear read together).
constexpr float firstLevelBlur = 3.5f;
// Pixels blurred less than this are sharp.
constexpr float sharpBlur = 0.5f;
constexpr int deepestLevel = 12;

// How much a pixel takes part in the blurred field: not at all while sharp.
float weightOf(float blur)
{
    float t = std::clamp((blur - sharpBlur) / 1.5f, 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
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

// [1 2 1] / 4 along rows, then columns, edges repeated; four floats a texel.
// In place, keeping only the texels it has overwritten.
void smooth(std::vector<float>& texels, int width, int height)
{
    size_t rowFloats = size_t(width) * 4;
    for (int y = 0; y < height; ++y) {
        float* line = &texels[size_t(y) * rowFloats];
        float previous[4] = { line[0], line[1], line[2], line[3] };
        for (int x = 0; x < width; ++x) {
            float* here = line + x * 4;
            const float* next = x + 1 < width ? here + 4 : here;
            for (int c = 0; c < 4; ++c) {
                float current = here[c];
                here[c] = 0.25f * (previous[c] + next[c]) + 0.5f * current;
                previous[c] = current;
            }
        }
    }
    std::vector<float> above(texels.begin(), texels.begin() + ptrdiff_t(rowFloats));
    for (int y = 0; y < height; ++y) {
        float* line = &texels[size_t(y) * rowFloats];
        const float* below = y + 1 < height ? line + rowFloats : line;
        for (size_t i = 0; i < rowFloats; ++i) {
            float current = line[i];
            line[i] = 0.25f * (above[i] + below[i]) + 0.5f * current;
            above[i] = current;
        }
    }
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
    }
}

void DepthOfField::buildFirstLevels(const SensorReadout& readout)
{
    int width = readout.width(), height = readout.height();
    int halfWidth = (width + 1) / 2, halfHeight = (height + 1) / 2;
    m_halfWidth = halfWidth;
    m_halfHeight = halfHeight;
    m_far.resize(1);
    m_near.resize(1);
    // A field no pixel belongs to keeps one texel, of no weight. Every texel
    // of a field there is is written below.
    for (auto [level, present] : { std::pair { &m_far[0], m_hasFar }, std::pair { &m_near[0], m_hasNear } }) {
        level->width = present ? halfWidth : 1;
        level->height = present ? halfHeight : 1;
        level->texels.resize(size_t(level->width) * size_t(level->height) * 4);
        if (!present)
            std::fill(level->texels.begin(), level->texels.end(), 0.0f);
    }
    m_farBlur.resize(m_hasFar ? size_t(halfWidth) * size_t(halfHeight) : 1);
    m_nearBlur.resize(m_hasNear ? size_t(halfWidth) * size_t(halfHeight) : 1);

    m_largestFarBlur = m_largestNearBlur = 0;
    for (int ty = 0; ty < halfHeight; ++ty) {
        // An odd last row or column counts twice.
        int y0 = 2 * ty, y1 = std::min(height - 1, 2 * ty + 1);
        const uint32_t* colours[2] = { readout.colourRow(y0), readout.colourRow(y1) };
        const uint8_t* lightings[2] = { readout.lightingRow(y0), readout.lightingRow(y1) };
        const uint8_t* nearness[2] = { readout.nearnessRow(y0), readout.nearnessRow(y1) };
        size_t row = size_t(ty) * size_t(halfWidth);
        for (int tx = 0; tx < halfWidth; ++tx) {
            float far[4] = {}, near[4] = {};
            float farBlur = 0, nearBlur = 0;
            int xs[2] = { 2 * tx, std::min(width - 1, 2 * tx + 1) };
            for (int i = 0; i < 2; ++i) {
                for (int x : xs) {
                    uint8_t level = nearness[i][x];
                    float fw = m_farWeight[level], nw = m_nearWeight[level];
                    if (fw == 0 && nw == 0)
                        continue;
                    float r, g, b;
                    readout.value(colours[i][x], lightings[i] ? lightings[i][x] : 0, level, r, g, b);
                    far[0] += r * fw, far[1] += g * fw, far[2] += b * fw, far[3] += fw;
                    farBlur += m_blur[level] * fw;
                    near[0] += r * nw, near[1] += g * nw, near[2] += b * nw, near[3] += nw;
                    if (nw > 0)
                        nearBlur = std::max(nearBlur, m_blur[level]);
                }
            }
            if (m_hasFar) {
                float* out = &m_far[0].texels[(row + size_t(tx)) * 4];
                for (int c = 0; c < 4; ++c)
                    out[c] = far[c] * 0.25f;
                m_farBlur[row + size_t(tx)] = far[3] > 0 ? farBlur / far[3] : 0;
                m_largestFarBlur = std::max(m_largestFarBlur, m_farBlur[row + size_t(tx)]);
            }
            if (m_hasNear) {
                float* out = &m_near[0].texels[(row + size_t(tx)) * 4];
                for (int c = 0; c < 4; ++c)
                    out[c] = near[c] * 0.25f;
                m_nearBlur[row + size_t(tx)] = nearBlur;
                m_largestNearBlur = std::max(m_largestNearBlur, nearBlur);
            }
        }
    }
}

void DepthOfField::buildPyramid(Pyramid& pyramid, int levels)
{
    smooth(pyramid[0].texels, pyramid[0].width, pyramid[0].height);
    pyramid.resize(size_t(levels));
    for (int k = 1; k < levels; ++k) {
        const Level& finer = pyramid[size_t(k - 1)];
        Level& level = pyramid[size_t(k)];
        level.width = (finer.width + 1) / 2;
        level.height = (finer.height + 1) / 2;
        level.texels.resize(size_t(level.width) * size_t(level.height) * 4);
        for (int y = 0; y < level.height; ++y) {
            const float* upper = &finer.texels[size_t(2 * y) * size_t(finer.width) * 4];
            const float* lower = &finer.texels[size_t(std::min(finer.height - 1, 2 * y + 1)) * size_t(finer.width) * 4];
            float* out = &level.texels[size_t(y) * size_t(level.width) * 4];
            for (int x = 0; x < level.width; ++x) {
                int x0 = 2 * x, x1 = std::min(finer.width - 1, 2 * x + 1);
                for (int c = 0; c < 4; ++c)
                    out[x * 4 + c] = 0.25f * (upper[x0 * 4 + c] + upper[x1 * 4 + c] + lower[x0 * 4 + c] + lower[x1 * 4 + c]);
            }
        }
        smooth(level.texels, level.width, level.height);
    }
}

void DepthOfField::buildNearSpread(int level)
{
    // The near field's blur at a coarser size, widened as a cone: a point
    // blurred by r pixels reaches r pixels around it.
    const Level& first = m_near[0];
    m_spreadFactor = 1 << (level - 1);
    m_spreadWidth = (first.width + m_spreadFactor - 1) / m_spreadFactor;
    int spreadHeight = (first.height + m_spreadFactor - 1) / m_spreadFactor;
    std::vector<float> blocks(size_t(m_spreadWidth) * size_t(spreadHeight), 0);
    for (int y = 0; y < first.height; ++y) {
        for (int x = 0; x < first.width; ++x) {
            float& block = blocks[size_t(y / m_spreadFactor) * size_t(m_spreadWidth) + size_t(x / m_spreadFactor)];
            block = std::max(block, m_nearBlur[size_t(y) * size_t(first.width) + size_t(x)]);
        }
    }
    float step = float(2 * m_spreadFactor); // frame pixels per spread texel
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
    std::vector<float> across(blocks.size(), 0);
    spreadAlong(blocks, across, true);
    m_spread.assign(blocks.size(), 0);
    spreadAlong(across, m_spread, false);
}

void DepthOfField::prepareTaps()
{
    // Where each half-size texel's centre (frame pixel 2i + 1) falls on
    // each deeper level; level 1 is the half size itself.
    auto taps = [](int count, int levelCount, int level) {
        std::vector<Tap> list(size_t(count), Tap {});
        float scale = 1.0f / float(1 << level);
        for (int i = 0; i < count; ++i) {
            float u = float(2 * i + 1) * scale - 0.5f;
            int a = int(std::floor(u));
            list[size_t(i)] = { std::clamp(a, 0, levelCount - 1), std::clamp(a + 1, 0, levelCount - 1), u - float(a) };
        }
        return list;
    };
    size_t deepest = std::max(m_far.size(), m_near.size());
    m_columnTaps.assign(deepest + 1, {});
    m_rowTaps.assign(deepest + 1, {});
    // Every level of either field has the size halving from the frame's.
    int width = m_halfWidth, height = m_halfHeight;
    int levelWidth = width, levelHeight = height;
    for (size_t k = 1; k <= deepest; ++k) {
        m_columnTaps[k] = taps(width, levelWidth, int(k));
        m_rowTaps[k] = taps(height, levelHeight, int(k));
        levelWidth = (levelWidth + 1) / 2;
        levelHeight = (levelHeight + 1) / 2;
    }
}

inline void DepthOfField::blend(
    const float* upper, const float* lower, const Tap& row, const Tap& column, float result[4])
{
    const float* a = upper + column.a * 4;
    const float* b = upper + column.b * 4;
    const float* c = lower + column.a * 4;
    const float* d = lower + column.b * 4;
    for (int i = 0; i < 4; ++i) {
        float top = a[i] + (b[i] - a[i]) * column.t;
        float bottom = c[i] + (d[i] - c[i]) * column.t;
        result[i] = top + (bottom - top) * row.t;
    }
}

void DepthOfField::sampleBetween(const Pyramid& pyramid, float level, int tx, int ty, float out[4]) const
{
    int deepest = int(pyramid.size());
    level = std::min(level, float(deepest));
    int lower = std::max(1, int(level));
    auto at = [&](int k, float result[4]) {
        const Level& l = pyramid[size_t(k - 1)];
        const Tap& column = m_columnTaps[size_t(k)][size_t(tx)];
        const Tap& row = m_rowTaps[size_t(k)][size_t(ty)];
        const float* top = &l.texels[size_t(row.a) * size_t(l.width) * 4];
        const float* bottom = &l.texels[size_t(row.b) * size_t(l.width) * 4];
        blend(top, bottom, row, column, result);
    };
    at(lower, out);
    float t = level - float(lower);
    if (t <= 0 || lower >= deepest)
        return;
    float above[4];
    at(lower + 1, above);
    for (int i = 0; i < 4; ++i)
        out[i] += (above[i] - out[i]) * t;
}

bool DepthOfField::blurHalfRow(int ty, float* far, float* near) const
{
    int width = m_halfWidth;
    bool anyNear = false;
    for (int tx = 0; tx < width; ++tx) {
        size_t t = size_t(ty) * size_t(width) + size_t(tx);
        float* farHere = far + tx * 4;
        if (m_hasFar) {
            // Only texels with far pixels of their own are read.
            if (m_farBlur[t] > 0)
                sampleBetween(m_far, levelFor(m_farBlur[t]), tx, ty, farHere);
            else
                std::fill(farHere, farHere + 4, 0.0f);
        }
        float* nearHere = near + tx * 4;
        std::fill(nearHere, nearHere + 4, 0.0f);
        if (!m_hasNear)
            continue;
        float spread = m_nearBlur[t];
        if (!m_spread.empty())
            spread = std::max(spread, m_spread[size_t(ty / m_spreadFactor) * size_t(m_spreadWidth) + size_t(tx / m_spreadFactor)]);
        if (spread < sharpBlur)
            continue;
        sampleBetween(m_near, levelFor(spread), tx, ty, nearHere);
        anyNear = anyNear || nearHere[3] > 0;
    }
    return anyNear;
}

void DepthOfField::composeFullSize(const SensorReadout& readout, kit::CGImage& out) const
{
    int width = readout.width(), height = readout.height();
    int halfWidth = m_halfWidth, halfHeight = m_halfHeight;
    // Each frame pixel between the half-size texels around it.
    auto taps = [](int count, int halfCount) {
        std::vector<Tap> list(size_t(count), Tap {});
        for (int i = 0; i < count; ++i) {
            float u = (float(i) + 0.5f) * 0.5f - 0.5f;
            int a = int(std::floor(u));
            list[size_t(i)] = { std::clamp(a, 0, halfCount - 1), std::clamp(a + 1, 0, halfCount - 1), u - float(a) };
        }
        return list;
    };
    std::vector<Tap> columns = taps(width, halfWidth), rows = taps(height, halfHeight);
    // The half-size rows in use, three kept at a time.
    size_t rowFloats = size_t(halfWidth) * 4;
    std::vector<float> farRows(rowFloats * 3), nearRows(rowFloats * 3);
    int held[3] = { -1, -1, -1 };
    bool nearIn[3] = { false, false, false };
    auto halfRow = [&](int ty) {
        size_t slot = size_t(ty % 3);
        if (held[slot] != ty) {
            nearIn[slot] = blurHalfRow(ty, &farRows[slot * rowFloats], &nearRows[slot * rowFloats]);
            held[slot] = ty;
        }
        return slot;
    };
    auto* pixels = reinterpret_cast<uint32_t*>(out.mutableData());
    for (int y = 0; y < height; ++y) {
        const Tap& row = rows[size_t(y)];
        size_t upper = halfRow(row.a), lower = halfRow(row.b);
        const float* farUpper = &farRows[upper * rowFloats];
        const float* farLower = &farRows[lower * rowFloats];
        const float* nearUpper = &nearRows[upper * rowFloats];
        const float* nearLower = &nearRows[lower * rowFloats];
        bool nearHere = nearIn[upper] || nearIn[lower];
        const uint32_t* colours = readout.colourRow(y);
        const uint8_t* lightings = readout.lightingRow(y);
        const uint8_t* nearness = readout.nearnessRow(y);
        uint32_t* line = pixels + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            uint8_t level = nearness[x];
            float r = 0, g = 0, b = 0;
            float value[4];
            // A pixel beyond the focus is as much the far blur as it is
            // blurred itself; one wholly blurred needs nothing of its own.
            float fw = m_farWeight[level];
            bool own = true;
            if (fw > 0) {
                blend(farUpper, farLower, row, columns[size_t(x)], value);
                if (value[3] > 1e-6f) {
                    float inverse = 1 / value[3];
                    if (fw >= 1) {
                        r = value[0] * inverse, g = value[1] * inverse, b = value[2] * inverse;
                        own = false;
                    } else {
                        readout.value(colours[x], lightings ? lightings[x] : 0, level, r, g, b);
                        r += (value[0] * inverse - r) * fw;
                        g += (value[1] * inverse - g) * fw;
                        b += (value[2] * inverse - b) * fw;
                        own = false;
                    }
                }
            }
            if (own)
                readout.value(colours[x], lightings ? lightings[x] : 0, level, r, g, b);
            // The near blur lies over it as far as it reaches.
            if (nearHere) {
                blend(nearUpper, nearLower, row, columns[size_t(x)], value);
                if (value[3] > 1e-6f) {
                    float cover = std::min(1.0f, std::max(m_nearWeight[level], value[3]));
                    float inverse = 1 / value[3];
                    r += (value[0] * inverse - r) * cover;
                    g += (value[1] * inverse - g) * cover;
                    b += (value[2] * inverse - b) * cover;
                }
            }
            line[x] = readout.pixel(r, g, b);
        }
    }
}

void DepthOfField::develop(const SensorReadout& readout, const bool presentLevels[256], kit::CGImage& out)
{
    prepareTables(readout);
    m_hasFar = m_hasNear = false;
    for (int level = 0; level < 256; ++level) {
        m_hasFar = m_hasFar || (presentLevels[level] && m_farWeight[size_t(level)] > 0);
        m_hasNear = m_hasNear || (presentLevels[level] && m_nearWeight[size_t(level)] > 0);
    }
    buildFirstLevels(readout);
    if (m_hasFar)
        buildPyramid(m_far, levelsFor(m_largestFarBlur));
    m_spread.clear();
    if (m_hasNear) {
        buildPyramid(m_near, levelsFor(m_largestNearBlur));
        if (m_largestNearBlur > firstLevelBlur)
            buildNearSpread(std::min(3, int(m_near.size())));
    }
    prepareTaps();
    composeFullSize(readout, out);
}

}
