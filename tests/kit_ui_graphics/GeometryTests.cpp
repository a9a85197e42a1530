#include "kit/ui/AffineTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace kit;

namespace {

void expectNear(CGPoint actual, CGPoint expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

}

TEST(Rect, ContainmentIsHalfOpen)
{
    CGRect r = CGRectMake(10, 20, 30, 40);
    EXPECT_TRUE(CGRectContainsPoint(r, { 10, 20 }));
    EXPECT_TRUE(CGRectContainsPoint(r, { 39.999, 59.999 }));
    EXPECT_FALSE(CGRectContainsPoint(r, { 40, 30 }));
    EXPECT_FALSE(CGRectContainsPoint(r, { 20, 60 }));
    EXPECT_FALSE(CGRectContainsPoint(CGRectMake(0, 0, 0, 10), { 0, 5 }));
    EXPECT_FALSE(CGRectContainsPoint(CGRectNull, { 0, 0 }));
}

TEST(Rect, NegativeSizesAreStandardisedEverywhere)
{
    CGRect flipped = CGRectMake(40, 60, -30, -40);
    EXPECT_EQ(CGRectStandardize(flipped), CGRectMake(10, 20, 30, 40));
    EXPECT_EQ(CGRectGetMinX(flipped), 10);
    EXPECT_EQ(CGRectGetMaxY(flipped), 60);
    EXPECT_EQ(CGRectGetMidX(flipped), 25);
    EXPECT_EQ(CGRectGetWidth(flipped), 30);
    EXPECT_TRUE(CGRectContainsPoint(flipped, { 10, 20 }));
    EXPECT_FALSE(CGRectContainsPoint(flipped, { 40, 60 }));
    EXPECT_TRUE(CGRectEqualToRect(flipped, CGRectMake(10, 20, 30, 40)));
    EXPECT_EQ(CGRectOffset(flipped, 1, 1), CGRectMake(11, 21, 30, 40));
}

TEST(Rect, IntersectionUnionAndNull)
{
    CGRect a = CGRectMake(0, 0, 10, 10);
    EXPECT_EQ(CGRectIntersection(a, CGRectMake(5, 5, 10, 10)), CGRectMake(5, 5, 5, 5));
    EXPECT_TRUE(CGRectIntersectsRect(a, CGRectMake(5, 5, 10, 10)));

    // Touching along an edge: a zero-width common part, no intersection.
    EXPECT_EQ(CGRectIntersection(a, CGRectMake(10, 0, 5, 5)), CGRectMake(10, 0, 0, 5));
    EXPECT_FALSE(CGRectIntersectsRect(a, CGRectMake(10, 0, 5, 5)));

    CGRect apart = CGRectIntersection(a, CGRectMake(20, 20, 5, 5));
    EXPECT_TRUE(CGRectIsNull(apart));
    EXPECT_TRUE(CGRectIsEmpty(apart));
    EXPECT_TRUE(CGRectEqualToRect(apart, CGRectNull));
    EXPECT_FALSE(CGRectIsNull(CGRectZero));

    EXPECT_EQ(CGRectUnion(a, CGRectMake(20, -5, 5, 5)), CGRectMake(0, -5, 25, 15));
    EXPECT_EQ(CGRectUnion(CGRectNull, CGRectMake(3, 4, -1, 2)), CGRectMake(2, 4, 1, 2));
    EXPECT_TRUE(CGRectContainsRect(a, CGRectMake(0, 0, 10, 10)));
    EXPECT_FALSE(CGRectContainsRect(a, CGRectMake(1, 1, 10, 1)));
}

TEST(Rect, InsetOffsetAndIntegral)
{
    EXPECT_EQ(CGRectInset(CGRectMake(0, 0, 10, 20), 2, 3), CGRectMake(2, 3, 6, 14));
    EXPECT_EQ(CGRectInset(CGRectMake(0, 0, 10, 20), -1, -1), CGRectMake(-1, -1, 12, 22));
    EXPECT_TRUE(CGRectIsNull(CGRectInset(CGRectMake(0, 0, 10, 20), 6, 0)));
    EXPECT_TRUE(CGRectIsNull(CGRectOffset(CGRectNull, 1, 1)));
    EXPECT_EQ(CGRectIntegral(CGRectMake(0.5, 1.2, 2, 2)), CGRectMake(0, 1, 3, 3));
    EXPECT_EQ(UIEdgeInsetsInsetRect(CGRectMake(0, 0, 10, 10), UIEdgeInsetsMake(1, 2, 3, 4)), CGRectMake(2, 1, 4, 6));
    EXPECT_EQ(NSStringFromCGRect(CGRectMake(1, 2.5, 0.1, -3)), "{{1, 2.5}, {0.1, -3}}");
}

TEST(AffineTransform, ConcatAppliesTheFirstThenTheSecond)
{
    auto scale = CGAffineTransformMakeScale(2, 3);
    auto move = CGAffineTransformMakeTranslation(10, 20);
    expectNear(CGPointApplyAffineTransform({ 1, 1 }, CGAffineTransformConcat(scale, move)), { 12, 23 });
    expectNear(CGPointApplyAffineTransform({ 1, 1 }, CGAffineTransformConcat(move, scale)), { 22, 63 });
}

TEST(AffineTransform, RotateScaleTranslatePrependTheirOperation)
{
    auto t = CGAffineTransformTranslate(CGAffineTransformMakeScale(2, 2), 5, 0);
    // The translation happens in the scaled space: (0,0) -> (5,0) -> (10,0).
    expectNear(CGPointApplyAffineTransform({ 0, 0 }, t), { 10, 0 });

    auto r = CGAffineTransformRotate(CGAffineTransformMakeTranslation(10, 0), std::numbers::pi / 2);
    // A positive quarter turn takes the x axis to the y axis.
    expectNear(CGPointApplyAffineTransform({ 1, 0 }, r), { 10, 1 });

    auto s = CGAffineTransformScale(CGAffineTransformMakeRotation(std::numbers::pi / 2), 3, 1);
    expectNear(CGPointApplyAffineTransform({ 1, 0 }, s), { 0, 3 });
}

TEST(AffineTransform, InvertUndoesAndSingularStaysUnchanged)
{
    auto t = CGAffineTransformConcat(CGAffineTransformMakeRotation(0.7), CGAffineTransformMakeTranslation(3, -4));
    t = CGAffineTransformScale(t, 2, 0.5);
    auto back = CGAffineTransformConcat(t, CGAffineTransformInvert(t));
    expectNear(CGPointApplyAffineTransform({ 17, -9 }, back), { 17, -9 });

    auto singular = CGAffineTransformMakeScale(0, 1);
    EXPECT_FALSE(CGAffineTransformIsInvertible(singular));
    EXPECT_EQ(CGAffineTransformInvert(singular), singular);
    EXPECT_TRUE(CGAffineTransformIsIdentity(CGAffineTransformInvert(CGAffineTransformIdentity)));
}

TEST(AffineTransform, RectsAndSizes)
{
    auto quarter = CGAffineTransformMakeRotation(std::numbers::pi / 2);
    CGRect r = CGRectApplyAffineTransform(CGRectMake(0, 0, 20, 10), quarter);
    EXPECT_NEAR(r.origin.x, -10, 1e-9);
    EXPECT_NEAR(r.origin.y, 0, 1e-9);
    EXPECT_NEAR(r.size.width, 10, 1e-9);
    EXPECT_NEAR(r.size.height, 20, 1e-9);
    EXPECT_TRUE(CGRectIsNull(CGRectApplyAffineTransform(CGRectNull, quarter)));

    CGSize s = CGSizeApplyAffineTransform({ 20, 10 }, CGAffineTransformMake(1, 0, 0, -1, 100, 100));
    EXPECT_EQ(s, CGSizeMake(20, -10));
}
