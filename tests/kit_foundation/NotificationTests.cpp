#include "kit/foundation/DarwinNotificationCenter.h"
#include "kit/foundation/NSNotificationCenter.h"
#include "kit/foundation/RunLoop.h"

#include <gtest/gtest.h>

using namespace kit;

namespace {

struct Listener : Object {
    std::vector<std::string> heard;
    void onNotification(const NSNotification& n) { heard.push_back(n.name); }
};

struct DarwinCall {
    CFNotificationCenterRef center;
    void* observer;
    std::string name;
    const void* object;
    CFDictionaryRef userInfo;
};
std::vector<DarwinCall> darwinCalls;

void darwinCallback(CFNotificationCenterRef center, void* observer, const std::string& name, const void* object,
    CFDictionaryRef userInfo)
{
    darwinCalls.push_back({ center, observer, name, object, userInfo });
}

}

TEST(DefaultNotificationCenter, DeliversByNameAndObjectAndForgetsObserversThatAreGone)
{
    auto& center = NSNotificationCenter::defaultCenter();
    center.removeAllObservers();
    auto listener = std::make_shared<Listener>();
    center.addObserver(listener, &Listener::onNotification, UIApplicationDidEnterBackgroundNotification);
    Object sender;
    auto onlyFromSender = std::make_shared<Listener>();
    center.addObserver(onlyFromSender, &Listener::onNotification, "ping", &sender);

    center.postNotificationName(UIApplicationDidEnterBackgroundNotification);
    center.postNotificationName("ping");
    center.postNotificationName("ping", &sender);
    EXPECT_EQ(listener->heard, std::vector<std::string> { UIApplicationDidEnterBackgroundNotification });
    EXPECT_EQ(onlyFromSender->heard, std::vector<std::string> { "ping" });

    center.removeObserver(listener.get());
    center.postNotificationName(UIApplicationDidEnterBackgroundNotification);
    EXPECT_EQ(listener->heard.size(), 1u);

    onlyFromSender.reset();
    center.postNotificationName("ping", &sender); // must not call into the freed listener
}

TEST(DefaultNotificationCenter, AnObserverRemovedByAnEarlierOneInTheSameRoundIsNotCalled)
{
    auto& center = NSNotificationCenter::defaultCenter();
    center.removeAllObservers();
    int secondCalls = 0;
    NSNotificationCenter::Token second = 0;
    center.addObserverForName("n", nullptr, [&](const NSNotification&) { center.removeObserver(second); });
    second = center.addObserverForName("n", nullptr, [&](const NSNotification&) { ++secondCalls; });
    center.postNotificationName("n");
    EXPECT_EQ(secondCalls, 0);
}

TEST(DarwinNotificationCenter, DeliversLaterOnTheMainRunLoopWithTheFiveArguments)
{
    RunLoop::main().resetWithVirtualClock();
    darwinCalls.clear();
    auto center = CFNotificationCenterGetDarwinNotifyCenter();
    const std::string name = "com.quillon.Vantor_2.settingschanged";
    CFNotificationCenterAddObserver(center, nullptr, darwinCallback, name, nullptr,
        CFNotificationSuspensionBehaviorHold);
    // Registering the same observer again does not double the calls.
    CFNotificationCenterAddObserver(center, nullptr, darwinCallback, name, nullptr,
        CFNotificationSuspensionBehaviorHold);
    EXPECT_EQ(CFNotificationCenterObserverCount(center, name), 1);

    int object = 0;
    CFNotificationCenterPostNotification(center, name, &object, nullptr, true);
    EXPECT_TRUE(darwinCalls.empty());
    RunLoop::main().advance(0);
    ASSERT_EQ(darwinCalls.size(), 1u);
    EXPECT_EQ(darwinCalls[0].center, center);
    EXPECT_EQ(darwinCalls[0].observer, nullptr);
    EXPECT_EQ(darwinCalls[0].name, name);
    EXPECT_EQ(darwinCalls[0].object, nullptr); // Darwin notifications carry no object
    EXPECT_EQ(darwinCalls[0].userInfo, nullptr);

    CFNotificationCenterPostNotification(center, "something.else", nullptr, nullptr, true);
    RunLoop::main().advance(0);
    EXPECT_EQ(darwinCalls.size(), 1u);
    CFNotificationCenterRemoveEveryObserver(center, nullptr);
    EXPECT_EQ(CFNotificationCenterObserverCount(center, name), 0);
}
