#include "CameraBarTestSupport.h"

using namespace camerabar_test;
using vantor::CameraBar;
using vantor::CustomTransparentFilledLabel;

namespace {

class ModeCaption : public CameraBarTest {
protected:
    void SetUp() override
    {
        CameraBarTest::SetUp();
        bar = std::make_shared<CameraBar>(kit::CGRectMake(165, 0, 419, 55));
    }

    std::shared_ptr<CustomTransparentFilledLabel> onlyCaption(const kit::UIView& parent)
    {
        auto labels = captionsIn(parent);
        EXPECT_EQ(labels.size(), 1u);
        return labels.empty() ? nullptr : labels.front()->strongRef<CustomTransparentFilledLabel>();
    }

    std::shared_ptr<CameraBar> bar;
};

}

TEST_F(ModeCaption, FadesInHoldsFadesOutAndGoes)
{
    bar->fadeinText("Timer Mode");
    auto label = onlyCaption(*topBar);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->frame(), kit::CGRectMake(0, 55.5, 320, 22));
    EXPECT_EQ(label->text(), "TIMER MODE");
    EXPECT_FALSE(label->isHidden());
    EXPECT_NEAR(label->presentation().alpha, 0, 1e-6);

    advance(0.4); // linear: half-way at half the time
    EXPECT_NEAR(label->presentation().alpha, 0.5, 0.02);
    advance(2.0); // 2.4 s: still held fully visible
    EXPECT_NEAR(label->presentation().alpha, 1, 1e-6);
    EXPECT_EQ(label->alpha(), 1);

    advance(0.2); // 2.6 s: the fade-out has begun
    EXPECT_EQ(label->alpha(), 0);
    EXPECT_GT(label->presentation().alpha, 0.5);
    advance(1.0); // 3.6 s: nearly gone, still there
    EXPECT_EQ(label->superview(), topBar.get());
    EXPECT_LT(label->presentation().alpha, 0.05);

    advance(0.2); // 3.8 s: the chain has ended
    EXPECT_EQ(label->superview(), nullptr);
    EXPECT_TRUE(label->isHidden());
    EXPECT_EQ(label->text(), "");
    EXPECT_TRUE(captionsIn(*topBar).empty());
    EXPECT_EQ(label.use_count(), 1) << "nothing but this test keeps the finished caption";
}

TEST_F(ModeCaption, OverlappingCaptionsEachRunTheirOwnChain)
{
    bar->fadeinText("Timer Mode");
    advance(1.0);
    bar->fadeinText("Time Lapse Mode", 0.5);
    ASSERT_EQ(captionsIn(*topBar).size(), 2u);

    advance(0.25); // the second is half-way in, the first untouched
    auto labels = captionsIn(*topBar);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_NEAR(labels[0]->presentation().alpha, 1, 1e-6);
    EXPECT_NEAR(labels[1]->presentation().alpha, 0.5, 0.02);

    advance(2.55); // 3.8 s: the first has gone (3.7 s), the second fades until 4.4 s
    auto remaining = onlyCaption(*topBar);
    ASSERT_TRUE(remaining);
    EXPECT_EQ(remaining->text(), "TIME LAPSE MODE");
    advance(0.7);
    EXPECT_TRUE(captionsIn(*topBar).empty());
}

TEST_F(ModeCaption, UpperCasesBeyondAscii)
{
    bar->fadeinText("Straße ok");
    auto label = onlyCaption(*topBar);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), "STRASSE OK");
}

TEST_F(ModeCaption, OnAPadSitsInTheCameraView)
{
    vantor::IS_IPAD = true;
    bar->fadeinText("Advanced Mode");
    EXPECT_TRUE(captionsIn(*topBar).empty());
    auto label = onlyCaption(*hostView);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->frame(), kit::CGRectMake(10, 14, 200, 22));
}

