#include "DialTestSupport.h"

#include "extension/camerabar/SelectorDialDelegate.h"

using namespace dialtest;
using Marks = std::vector<int>;

namespace {

struct TapCounter final : vantor::SelectorDialDelegate {
    void InnerCircleTapped(kit::id) override { ++taps; }
    int taps { 0 };
};

}

TEST_F(DialTest, IsBuiltAsAFloatingWindowWithThirtyDarkMarksAtTheirCentres)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeTimer);
    EXPECT_EQ(dial->windowLevel(), 1500);
    ASSERT_TRUE(dial->outerRing()->image()) << "the ring's artwork is installed";
    EXPECT_EQ(dial->outerRing()->frame(), kit::CGRectMake(0, 0, 295, 295));
    EXPECT_EQ(dial->timeLbl()->superview(), dial->innerCircle().get());
    EXPECT_TRUE(litMarks(*dial).empty());
    for (int i : { 1, 17, 30 }) {
        auto* mark = dial->markAt(i);
        ASSERT_TRUE(mark);
        EXPECT_EQ(mark->tag(), 100 + i);
        EXPECT_EQ(mark->superview(), dial->outerRing().get());
        EXPECT_EQ(mark->center(), vantor::dial::markCentre(i));
    }
    EXPECT_EQ(dial->markAt(1)->center(), (kit::CGPoint { 133.5, 40.5 }));
    EXPECT_EQ(dial->markAt(30)->center(), (kit::CGPoint { 104.5, 46.3 }));
    EXPECT_EQ(dial->markAt(0), nullptr);
    EXPECT_EQ(dial->markAt(31), nullptr);
}

TEST_F(DialTest, TimerDialAcceptsAnglesFromItsSmallestValueToJustUnderAFullTurn)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeTimer);
    dial->setCurrentTime(5);
    EXPECT_EQ(dial->currentAngle(), 60);

    turnTo(*dial, 36);
    EXPECT_EQ(dial->currentTime(), 3);
    turnTo(*dial, 348);
    EXPECT_EQ(dial->currentTime(), 29);
    turnTo(*dial, 356);
    EXPECT_EQ(dial->currentTime(), 29) << "356 itself is still read from the scale";
    turnTo(*dial, 356.5);
    EXPECT_EQ(dial->currentTime(), 30);
    turnTo(*dial, 359.9);
    EXPECT_EQ(dial->currentTime(), 30);
    EXPECT_NEAR(dial->currentAngle(), 359.9, 1e-4);
    EXPECT_EQ(dial->timeLbl()->text(), "30");

    turnTo(*dial, 360);
    EXPECT_NEAR(dial->currentAngle(), 359.9, 1e-4) << "a full turn is ignored";
    turnTo(*dial, 200);
    turnTo(*dial, 35.9);
    EXPECT_EQ(dial->currentAngle(), 200) << "below the smallest value is ignored";
    EXPECT_EQ(dial->currentTime(), 16);
    EXPECT_EQ(litMarks(*dial).size(), 16u) << "one mark per second";
}

TEST_F(DialTest, TimeLapseSecondsStartAtThreeWithOnlyTheFirstMarkLit)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeTimeLapse);
    EXPECT_EQ(dial->maxTime(), 60);
    dial->setCurrentTime(1);
    EXPECT_EQ(dial->currentTime(), 3) << "seconds start at 3";
    EXPECT_EQ(dial->currentAngle(), 18);
    EXPECT_EQ(litMarks(*dial), Marks { 1 });

    turnTo(*dial, 17.9);
    EXPECT_EQ(dial->currentTime(), 3);
    turnTo(*dial, 359);
    EXPECT_EQ(dial->currentTime(), 60);
    EXPECT_EQ(litMarks(*dial).size(), 30u);
}

TEST_F(DialTest, TimeLapseMinutesReachOneWithTheFirstMarkLit)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeTimeLapse);
    dial->setTimeType(SelectorDialEx::TimeTypeMinutes);
    EXPECT_EQ(dial->bottomLbl()->text(), "min");
    dial->setCurrentTime(4);
    turnTo(*dial, 6);
    EXPECT_EQ(dial->currentTime(), 1);
    EXPECT_EQ(litMarks(*dial), Marks { 1 }) << "with two units per mark, 1 still lights the first";
    turnTo(*dial, 5.9);
    EXPECT_EQ(dial->currentTime(), 1);
}

TEST_F(DialTest, FrameRateDialTakesItsScaleFromTheDevicesHighestRate)
{
    struct Case {
        int32_t maxRate;
        int32_t valueAtHalfTurn;
        Marks marksForEight;
    };
    for (const Case& c : { Case { 30, 15, Marks { 1, 2, 3, 4, 5, 6, 7, 8 } }, Case { 60, 30, Marks { 1, 2, 3, 4 } },
             Case { 120, 60, Marks { 1, 2 } } }) {
        SCOPED_TRACE(c.maxRate);
        auto dial = makeDial(SelectorDialEx::SelectorDialTypeFrames, c.maxRate);
        EXPECT_EQ(dial->maxTime(), c.maxRate);
        EXPECT_EQ(dial->bottomLbl()->text(), "FPS");
        dial->setCurrentTime(8);
        EXPECT_EQ(litMarks(*dial), c.marksForEight);
        turnTo(*dial, 180);
        EXPECT_EQ(dial->currentTime(), c.valueAtHalfTurn);
        turnTo(*dial, 357);
        EXPECT_EQ(dial->currentTime(), c.maxRate);
    }

    auto fast = makeDial(SelectorDialEx::SelectorDialTypeFrames, 120);
    fast->setCurrentTime(1);
    EXPECT_EQ(litMarks(*fast), Marks { 1 }) << "with four units per mark, 1 still lights the first";
    fast->setCurrentTime(3);
    EXPECT_TRUE(litMarks(*fast).empty());
}

