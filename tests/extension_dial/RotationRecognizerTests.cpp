#include "DialTestSupport.h"

#include "kit/ui/UIApplication.h"
#include "kit/ui/UIWindow.h"

using namespace dialtest;
using vantor::OneFingerRotationGestureRecognizer;

namespace {

// A 200 x 200 view centred at (150, 150) on screen with the recogniser; each
// action is written down with the state and rotation it was sent with.
class RotationRecognizer : public ::testing::Test {
protected:
    struct Sent {
        kit::UIGestureRecognizerState state;
        double rotation;
    };

    void SetUp() override
    {
        kit::RunLoop::main().resetWithVirtualClock();
        app().resetTouches();
        window = std::make_shared<kit::UIWindow>(kit::CGRectMake(0, 0, 300, 300));
        window->makeKeyAndVisible();
        auto view = std::make_shared<kit::UIView>(kit::CGRectMake(50, 50, 200, 200));
        window->addSubview(view);
        recognizer = std::make_shared<OneFingerRotationGestureRecognizer>(kit::Action::function([this](kit::id sender) {
            auto* r = kit::cast<OneFingerRotationGestureRecognizer>(sender);
            sent.push_back({ r->state(), r->rotation() });
        }));
        view->addGestureRecognizer(recognizer);
    }

    // A test may end with a finger still down: it is cancelled, so the
    // recogniser lets go of its view.
    void TearDown() override
    {
        app().touchCancel();
        app().resetTouches();
    }

    static kit::UIApplication& app() { return *kit::UIApplication::sharedApplication(); }

    // A point at the radius around the view's centre, degrees clockwise from the top.
    static kit::CGPoint around(double degrees, double radius = 80)
    {
        return { 150 + radius * std::sin(radians(degrees)), 150 - radius * std::cos(radians(degrees)) };
    }

    double total() const
    {
        double sum = 0;
        for (auto& s : sent)
            sum += s.rotation;
        return sum;
    }

    std::shared_ptr<kit::UIWindow> window;
    std::shared_ptr<OneFingerRotationGestureRecognizer> recognizer;
    std::vector<Sent> sent;
};

}

TEST_F(RotationRecognizer, EachMoveSendsTheAngleTurnedSinceThePreviousOne)
{
    app().touchDown(around(0));
    EXPECT_TRUE(sent.empty()) << "a touch-down alone does nothing";
    for (int degrees = 10; degrees <= 90; degrees += 10)
        app().touchMove(around(degrees));
    ASSERT_EQ(sent.size(), 9u);
    EXPECT_EQ(sent.front().state, kit::UIGestureRecognizerStateBegan);
    EXPECT_EQ(sent.back().state, kit::UIGestureRecognizerStateChanged);
    EXPECT_NEAR(sent.front().rotation, radians(10), 1e-5);
    EXPECT_NEAR(total(), radians(90), 1e-5) << "clockwise on screen is positive";

    app().touchUp(around(90));
    ASSERT_EQ(sent.size(), 10u);
    EXPECT_EQ(sent.back().state, kit::UIGestureRecognizerStateEnded);
    EXPECT_EQ(recognizer->state(), kit::UIGestureRecognizerStatePossible) << "ready for the next finger";
}

TEST_F(RotationRecognizer, TurningAnticlockwiseAcrossTheLeftSideStaysASmallTurn)
{
    app().touchDown(around(300));
    for (int degrees = 290; degrees >= 250; degrees -= 10)
        app().touchMove(around(degrees));
    ASSERT_EQ(sent.size(), 5u);
    for (auto& s : sent)
        EXPECT_NEAR(s.rotation, radians(-10), 1e-5);
}

TEST_F(RotationRecognizer, ALiftAfterASingleMoveOrACancelFails)
{
    app().touchDown(around(0));
    app().touchMove(around(20));
    app().touchUp(around(20));
    ASSERT_EQ(sent.size(), 1u) << "nothing is sent on failure";
    EXPECT_EQ(sent.back().state, kit::UIGestureRecognizerStateBegan);

    app().touchDown(around(0));
    app().touchMove(around(20));
    app().touchMove(around(40));
    app().touchCancel();
    EXPECT_EQ(sent.size(), 3u);
    EXPECT_EQ(recognizer->rotation(), 0) << "reset once the finger has gone";
}
