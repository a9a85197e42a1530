#pragma once

namespace kit {

using CGFloat = double;

struct CGPoint {
    CGFloat x { 0 }, y { 0 };
    bool operator==(const CGPoint&) const = default;
};

struct CGSize {
    CGFloat width { 0 }, height { 0 };
    bool operator==(const CGSize&) const = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
    bool operator==(const CGRect&) const = default;
};

inline CGPoint CGPointMake(CGFloat x, CGFloat y) { return { x, y }; }
inline CGSize CGSizeMake(CGFloat w, CGFloat h) { return { w, h }; }
inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) { return { { x, y }, { w, h } }; }

}