TEST_F(DialTest, DigitsShrinkFromOneHundredAndGrowBackBelowIt)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeFrames, 120);
    dial->setCurrentTime(99);
    EXPECT_EQ(digitsSize(*dial), 80);
    turnTo(*dial, 300);
    EXPECT_EQ(dial->currentTime(), 100);
    EXPECT_EQ(digitsSize(*dial), 50);
    EXPECT_EQ(dial->timeLbl()->text(), "100");
    turnTo(*dial, 297);
    EXPECT_EQ(dial->currentTime(), 99);
    EXPECT_EQ(digitsSize(*dial), 80);
    dial->setCurrentTime(120);
    EXPECT_EQ(digitsSize(*dial), 50);
}

TEST_F(DialTest, SwitchingMinutesToSecondsRaisesSmallValuesToThree)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeTimeLapse);
    dial->setTimeType(SelectorDialEx::TimeTypeMinutes);
    dial->setCurrentTime(2);
    EXPECT_EQ(dial->minTime(), 1);

    EXPECT_EQ(dial->toggleTimeType(), SelectorDialEx::TimeTypeSeconds);
    EXPECT_EQ(dial->minTime(), 3);
    EXPECT_EQ(dial->currentTime(), 3);
    EXPECT_EQ(dial->currentAngle(), 18);
    EXPECT_EQ(dial->timeLbl()->text(), "3");
    EXPECT_EQ(dial->bottomLbl()->text(), "sec");
    EXPECT_EQ(litMarks(*dial), Marks { 1 });

    EXPECT_EQ(dial->toggleTimeType(), SelectorDialEx::TimeTypeMinutes);
    EXPECT_EQ(dial->minTime(), 1);
    EXPECT_EQ(dial->currentTime(), 3) << "minutes keep the value";
    EXPECT_EQ(dial->bottomLbl()->text(), "min");

    dial->setCurrentTime(40);
    dial->toggleTimeType();
    EXPECT_EQ(dial->currentTime(), 40);
}

TEST_F(DialTest, CountdownShowsSecondsLeftAndKeepsTheValue)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeTimer);
    dial->setCurrentTime(12);
    dial->setCountdownTime(4);
    EXPECT_EQ(dial->timeLbl()->text(), "4");
    EXPECT_EQ(dial->currentTime(), 12);
    EXPECT_EQ(litMarks(*dial).size(), 12u);
}

TEST_F(DialTest, AStoredValueBeyondTheScaleStillLeavesTheRingTurnable)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeFrames, 30);
    dial->setCurrentTime(60);
    EXPECT_EQ(dial->currentTime(), 30);
    EXPECT_EQ(dial->currentAngle(), 360) << "at the top, where turning back is accepted";
    turnTo(*dial, 300);
    EXPECT_EQ(dial->currentTime(), 25);
}

TEST_F(DialTest, ADialWithNothingChosenTurnsUpToItsSmallestValue)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeTimer);
    turnTo(*dial, 4);
    EXPECT_EQ(dial->currentTime(), 3);
    EXPECT_EQ(dial->currentAngle(), 36);
}

TEST_F(DialTest, InnerCircleTapsReachALivingDelegateOfTheThreeTypesOnly)
{
    auto dial = makeDial(SelectorDialEx::SelectorDialTypeTimer);
    auto counter = std::make_shared<TapCounter>();
    dial->setDelegate(counter);
    dial->innerCircleTap(nullptr);
    dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeTimeLapse);
    dial->innerCircleTap(nullptr);
    dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeFrames);
    dial->innerCircleTap(nullptr);
    dial->setSelectorDialType(4);
    dial->innerCircleTap(nullptr);
    EXPECT_EQ(counter->taps, 3);

    counter.reset();
    dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeTimer);
    dial->innerCircleTap(nullptr); // a gone delegate is not called
}

TEST(DialGeometry, MarkRuleLightsInProportionAndNeverLeavesOneDark)
{
    using vantor::dial::isMarkVisible;
    EXPECT_TRUE(isMarkVisible(5, 5, 1));
    EXPECT_FALSE(isMarkVisible(6, 5, 1));
    EXPECT_TRUE(isMarkVisible(1, 2, 2));
    EXPECT_FALSE(isMarkVisible(2, 3, 2));
    EXPECT_TRUE(isMarkVisible(1, 1, 2));
    EXPECT_TRUE(isMarkVisible(1, 1, 4));
    EXPECT_FALSE(isMarkVisible(2, 1, 4));
    EXPECT_FALSE(isMarkVisible(1, 0, 2));
    EXPECT_FALSE(isMarkVisible(1, 3, 4));
    EXPECT_TRUE(isMarkVisible(30, 120, 4));
}
