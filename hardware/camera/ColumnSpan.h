#pragma once

#include <algorithm>

namespace hardware {

// Some columns of a row, from the first to past the last: none when `from`
// is not before `to`.
struct ColumnSpan {
    int from { 0 };
    int to { 0 };

    bool empty() const { return from >= to; }

    // Both, and the columns between them.
    ColumnSpan joined(ColumnSpan other) const
    {
        if (empty())
            return other;
        if (other.empty())
            return *this;
        return { std::min(from, other.from), std::max(to, other.to) };
    }
    // `by` more columns on either side, within a row of `width`.
    ColumnSpan widened(int by, int width) const
    {
        return empty() ? ColumnSpan {} : ColumnSpan { std::max(0, from - by), std::min(width, to + by) };
    }
    // The same columns in a row of half the size (a column of two pixels
    // at a time, the odd last one alone).
    ColumnSpan halved() const { return empty() ? ColumnSpan {} : ColumnSpan { from / 2, (to + 1) / 2 }; }
};

// Calls part(from, to) for the runs of `span`'s columns that lie outside
// `keep`.
template <typename Part>
void forColumnsOutside(ColumnSpan span, ColumnSpan keep, Part part)
{
    if (span.empty())
        return;
    if (keep.empty()) {
        part(span.from, span.to);
        return;
    }
    if (span.from < keep.from)
        part(span.from, std::min(span.to, keep.from));
    if (keep.to < span.to)
        part(std::max(span.from, keep.to), span.to);
}

}
